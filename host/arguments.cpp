#include "arguments.h"

#include <stdio.h>
#include <string.h>

namespace {

bool IsCommandName(const char *token, Command *command)
{
    static const struct {
        const char *name;
        Command command;
    } kCommands[] = {{"demo", kCommandDemo}, {"info", kCommandInfo}, {"run", kCommandRun},
                     {"edit", kCommandEdit}, {"gallery", kCommandGallery}};
    for (const auto &entry : kCommands) {
        if (strcmp(token, entry.name) == 0) {
            *command = entry.command;
            return true;
        }
    }
    return false;
}

const char *CommandName(Command command)
{
    switch (command) {
    case kCommandDemo: return "demo";
    case kCommandInfo: return "info";
    case kCommandRun: return "run";
    case kCommandEdit: return "edit";
    case kCommandGallery: return "gallery";
    }
    return "?";
}

bool Fail(std::string *error, const std::string &text)
{
    *error = text;
    return false;
}

// Checks the options against the command once everything has been read.
bool CheckCombination(const Arguments &arguments, bool openAction, std::string *error)
{
    bool targeted = !arguments.windowHandle.empty() || !arguments.windowTitle.empty();
    const char *name = CommandName(arguments.command);
    if (!arguments.windowHandle.empty() && !arguments.windowTitle.empty())
        return Fail(error, "--window and --title cannot be used together");
    if (arguments.command == kCommandInfo && (targeted || arguments.keepOpen))
        return Fail(error, "info takes no window options, only --plugin");
    if (arguments.keepOpen && targeted)
        return Fail(error, "--keep-open keeps zelvar-host's own window open; "
                           "it cannot be combined with --window or --title");
    if ((arguments.command == kCommandRun || arguments.command == kCommandEdit) &&
        arguments.actions.empty())
        return Fail(error, std::string(name) + " needs an ACTION");
    if (openAction)
        return Fail(error, "'+' must be followed by an ACTION");
    if (arguments.command == kCommandGallery && arguments.galleryFile.empty())
        return Fail(error, "gallery needs a FILE to write the image to");
    return true;
}

}  // namespace

bool ParseArguments(int argc, char **argv, Arguments *arguments, std::string *error)
{
    bool sawCommand = false;
    bool openAction = false;  // a '+' was read and no ACTION after it yet
    for (int i = 1; i < argc; i++) {
        const char *token = argv[i];
        if (strcmp(token, "--help") == 0 || strcmp(token, "-h") == 0) {
            arguments->help = true;
            return true;
        }
        bool takesValue = strcmp(token, "--plugin") == 0 || strcmp(token, "--window") == 0 ||
                          strcmp(token, "--title") == 0;
        if (takesValue) {
            if (i + 1 >= argc)
                return Fail(error, std::string(token) + " needs a value");
            const char *value = argv[++i];
            if (*value == 0)
                return Fail(error, std::string(token) + " needs a value that is not empty");
            if (strcmp(token, "--plugin") == 0)
                arguments->pluginPath = value;
            else if (strcmp(token, "--window") == 0)
                arguments->windowHandle = value;
            else
                arguments->windowTitle = value;
            continue;
        }
        if (strcmp(token, "--keep-open") == 0) {
            arguments->keepOpen = true;
            continue;
        }
        bool inAction = (arguments->command == kCommandRun || arguments->command == kCommandEdit) &&
                        !arguments->actions.empty() && !openAction;
        if (strcmp(token, "--null") == 0) {
            if (!inAction)
                return Fail(error, "--null stands for a parameter and must follow an ACTION");
            arguments->actions.back().params.push_back(std::nullopt);
            continue;
        }
        if (strncmp(token, "--", 2) == 0)
            return Fail(error, std::string("unknown option '") + token + "'");

        if (!sawCommand) {
            if (!IsCommandName(token, &arguments->command))
                return Fail(error, std::string("unknown command '") + token +
                                       "' (commands: demo, info, run, edit, gallery)");
            sawCommand = true;
            continue;
        }
        switch (arguments->command) {
        case kCommandRun:
        case kCommandEdit:
            if (strcmp(token, "+") == 0) {
                if (arguments->actions.empty() || openAction)
                    return Fail(error, "'+' must come between two actions");
                openAction = true;
            } else if (inAction) {
                arguments->actions.back().params.push_back(std::string(token));
            } else {
                arguments->actions.push_back({token, {}});
                openAction = false;
            }
            break;
        case kCommandGallery:
            if (!arguments->galleryFile.empty())
                return Fail(error, std::string("gallery takes one FILE; '") + token +
                                       "' is one too many");
            arguments->galleryFile = token;
            break;
        default:
            return Fail(error, std::string(CommandName(arguments->command)) +
                                   " takes no argument '" + token + "'");
        }
    }
    return CheckCombination(*arguments, openAction, error);
}

