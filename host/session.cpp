#include "session.h"

#include <stdio.h>

#include "action_lookup.h"
#include "host_window.h"
#include "report.h"

int OpenPlugin(const Arguments &arguments, LoadedPlugin *plugin)
{
    std::string path = arguments.pluginPath.empty() ? DefaultPluginPath() : arguments.pluginPath;
    std::string error;
    if (!LoadPlugin(path, plugin, &error))
        return ReportError(kExitPluginUnusable, error);
    RegisterHost(*plugin);
    printf("Plug-in: %s\n", plugin->path.c_str());
    return kExitOk;
}

int ResolveActions(const Arguments &arguments, std::vector<ResolvedAction> *actions)
{
    for (const ActionRequest &request : arguments.actions) {
        const CatalogueEntry *entry = FindAction(request.action);
        if (entry == nullptr)
            return ReportError(kExitUnknownAction,
                               "the plug-in has no action '" + request.action +
                                   "' (zelvar-host info lists them)");
        if ((int)request.params.size() > entry->paramCount)
            return ReportError(kExitUsage, entry->name + " takes " +
                                               std::to_string(entry->paramCount) +
                                               " parameters; " +
                                               std::to_string(request.params.size()) +
                                               " were given");
        actions->push_back({entry, &request});
    }
    return kExitOk;
}

int OpenHostWindow(const Arguments &arguments, const LoadedPlugin &plugin, TargetWindow *target,
                   PluginDescription *description)
{
    ExitCode code = kExitOk;
    std::string error;
    if (!SelectTargetWindow(arguments, target, &code, &error))
        return ReportError(code, error);
    PluginDescription init = InitHost(plugin, target->window);
    if (description != nullptr)
        *description = init;
    printf("Host window: %s%s\n", DescribeWindow(target->window).c_str(),
           target->own ? " (zelvar-host's own)" : "");
    return kExitOk;
}

void KeepOpenIfAsked(const Arguments &arguments, const TargetWindow &target)
{
    if (!arguments.keepOpen || !target.own)
        return;
    printf("The host window stays open until it is closed.\n");
    WaitUntilClosed(target.window);
}
