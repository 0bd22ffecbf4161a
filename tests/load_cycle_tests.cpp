// Loading and unloading the plug-in many times, as a host that opens and
// closes projects does, must leave none of the library's handles or memory
// behind.
#include "plugin_fixture.h"
#include "process_counters.h"

namespace {

// The host owns every block it is given; this one frees them at once, so
// that whatever memory remains is the library's.
int WINAPI FreeingAddAction(int, char *name, char *hint, int, int, int)
{
    GlobalFree(name);
    GlobalFree(hint);
    return 0;
}

int WINAPI FreeingSetVariable(char *name, char *value)
{
    GlobalFree(name);
    GlobalFree(value);
    return 0;
}

void OneCycle(HWND window, char **longParam)
{
    Plugin plugin;
    ASSERT_TRUE(plugin.Load());
    plugin.RegisterPlugIn((void *)FreeingAddAction, nullptr, nullptr, (void *)FreeingSetVariable);
    char *title = nullptr, *publisher = nullptr, *hint = nullptr;
    plugin.InitPlugIn(window, &title, &publisher, &hint);
    GlobalFree(title);
    GlobalFree(publisher);
    GlobalFree(hint);
    ParamSlots colour({"0", "120", "215", "0"});
    EXPECT_EQ(plugin.ExecAction(1, colour.Slots()), 1);
    EXPECT_EQ(plugin.ExecAction(3, nullptr), 1);
    EXPECT_EQ(plugin.ExecAction(4, nullptr), 1);
    EXPECT_EQ(plugin.ExecAction(6, longParam), 1);  // a text read through the heap
    EXPECT_EQ(plugin.ExecAction(5, nullptr), 1);
    plugin.Unload();
}

TEST(LoadCycle, AThousandCyclesLeaveNoHandleOrMemoryBehind)
{
    // Hosts have the common dialogs loaded already. Held here too, because
    // Wine's comdlg32 leaks a handle of its own each time it is loaded and
    // unloaded, which would hide what the plug-in itself leaves behind.
    HMODULE commonDialogs = LoadLibraryW(L"comdlg32.dll");
    ASSERT_NE(commonDialogs, nullptr);
    HWND window = CreateHostWindow(L"Load cycle host");
    ASSERT_NE(window, nullptr);
    SetForegroundWindow(window);
    ParamSlots longParam({std::string(4096, '0') + "1", "0"});

    const int kWarmUp = 20, kCycles = 1000;
    for (int i = 0; i < kWarmUp; i++)
        OneCycle(window, longParam.Slots());
    ProcessCounters before = ReadProcessCounters();
    for (int i = 0; i < kCycles && !HasFailure(); i++)
        OneCycle(window, longParam.Slots());
    ProcessCounters after = ReadProcessCounters();

    long privateGrowth = (long)(after.privateCommitted - before.privateCommitted);
    long heapGrowth = (long)(after.heapBytes - before.heapBytes);
    printf("after %d cycles: handles %lu -> %lu, committed private bytes %lu -> %lu (%+ld), "
           "heap bytes in use %lu -> %lu (%+ld)\n",
           kCycles, before.handles, after.handles, (unsigned long)before.privateCommitted,
           (unsigned long)after.privateCommitted, privateGrowth, (unsigned long)before.heapBytes,
           (unsigned long)after.heapBytes, heapGrowth);
    ASSERT_GT(before.handles, 0u) << "the handle count cannot be read";
    ASSERT_GT(before.heapBytes, 0u) << "the heaps cannot be walked";
    EXPECT_LE(after.handles, before.handles);
    // One leaked block a cycle, of any size, shows as at least 8 KiB here.
    EXPECT_LT(heapGrowth, 8 * 1024);
    EXPECT_LT(privateGrowth, 256 * 1024);
    EXPECT_EQ(GetModuleHandleW(L"dwmapi.dll"), nullptr);
    DestroyWindow(window);
    FreeLibrary(commonDialogs);
}

}  // namespace
