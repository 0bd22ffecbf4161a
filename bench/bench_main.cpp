// zelvar_bench [--quick] [--only=image|cycles|exec|params] [PLUGIN.dll]
//
// Prints the plug-in's figures: the DLL's size and imports, the cost of
// load/unload cycles and what they leave behind, the cost of every action
// against its floor, and ParamInteger's throughput. The plug-in is the
// argument, else ZELVAR_PLUGIN, else ZelvarPlugin.dll. The system directory
// must hold the test bench's fake dwmapi.dll (tools/bench.sh puts it there).
// Exits with 0 when every target is met, 1 otherwise.
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include "sections.h"
#include "wine_paths.h"

namespace {

HWND CreateBenchWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"ZelvarBench";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"ZelvarBench", L"Zelvar benchmark host", WS_OVERLAPPEDWINDOW,
                                  40, 40, 320, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    ShowWindow(window, SW_SHOW);
    SetForegroundWindow(window);
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
        DispatchMessageW(&message);
    return window;
}

}  // namespace

int main(int argc, char **argv)
{
    BenchOptions options = {};
    const char *plugin = getenv("ZELVAR_PLUGIN");
    const char *only = "";
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--quick") == 0)
            options.quick = true;
        else if (strncmp(argv[i], "--only=", 7) == 0)
            only = argv[i] + 7;
        else
            plugin = argv[i];
    }
    auto wanted = [&](const char *section) { return *only == 0 || strcmp(only, section) == 0; };
    PluginPath = plugin != nullptr && *plugin != 0 ? WindowsPathOf(plugin) : L"ZelvarPlugin.dll";
    SetPriorityClass(GetCurrentProcess(), HIGH_PRIORITY_CLASS);
    options.hostWindow = CreateBenchWindow();

    auto wineVersion = (const char *(__cdecl *)())(void *)GetProcAddress(
        GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    printf("zelvar_bench%s: %ls\n", options.quick ? " (quick run: not figures)" : "",
           PluginPath.c_str());
    if (wineVersion != nullptr)
        printf("under Wine %s\n", wineVersion());

    bool met = true;
    if (wanted("image"))
        met = CheckImage(options) && met;
    if (wanted("cycles"))
        met = MeasureLoadCycles(options) && met;
    if (wanted("exec"))
        met = MeasureExecCost(options) && met;
    if (wanted("params"))
        met = MeasureParamThroughput(options) && met;
    printf("\nevery target met: %s\n", met ? "yes" : "NO");
    fflush(stdout);
    DestroyWindow(options.hostWindow);
    return met ? 0 : 1;
}
