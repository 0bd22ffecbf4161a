// The cost of _nbExecAction for each action, against its floor.
#include <stdio.h>

#include "floor_actions.h"
#include "sections.h"
#include "timing.h"

namespace {

const double kTarget = 1.25;

struct ActionCase {
    int number;
    const char *name;
    const char *texts[4];  // the first `count` are the parameter texts
    int count;
};

const ActionCase kCases[] = {
    {1, "qzvZelvar_SetColor", {"0", "120", "215", "0"}, 4},
    {2, "qzvZelvar_SetTextColor", {"255", "255", "255", "0"}, 4},
    {3, "qzvZelvar_ApplyTheme", {"1", "0"}, 2},
    {4, "qzvZelvar_GetActiveWindow", {}, 0},
    {5, "qzvZelvar_RemoveStyle", {"0"}, 1},
    {6, "qzvZelvar_SetBlur", {"1", "0"}, 2},
};

// The variable writes and window-manager calls of one call of `run`.
template <typename Run> std::vector<std::string> Trace(const FakeDwm &dwm, Run run)
{
    dwm.reset();
    StartRecording();
    int result = run();
    std::vector<std::string> lines = StopRecording();
    lines.push_back("result=" + std::to_string(result));
    FakeDwmCall call;
    for (int i = 0; dwm.getCall(i, &call); i++)
        lines.push_back("dwm " + std::to_string((unsigned)(UINT_PTR)call.window) + " " +
                        std::to_string(call.attribute) + " " + std::to_string(call.value));
    return lines;
}

}  // namespace

bool MeasureExecCost(const BenchOptions &options)
{
    printf("\n_nbExecAction against its floor (the same Win32 work done inline)\n");
    FakeDwm dwm;
    PluginExports plugin;
    if (!LoadFakeDwm(&dwm) || !LoadPlugin(&plugin)) {
        printf("  cannot load the fake dwmapi.dll or the plug-in\n");
        return false;
    }
    plugin.registerPlugIn(TakeAction, nullptr, nullptr, TakeVariable);
    plugin.initPlugIn(options.hostWindow, nullptr, nullptr, nullptr);
    SetFloorHost(options.hostWindow, dwm.setAttribute, TakeVariable);

    // Many short paired rounds: the median of their ratios shrugs off the
    // rounds that another process on the machine disturbed.
    const int rounds = options.quick ? 3 : 41;
    const double batchSeconds = options.quick ? 0.005 : 0.01;
    bool allMet = true;
    printf("  %-26s %11s %11s %7s %7s  %s\n", "action", "plug-in", "floor", "ratio", "best", "target 1.25");
    for (const ActionCase &action : kCases) {
        std::vector<std::string> texts(action.texts, action.texts + action.count);
        std::vector<char *> slots;
        for (std::string &text : texts)
            slots.push_back(&text[0]);
        slots.push_back(nullptr);
        char **slotArray = action.count > 0 ? slots.data() : nullptr;
        auto library = [&] { return plugin.execAction(action.number, slotArray); };
        auto floor = [&] { return FloorExecAction(action.number, slotArray); };

        // The floor must do what the plug-in does: the same writes, the same
        // window-manager calls, the same result.
        std::vector<std::string> expected = Trace(dwm, library);
        if (expected != Trace(dwm, floor)) {
            printf("  %-26s the floor does not do what the plug-in does; not measured\n", action.name);
            allMet = false;
            continue;
        }
        if (library() != 1) {
            printf("  %-26s fails here (is there a foreground window?); not measured\n", action.name);
            allMet = false;
            continue;
        }

        int batch = CalibrateBatch(library, batchSeconds);
        std::vector<double> libraryTimes, floorTimes, ratios;
        for (int round = 0; round < rounds; round++) {
            // Alternate the order so that drift favours neither side.
            double libraryTime, floorTime;
            if (round % 2 == 0) {
                libraryTime = TimePerCall(library, batch);
                floorTime = TimePerCall(floor, batch);
            } else {
                floorTime = TimePerCall(floor, batch);
                libraryTime = TimePerCall(library, batch);
            }
            libraryTimes.push_back(libraryTime);
            floorTimes.push_back(floorTime);
            ratios.push_back(libraryTime / floorTime);
        }
        double ratio = Median(ratios);
        double best = Best(libraryTimes) / Best(floorTimes);
        bool met = ratio <= kTarget;
        allMet = allMet && met;
        printf("  %d %-24s %8.2f us %8.2f us %7.3f %7.3f  %s\n", action.number, action.name,
               Median(libraryTimes) * 1e6, Median(floorTimes) * 1e6, ratio, best,
               met ? "met" : "MISSED");
    }
    printf("  (median per call over %d rounds; ratio: median of the paired ratios;\n"
           "   best: best plug-in round over best floor round)\n", rounds);
    UnloadPlugin(&plugin);
    UnloadFakeDwm(&dwm);
    return allMet;
}
