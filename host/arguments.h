// The command line of zelvar-host, taken apart before anything is loaded.
#pragma once
#include <optional>
#include <string>
#include <vector>

enum Command { kCommandDemo, kCommandInfo, kCommandRun, kCommandEdit, kCommandGallery };

// One action to run or edit: the name or number as typed, and its
// parameter texts, each a text or null (--null).
struct ActionRequest {
    std::string action;
    std::vector<std::optional<std::string>> params;
};

struct Arguments {
    Command command = kCommandDemo;
    bool help = false;
    std::string pluginPath;  // empty: ZelvarPlugin.dll beside zelvar-host.exe
    std::string windowHandle;  // --window, as typed
    std::string windowTitle;   // --title
    bool keepOpen = false;
    std::string galleryFile;
    std::vector<ActionRequest> actions;
};

// Fills `arguments` from argv; on a mistake returns false with a one-line
// explanation in `error`.
bool ParseArguments(int argc, char **argv, Arguments *arguments, std::string *error);

void PrintUsage();
