// The exit codes of zelvar-host; the usage text lists them too.
#pragma once

enum ExitCode {
    kExitOk = 0,              // every action (or editor) returned 1
    kExitActionFailed = 1,    // an action or editor returned 0
    kExitUsage = 2,           // bad arguments
    kExitPluginUnusable = 3,  // the plug-in does not load or lacks an export
    kExitUnknownAction = 4,   // no action of the catalogue has that name or number
    kExitNoWindow = 5,        // the target window cannot be found
    kExitSystemFailure = 6,   // no host window, or the gallery cannot be drawn or written
};