void PrintUsage()
{
    fputs(
        "zelvar-host: a workbench for ZelvarPlugin.dll, driving it as the host application does.\n"
        "\n"
        "usage:\n"
        "  zelvar-host [demo]                       load the plug-in, show it, run a few actions\n"
        "  zelvar-host info                         the plug-in's description and action catalogue\n"
        "  zelvar-host run ACTION [PARAM ...] [+ ACTION [PARAM ...]] ...\n"
        "                                           run actions in turn, printing every variable\n"
        "                                           the plug-in sets and each action's result\n"
        "  zelvar-host edit ACTION [PARAM ...]      open the action's design-time editor and print\n"
        "                                           the rewritten parameter texts\n"
        "  zelvar-host gallery FILE                 draw the 20 themes, with the colours the plug-in\n"
        "                                           applies, as title bars into a PNG file\n"
        "  zelvar-host --help                       this text\n"
        "\n"
        "ACTION is an action's number (1-6) or its name, with or without the qzvZelvar_ prefix,\n"
        "in any case: 3, ApplyTheme, applytheme and qzvZelvar_ApplyTheme are the same action.\n"
        "Each PARAM is handed to the plug-in as text, exactly as typed (\"\" is an empty text).\n"
        "Parameters left out are null entries, so the action uses its defaults; --null puts a\n"
        "null entry in the middle. A lone + separates actions; a parameter cannot begin with --.\n"
        "\n"
        "options (anywhere on the line):\n"
        "  --plugin PATH    the plug-in to load (default: ZelvarPlugin.dll beside zelvar-host.exe)\n"
        "  --window HANDLE  hand this window (decimal or 0x hex) to the plug-in as the host window,\n"
        "                   instead of a window of zelvar-host's own\n"
        "  --title TEXT     the same for the first visible top-level window whose title contains\n"
        "                   TEXT (case-insensitive)\n"
        "  --keep-open      leave zelvar-host's window on screen until it is closed\n"
        "Actions whose window parameter is 0 or missing act on the host window.\n"
        "\n"
        "exit codes:\n"
        "  0  success: every action (or editor) returned 1\n"
        "  1  an action or editor returned 0 (it failed, or the editor was cancelled)\n"
        "  2  bad arguments\n"
        "  3  the plug-in does not load or lacks one of its five exports\n"
        "  4  no action of the catalogue has that name or number\n"
        "  5  the window of --window or --title cannot be found\n"
        "  6  the host window cannot be created, or the gallery cannot be drawn or written\n"
        "Every error is one line on standard error.\n"
        "\n"
        "examples:\n"
        "  zelvar-host run SetColor 0 120 215 + SetTextColor 255 255 255 --keep-open\n"
        "  zelvar-host run --title Notepad ApplyTheme 16\n"
        "  zelvar-host edit ApplyTheme 5\n"
        "  zelvar-host gallery docs/theme-gallery.png\n",
        stdout);
}
