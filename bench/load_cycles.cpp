// Load, register, initialise, run an action, unload: time per cycle, and
// what the process holds after many cycles against after the first.
#include <stdio.h>

#include "process_counters.h"
#include "sections.h"
#include "timing.h"

namespace {

// One cycle. Action 6 makes the plug-in bind the window manager, which it
// must release again at the unload. Returns false when anything failed.
bool RunCycle(HWND hostWindow)
{
    PluginExports plugin;
    if (!LoadPlugin(&plugin))
        return false;
    plugin.registerPlugIn(TakeAction, nullptr, nullptr, TakeVariable);
    char *title = nullptr, *publisher = nullptr, *hint = nullptr;
    plugin.initPlugIn(hostWindow, &title, &publisher, &hint);
    FreeHostText(title);
    FreeHostText(publisher);
    FreeHostText(hint);
    char enable[] = "1", window[] = "0";
    char *slots[2] = {enable, window};
    bool ran = plugin.execAction(6, slots) == 1 && GetModuleHandleW(L"dwmapi.dll") != nullptr;
    UnloadPlugin(&plugin);
    return ran && GetModuleHandleW(L"dwmapi.dll") == nullptr;
}

void PrintCounters(const char *when, const ProcessCounters &c)
{
    printf("  %-22s %8lu %8lu %12.1f %12.1f\n", when, (unsigned long)c.handles,
           (unsigned long)c.gdiObjects, c.commitCharge / 1024.0, c.privateCommitted / 1024.0);
}

// Shows that the counters see what they are meant to: 3 events, 3
// brushes and 1 MiB of committed memory.
void CheckCounters()
{
    ProcessCounters before = ReadProcessCounters();
    HANDLE events[3];
    HBRUSH brushes[3];
    for (int i = 0; i < 3; i++) {
        events[i] = CreateEventW(nullptr, FALSE, FALSE, nullptr);
        brushes[i] = CreateSolidBrush(RGB(i, 0, 0));
    }
    BYTE *memory = (BYTE *)VirtualAlloc(nullptr, 1 << 20, MEM_COMMIT, PAGE_READWRITE);
    for (int i = 0; i < (1 << 20); i += 4096)
        memory[i] = 1;
    ProcessCounters after = ReadProcessCounters();
    for (int i = 0; i < 3; i++) {
        CloseHandle(events[i]);
        DeleteObject(brushes[i]);
    }
    VirtualFree(memory, 0, MEM_RELEASE);
    printf("  counter check, after 3 events, 3 brushes and 1 MiB: %+ld handles, %+ld GDI objects,"
           " %+.0f KiB commit, %+.0f KiB private\n",
           (long)after.handles - (long)before.handles, (long)after.gdiObjects - (long)before.gdiObjects,
           ((double)after.commitCharge - (double)before.commitCharge) / 1024,
           ((double)after.privateCommitted - (double)before.privateCommitted) / 1024);
}

// Handles that `cycles` loads and unloads of `library` leave behind.
long HandlesLeftByLoads(const wchar_t *library, int cycles)
{
    FreeLibrary(LoadLibraryW(library));
    DWORD before = ReadProcessCounters().handles;
    for (int i = 0; i < cycles; i++)
        FreeLibrary(LoadLibraryW(library));
    return (long)ReadProcessCounters().handles - (long)before;
}

// Seconds for one bare load and unload of `library`, loaded as the cycle
// loads it (`flags` 0: LoadLibraryW).
double LoadUnloadTime(const wchar_t *library, DWORD flags)
{
    const int count = 200;
    double start = Now();
    for (int i = 0; i < count; i++)
        FreeLibrary(LoadLibraryExW(library, nullptr, flags));
    return (Now() - start) / count;
}

}  // namespace

bool MeasureLoadCycles(const BenchOptions &options)
{
    const int cycles = options.quick ? 500 : 10000;
    printf("\nLoad, register, initialise, run action 6, unload: %d cycles\n", cycles);
    if (GetModuleHandleW(L"dwmapi.dll") != nullptr) {
        printf("  dwmapi.dll is already loaded; the cycles would not bind it afresh\n");
        return false;
    }
    CheckCounters();
    // The plug-in imports comdlg32.dll, and Wine's comdlg32 imports its
    // winspool.drv, which leaves one handle open at every unload. A host
    // that shows any common dialog holds comdlg32 itself; so does this
    // benchmark, so that the cycles measure the plug-in and not that.
    printf("  control: 100 loads and unloads of Wine's winspool.drv alone leave %+ld handles;\n"
           "  comdlg32.dll is held during the cycles, dwmapi.dll is not\n",
           HandlesLeftByLoads(L"winspool.drv", 100));
    HMODULE commonDialogs = LoadLibraryW(L"comdlg32.dll");
    if (!RunCycle(options.hostWindow)) {
        printf("  the first cycle failed\n");
        FreeLibrary(commonDialogs);
        return false;
    }
    ProcessCounters first = ReadProcessCounters();
    int failed = 0;
    double start = Now();
    for (int cycle = 2; cycle <= cycles; cycle++)
        failed += RunCycle(options.hostWindow) ? 0 : 1;
    double perCycle = (Now() - start) / (cycles - 1);
    ProcessCounters last = ReadProcessCounters();

    printf("  time per cycle: %.1f us; cycles that failed or left dwmapi.dll loaded: %d\n",
           perCycle * 1e6, failed);
    printf("  for scale, Wine's loader alone: a load and unload of the plug-in %.1f us, of dwmapi.dll %.1f us\n",
           LoadUnloadTime(PluginPath.c_str(), 0) * 1e6,
           LoadUnloadTime(L"dwmapi.dll", LOAD_LIBRARY_SEARCH_SYSTEM32) * 1e6);
    FreeLibrary(commonDialogs);
    printf("  %-22s %8s %8s %12s %12s\n", "", "handles", "GDI", "commit KiB", "private KiB");
    PrintCounters("after the first cycle", first);
    char label[32];
    snprintf(label, sizeof label, "after %d cycles", cycles);
    PrintCounters(label, last);
    long handleGrowth = (long)last.handles - (long)first.handles;
    long gdiGrowth = (long)last.gdiObjects - (long)first.gdiObjects;
    double commitGrowth = ((double)last.commitCharge - (double)first.commitCharge) / 1024;
    double privateGrowth = ((double)last.privateCommitted - (double)first.privateCommitted) / 1024;
    printf("  growth: %+ld handles, %+ld GDI objects, %+.1f KiB commit, %+.1f KiB private\n",
           handleGrowth, gdiGrowth, commitGrowth, privateGrowth);
    printf("  (handles: %s;\n   GDI objects: %s;\n   commit: %s; private: VirtualQuery)\n",
           HandleCountMethod(), GdiCountMethod(), CommitChargeMethod());
    // A leak of one block a cycle would be 10,000 blocks: allow for the
    // heap's own bookkeeping, not for that.
    bool noGrowth = failed == 0 && handleGrowth <= 0 && gdiGrowth <= 0 &&
                    commitGrowth < 64 && privateGrowth < 64;
    printf("  no growth: %s\n", noGrowth ? "yes" : "NO");
    return noGrowth;
}
