// run and edit: actions executed, or their parameters edited, as the host
// application does at run time and at design time.
#include <stdio.h>

#include "commands.h"
#include "exit_codes.h"
#include "host_callbacks.h"
#include "host_window.h"
#include "param_slots.h"

namespace {

// Everything up to the host window; the caller unloads the plug-in.
int StartActions(const Arguments &arguments, LoadedPlugin *plugin,
                 std::vector<ResolvedAction> *actions, TargetWindow *target)
{
    int code = OpenPlugin(arguments, plugin);
    if (code == kExitOk)
        code = ResolveActions(arguments, actions);
    if (code == kExitOk)
        code = OpenHostWindow(arguments, *plugin, target);
    return code;
}

int Finish(const Arguments &arguments, LoadedPlugin *plugin, const TargetWindow &target,
           int succeeded, int total, const char *what)
{
    printf("%d of %d %s returned 1.\n", succeeded, total, what);
    KeepOpenIfAsked(arguments, target);
    UnloadPlugin(plugin);
    return succeeded == total ? kExitOk : kExitActionFailed;
}

// Prints one entry after an edit, and frees a text the editor put there.
void ReportEditedEntry(ParamSlotArray *slots, int index)
{
    char *now = slots->Slots()[index];
    const char *before = slots->Original(index);
    if (now == before) {
        printf("  parameter %d: %s (unchanged)\n", index + 1, DescribeText(now).c_str());
        return;
    }
    printf("  parameter %d: %s (rewritten; was %s)\n", index + 1, DescribeText(now).c_str(),
           DescribeText(before).c_str());
    if (now != nullptr)
        GlobalFree((HGLOBAL)now);  // a new text of the plug-in's, now the host's
}

}  // namespace

int ExecuteActions(const LoadedPlugin &plugin, const std::vector<ResolvedAction> &actions)
{
    int succeeded = 0;
    for (const ResolvedAction &action : actions) {
        const CatalogueEntry &entry = *action.entry;
        printf("> %s %s\n", entry.name.c_str(),
               DescribeTexts(action.request->params, entry.paramCount).c_str());
        ParamSlotArray slots(action.request->params, entry.paramCount);
        int result = plugin.execAction(entry.number, slots.Slots());
        printf("  result %d\n", result);
        succeeded += result == 1;
        PumpMessages();
    }
    return succeeded;
}

namespace {

// Prints each action's parameters, opens its editor, and reports what the
// editor left in every entry.
int EditActions(const LoadedPlugin &plugin, const std::vector<ResolvedAction> &actions)
{
    int succeeded = 0;
    for (const ResolvedAction &action : actions) {
        const CatalogueEntry &entry = *action.entry;
        printf("> edit %s %s%s\n", entry.name.c_str(),
               DescribeTexts(action.request->params, entry.paramCount).c_str(),
               entry.hasEditor ? "" : " (this action has no editor)");
        ParamSlotArray slots(action.request->params, entry.paramCount);
        int result = plugin.editAction(entry.number, slots.Slots());
        for (int i = 0; i < slots.Count(); i++)
            ReportEditedEntry(&slots, i);
        printf("  result %d\n", result);
        succeeded += result == 1;
        PumpMessages();
    }
    return succeeded;
}

// What run and edit share: the plug-in, the actions and the host window,
// then the actions executed or edited, then the summary.
int RunActions(const Arguments &arguments, bool edit)
{
    LoadedPlugin plugin = {};
    std::vector<ResolvedAction> actions;
    TargetWindow target = {};
    int code = StartActions(arguments, &plugin, &actions, &target);
    if (code != kExitOk) {
        UnloadPlugin(&plugin);
        return code;
    }
    int succeeded = edit ? EditActions(plugin, actions) : ExecuteActions(plugin, actions);
    return Finish(arguments, &plugin, target, succeeded, (int)actions.size(),
                  edit ? "edits" : "actions");
}

}  // namespace

int RunRunCommand(const Arguments &arguments) { return RunActions(arguments, false); }

int RunEditCommand(const Arguments &arguments) { return RunActions(arguments, true); }
