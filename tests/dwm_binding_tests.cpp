// The run-time binding to dwmapi.dll: where it is loaded from, that it is
// loaded once and released once, and what happens when it is missing.
// Three CTest entries run these with the system directory holding the
// recording fake, a dwmapi.dll without the export, and no dwmapi.dll at all.
#include "plugin_fixture.h"
#include "stack_check.h"

namespace {

bool DwmLoaded() { return GetModuleHandleW(L"dwmapi.dll") != nullptr; }

std::wstring LoadedDwmPath()
{
    wchar_t path[MAX_PATH] = L"";
    GetModuleFileNameW(GetModuleHandleW(L"dwmapi.dll"), path, MAX_PATH);
    return path;
}

bool SamePath(const std::wstring &a, const std::wstring &b)
{
    return lstrcmpiW(a.c_str(), b.c_str()) == 0;
}

typedef BOOL(WINAPI *EntryPointProc)(HINSTANCE, DWORD, LPVOID);

// The plug-in's entry point, for calling it the way the loader does.
const void *EntryPoint(HMODULE module)
{
    const BYTE *base = (const BYTE *)module;
    auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
    return base + nt->OptionalHeader.AddressOfEntryPoint;
}

int CallEntryPoint(HMODULE module, DWORD reason, void *reserved)
{
    const int args[3] = {(int)(INT_PTR)module, (int)reason, (int)(INT_PTR)reserved};
    int delta = 1;
    int result = CallWithStackCheck(EntryPoint(module), 3, args, &delta);
    EXPECT_EQ(delta, 0);
    return result;
}

// Here the test takes no reference to dwmapi.dll of its own before the
// plug-in does, so that what is loaded is what the plug-in loaded.
class Binding : public ::testing::Test {
protected:
    void SetUp() override
    {
        ClearRecords();
        ASSERT_FALSE(DwmLoaded());
        ASSERT_TRUE(plugin.Load());
        plugin.RegisterRecording();
        plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);
        ClearRecords();
    }
    void TearDown() override { plugin.Unload(); }

    Plugin plugin;
};

TEST_F(Binding, LoadingAloneBindsNothing)
{
    EXPECT_FALSE(DwmLoaded());
    plugin.Unload();
    EXPECT_FALSE(DwmLoaded());
    EXPECT_EQ(GetModuleHandleW(L"ZelvarPlugin.dll"), nullptr);
}

TEST_F(Binding, TheSystemCopyIsLoadedNotThePlantedOneBesideTheProgram)
{
    // The program's directory holds a dwmapi.dll that lacks the export.
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring planted(program);
    planted = planted.substr(0, planted.rfind(L'\\')) + L"\\dwmapi.dll";
    ASSERT_NE(GetFileAttributesW(planted.c_str()), INVALID_FILE_ATTRIBUTES);

    EXPECT_EQ(plugin.ExecAction(6, nullptr), 1);
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "OK - Blur effect disabled");
    EXPECT_TRUE(SamePath(LoadedDwmPath(), SystemDwmPath()))
        << "loaded from " << std::string(LoadedDwmPath().begin(), LoadedDwmPath().end());
}

TEST_F(Binding, UnloadingReleasesTheBindingExactlyOnce)
{
    for (int action : {1, 2, 5, 6, 3})
        EXPECT_EQ(plugin.ExecAction(action, nullptr), 1);
    ASSERT_TRUE(DwmLoaded());

    // With a reference of the test's own, the plug-in's unload must leave
    // the library loaded: it held one reference, however many calls it made.
    HMODULE own = LoadLibraryW(SystemDwmPath().c_str());
    plugin.Unload();
    EXPECT_TRUE(DwmLoaded()) << "released more than once";
    FreeLibrary(own);
    EXPECT_FALSE(DwmLoaded()) << "bound more than once";
}

TEST_F(Binding, UnloadingWithoutATestReferenceLeavesNothingLoaded)
{
    EXPECT_EQ(plugin.ExecAction(5, nullptr), 1);
    plugin.Unload();
    EXPECT_FALSE(DwmLoaded());
}

