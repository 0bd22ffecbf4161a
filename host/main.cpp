// zelvar-host: the reference host and workbench of ZelvarPlugin.dll. It
// loads the plug-in, drives it through its five exports as the host
// application does, and prints everything the plug-in hands back.
// zelvar-host --help tells how to use it.
#include <stdio.h>

#include "arguments.h"
#include "commands.h"
#include "exit_codes.h"
#include "report.h"

int main(int argc, char **argv)
{
    // Every line as it happens, also when the output is a pipe.
    setvbuf(stdout, NULL, _IONBF, 0);
    Arguments arguments;
    std::string error;
    if (!ParseArguments(argc, argv, &arguments, &error))
        return ReportError(kExitUsage, error + " (zelvar-host --help shows the usage)");
    if (arguments.help) {
        PrintUsage();
        return kExitOk;
    }
    switch (arguments.command) {
    case kCommandInfo: return RunInfoCommand(arguments);
    case kCommandRun: return RunRunCommand(arguments);
    case kCommandEdit: return RunEditCommand(arguments);
    case kCommandGallery: return RunGalleryCommand(arguments);
    case kCommandDemo: break;
    }
    return RunDemoCommand(arguments);
}
