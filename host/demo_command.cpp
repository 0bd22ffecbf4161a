// demo: the first thing a new user runs. Shows the plug-in and runs a few
// actions on zelvar-host's own window.
#include <stdio.h>

#include "commands.h"
#include "exit_codes.h"

int RunDemoCommand(const Arguments &arguments)
{
    Arguments demo = arguments;
    demo.actions = {
        {"SetColor", {"0", "120", "215", "0"}},
        {"SetTextColor", {"255", "255", "255", "0"}},
        {"ApplyTheme", {"16", "0"}},
        {"SetBlur", {"1", "0"}},
        {"GetActiveWindow", {}},
        {"RemoveStyle", {"0"}},
    };
    LoadedPlugin plugin = {};
    std::vector<ResolvedAction> actions;
    TargetWindow target = {};
    PluginDescription description;
    int code = OpenPlugin(demo, &plugin);
    if (code == kExitOk)
        code = ResolveActions(demo, &actions);
    if (code == kExitOk)
        code = OpenHostWindow(demo, plugin, &target, &description);
    if (code != kExitOk) {
        UnloadPlugin(&plugin);
        return code;
    }
    PrintPluginOverview(description);
    printf("\nRunning actions on the host window (the target of every action with window 0);\n"
           "every variable the plug-in sets is shown:\n");
    int succeeded = ExecuteActions(plugin, actions);
    printf("\nDone: %d of %d actions succeeded. (Under Wine the window manager accepts the "
           "attributes but draws no colour.)\n",
           succeeded, (int)actions.size());
    KeepOpenIfAsked(demo, target);
    UnloadPlugin(&plugin);
    return succeeded == (int)actions.size() ? kExitOk : kExitActionFailed;
}