TEST_F(Binding, ProcessExitLeavesTheBindingAloneADynamicUnloadReleasesIt)
{
    EXPECT_EQ(plugin.ExecAction(6, nullptr), 1);
    HMODULE own = LoadLibraryW(SystemDwmPath().c_str());

    // Detach with a non-null reserved argument: the process is terminating.
    EXPECT_EQ(CallEntryPoint(plugin.Module(), DLL_PROCESS_DETACH, (void *)1), TRUE);
    FreeLibrary(own);
    EXPECT_TRUE(DwmLoaded()) << "the binding was released at process exit";
    ClearRecords();
    EXPECT_EQ(plugin.ExecAction(6, nullptr), 1) << "the binding is still in use";

    // Detach with a null reserved argument: a dynamic unload.
    own = LoadLibraryW(SystemDwmPath().c_str());
    EXPECT_EQ(CallEntryPoint(plugin.Module(), DLL_PROCESS_DETACH, nullptr), TRUE);
    plugin.Unload();  // the loader's own detach must not release it again
    EXPECT_TRUE(DwmLoaded());
    FreeLibrary(own);
    EXPECT_FALSE(DwmLoaded());
}

// Every operation that needs the window manager, with its status texts.
struct UnboundCase {
    int action;
    std::vector<std::string> writes;
};

const std::vector<UnboundCase> kUnboundCases = {
    {1, {"[Zelvar.LastError]=DWM API not available"}},
    {2, {"[Zelvar.LastError]=DWM API not available"}},
    {3, {"[Zelvar.LastError]=DWM API not available", "[Zelvar.LastError]=Failed to apply theme"}},
    {5, {"[Zelvar.LastError]=DWM API not available"}},
    {6, {"[Zelvar.LastError]=DWM API not available"}},
};

void ExpectEveryOperationUnbound(Plugin &plugin)
{
    for (const UnboundCase &c : kUnboundCases) {
        SCOPED_TRACE(c.action);
        ClearRecords();
        EXPECT_EQ(plugin.ExecAction(c.action, nullptr), 0);
        EXPECT_EQ(WriteLines(), c.writes);
    }
}

using BindingWithoutDwmapi = Binding;

TEST_F(BindingWithoutDwmapi, EveryOperationReportsTheApiMissing)
{
    ExpectEveryOperationUnbound(plugin);
    // The binding comes before the window: with neither, the binding is named.
    plugin.InitPlugIn(nullptr, nullptr, nullptr, nullptr);
    ExpectEveryOperationUnbound(plugin);
    // The query needs no window manager.
    HWND window = CreateHostWindow(L"Foreground without a window manager");
    SetForegroundWindow(window);
    ClearRecords();
    EXPECT_EQ(plugin.ExecAction(4, nullptr), 1);
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "OK");
    DestroyWindow(window);
}

TEST_F(BindingWithoutDwmapi, TheLoadIsTriedAgainOnTheNextCall)
{
    EXPECT_EQ(plugin.ExecAction(6, nullptr), 0);
    EXPECT_FALSE(DwmLoaded());

    // The library appears in the system directory while the host runs.
    const char *fake = getenv("ZELVAR_FAKE_DWM");
    ASSERT_NE(fake, nullptr);
    std::wstring source(fake, fake + strlen(fake));
    ASSERT_TRUE(CopyFileW(source.c_str(), SystemDwmPath().c_str(), FALSE));

    ClearRecords();
    EXPECT_EQ(plugin.ExecAction(6, nullptr), 1);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{"[Zelvar.LastError]=OK - Blur effect disabled"}));
    EXPECT_TRUE(SamePath(LoadedDwmPath(), SystemDwmPath()));
    plugin.Unload();
    EXPECT_FALSE(DwmLoaded());
    DeleteFileW(SystemDwmPath().c_str());
}

using BindingWithoutExport = Binding;

TEST_F(BindingWithoutExport, EveryOperationReportsTheApiMissing)
{
    ExpectEveryOperationUnbound(plugin);
}

TEST_F(BindingWithoutExport, TheLibraryStaysLoadedOnceAndIsReleasedOnce)
{
    for (int i = 0; i < 5; i++)
        EXPECT_EQ(plugin.ExecAction(1, nullptr), 0);
    ASSERT_TRUE(DwmLoaded());
    EXPECT_TRUE(SamePath(LoadedDwmPath(), SystemDwmPath()));
    HMODULE own = LoadLibraryW(SystemDwmPath().c_str());
    plugin.Unload();
    EXPECT_TRUE(DwmLoaded());
    FreeLibrary(own);
    EXPECT_FALSE(DwmLoaded()) << "the failed lookups loaded the library again";
}

}  // namespace
