// The handshake with the host: registration, the action catalogue, the
// plug-in description, and the routing of requests the library must refuse
// or wave through.
#include "plugin_fixture.h"
#include "stack_check.h"

#include <set>

namespace {

struct CatalogueRow {
    int number;
    const char *name;
    const char *hint;
    int editorFlag;
    int paramCount;
};

const CatalogueRow kCatalogue[] = {
    {1, "qzvZelvar_SetColor", "Set title bar background color using color picker", 2, 4},
    {2, "qzvZelvar_SetTextColor", "Set title bar text color using color picker", 2, 4},
    {3, "qzvZelvar_ApplyTheme", "Apply a predefined theme to title bar", 2, 2},
    {4, "qzvZelvar_GetActiveWindow", "Get active window title and handle", 0, 0},
    {5, "qzvZelvar_RemoveStyle", "Reset title bar to Windows default appearance", 0, 1},
    {6, "qzvZelvar_SetBlur", "Enable/disable titlebar blur effect (1=on, 0=off)", 0, 2},
};

void ExpectCatalogue(const std::vector<AddActionCall> &calls)
{
    ASSERT_EQ(calls.size(), 6u);
    for (size_t i = 0; i < 6; i++) {
        SCOPED_TRACE(kCatalogue[i].name);
        EXPECT_EQ(calls[i].number, kCatalogue[i].number);
        EXPECT_STREQ(calls[i].name, kCatalogue[i].name);
        EXPECT_STREQ(calls[i].hint, kCatalogue[i].hint);
        EXPECT_EQ(calls[i].editorFlag, kCatalogue[i].editorFlag);
        EXPECT_EQ(calls[i].fifth, -1);
        EXPECT_EQ(calls[i].paramCount, kCatalogue[i].paramCount);
    }
}

using PluginInterface = PluginTest;

int __cdecl CdeclTwo(int a, int b) { return a + b; }
int __stdcall StdcallTwo(int a, int b) { return a + b; }

TEST(StackCheck, TellsACdeclCalleeFromAStdcallOne)
{
    const int args[2] = {40, 2};
    int delta = 1;
    EXPECT_EQ(CallWithStackCheck((const void *)CdeclTwo, 2, args, &delta), 42);
    EXPECT_EQ(delta, -8);
    EXPECT_EQ(CallWithStackCheck((const void *)StdcallTwo, 2, args, &delta), 42);
    EXPECT_EQ(delta, 0);
}

TEST_F(PluginInterface, ExportsExactlyTheFiveEntryPointsByName)
{
    const BYTE *base = (const BYTE *)plugin.Module();
    auto dos = (const IMAGE_DOS_HEADER *)base;
    auto nt = (const IMAGE_NT_HEADERS32 *)(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    auto exports = (const IMAGE_EXPORT_DIRECTORY *)(base + dir.VirtualAddress);
    auto names = (const DWORD *)(base + exports->AddressOfNames);
    std::vector<std::string> found;
    for (DWORD i = 0; i < exports->NumberOfNames; i++)
        found.push_back((const char *)(base + names[i]));
    // Count the functions, not the slots of the address table: lld leaves
    // slot 0 empty (its ordinal base is 0), which exports nothing.
    auto functions = (const DWORD *)(base + exports->AddressOfFunctions);
    int exported = 0;
    for (DWORD i = 0; i < exports->NumberOfFunctions; i++)
        exported += functions[i] != 0;
    EXPECT_EQ(exported, 5);
    EXPECT_EQ(found, (std::vector<std::string>{"_nbEditAction", "_nbExecAction",
                                               "_nbInitPlugIn", "_nbMessage",
                                               "_nbRegisterPlugIn"}));
}

TEST_F(PluginInterface, ImportsOnlySystemLibrariesAndNeverTheWindowManager)
{
    const BYTE *base = (const BYTE *)plugin.Module();
    auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY &dir =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> imported;
    for (auto entry = (const IMAGE_IMPORT_DESCRIPTOR *)(base + dir.VirtualAddress); entry->Name != 0;
         entry++) {
        std::string name = (const char *)(base + entry->Name);
        for (char &c : name)
            c = (char)tolower((unsigned char)c);
        imported.push_back(name);
    }
    // msvcrt.dll may serve memcpy and memset where a compiler calls them.
    const std::set<std::string> system = {"comdlg32.dll", "gdi32.dll", "kernel32.dll",
                                          "user32.dll", "msvcrt.dll"};
    for (const std::string &name : imported)
        EXPECT_EQ(system.count(name), 1u) << name << " is not a system library";
    EXPECT_GE(imported.size(), 4u);
    EXPECT_EQ(nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_TLS].Size, 0u)
        << "no thread-local callbacks run at load";
}

TEST_F(PluginInterface, CarriesItsManifestAsResourceTwo)
{
    HRSRC resource = FindResourceW(plugin.Module(), MAKEINTRESOURCEW(2), (LPCWSTR)RT_MANIFEST);
    ASSERT_NE(resource, nullptr);
    const char *data = (const char *)LockResource(LoadResource(plugin.Module(), resource));
    std::string manifest(data, SizeofResource(plugin.Module(), resource));
    EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos);
    EXPECT_NE(manifest.find("version=\"6.0.0.0\""), std::string::npos);
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
}

TEST_F(PluginInterface, RegisterAddsTheSixActionsInOrder)
{
    EXPECT_EQ(plugin.RegisterRecording(), 0);
    ExpectCatalogue(RecordedActions);
    EXPECT_TRUE(RecordedWrites.empty());
}

TEST_F(PluginInterface, RegisteringTwiceAddsTheActionsAgainWithNewTexts)
{
    plugin.RegisterRecording();
    plugin.RegisterRecording();
    ASSERT_EQ(RecordedActions.size(), 12u);
    ExpectCatalogue({RecordedActions.begin(), RecordedActions.begin() + 6});
    ExpectCatalogue({RecordedActions.begin() + 6, RecordedActions.end()});
    // Every block was checked to be new on arrival (see RecordAddAction).
}

TEST_F(PluginInterface, NullAddActionRegistersNothingButKeepsSetVariable)
{
    EXPECT_EQ(plugin.RegisterPlugIn(nullptr, nullptr, nullptr, (void *)RecordSetVariable), 0);
    EXPECT_TRUE(RecordedActions.empty());
    plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);
    EXPECT_EQ(plugin.ExecAction(5, nullptr), 1);
    EXPECT_EQ(WriteLines(), (std::vector<std::string>{
                                "[SelectedTitlebarColor]=", "[SelectedTitlebarTextColor]=",
                                "[Zelvar.LastError]=OK - Title bar reset to system defaults"}));
}

TEST_F(PluginInterface, LaterRegistrationReplacesTheCallbacks)
{
    plugin.RegisterRecording();
    plugin.InitPlugIn(SentinelHostWindow(), nullptr, nullptr, nullptr);
    plugin.RegisterPlugIn((void *)RecordAddAction, nullptr, nullptr, nullptr);
    ClearRecords();
    EXPECT_EQ(plugin.ExecAction(6, nullptr), 1);
    EXPECT_TRUE(RecordedWrites.empty()) << "SetVariable was replaced by null";
    EXPECT_EQ(dwm.Calls().size(), 1u);
}

TEST_F(PluginInterface, InitHandsOverTitlePublisherAndHint)
{
    char *title = nullptr, *publisher = nullptr, *hint = nullptr;
    EXPECT_EQ(plugin.InitPlugIn(SentinelHostWindow(), &title, &publisher, &hint), 0);
    EXPECT_EQ(CheckHostText(title), "");
    EXPECT_EQ(CheckHostText(publisher), "");
    EXPECT_EQ(CheckHostText(hint), "");
    EXPECT_STREQ(title, "Zelvar Plugin");
    EXPECT_STREQ(publisher, "Plugin Developer");
    EXPECT_STREQ(hint, "Customize Windows title bar colors with 20 alphabetical themes");

    // A second initialisation makes new texts again.
    char *secondTitle = nullptr;
    plugin.InitPlugIn(SentinelHostWindow(), &secondTitle, nullptr, nullptr);
    EXPECT_EQ(CheckHostText(secondTitle), "");
    EXPECT_STREQ(secondTitle, "Zelvar Plugin");
}

TEST_F(PluginInterface, InitWithNoWindowAndNullSlotsWritesNothing)
{
    plugin.RegisterRecording();
    ClearRecords();
    EXPECT_EQ(plugin.InitPlugIn(nullptr, nullptr, nullptr, nullptr), 0);
    EXPECT_TRUE(RecordedWrites.empty());
    EXPECT_TRUE(RecordedActions.empty());
    // Host window 0 and window argument 0: no target.
    EXPECT_EQ(plugin.ExecAction(1, nullptr), 0);
    EXPECT_EQ(LastValue("[Zelvar.LastError]"), "No window handle available");
}

TEST_F(PluginInterface, LaterInitReplacesTheHostWindow)
{
    StartHost((HWND)(INT_PTR)0x1111);
    plugin.InitPlugIn((HWND)(INT_PTR)0x2222, nullptr, nullptr, nullptr);
    plugin.ExecAction(6, nullptr);
    auto calls = dwm.Calls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].window, (HWND)(INT_PTR)0x2222);
}

TEST_F(PluginInterface, ActionsOutsideTheCatalogueAreRefusedUntouched)
{
    StartHost(SentinelHostWindow());
    plugin.ExecAction(6, nullptr);
    ClearRecords();
    // A slot array that would crash any reader.
    char **poison = (char **)(INT_PTR)0x10;
    for (int action : {0, 7, -1, 1000, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(plugin.ExecAction(action, poison), 0);
        EXPECT_EQ(plugin.EditAction(action, poison), 0);
    }
    EXPECT_TRUE(RecordedWrites.empty());
    EXPECT_EQ(dwm.Calls().size(), 1u);
}

TEST_F(PluginInterface, EditRequestsWithoutAnEditor)
{
    StartHost(SentinelHostWindow());
    ParamSlots slots({"1", "0"});
    char **poison = (char **)(INT_PTR)0x10;
    EXPECT_EQ(plugin.EditAction(4, poison), 0);
    EXPECT_EQ(plugin.EditAction(5, slots.Slots()), 1);
    EXPECT_EQ(plugin.EditAction(6, slots.Slots()), 1);
    EXPECT_EQ(plugin.EditAction(5, nullptr), 1);
    EXPECT_EQ(slots.Slots()[0], slots.Original(0));
    EXPECT_EQ(slots.Slots()[1], slots.Original(1));
    EXPECT_EQ(slots.Text(0), "1");
    EXPECT_TRUE(RecordedWrites.empty());
    EXPECT_TRUE(dwm.Calls().empty());
}

TEST_F(PluginInterface, MessageAnswersZeroForAnything)
{
    StartHost(SentinelHostWindow());
    for (auto [first, second] : {std::pair{0, 0}, {1, 2}, {-1, INT_MIN}, {0x10, 0x7fffffff}})
        EXPECT_EQ(plugin.Message(first, second), 0);
    EXPECT_TRUE(RecordedWrites.empty());
    EXPECT_TRUE(RecordedActions.empty());
}

TEST_F(PluginInterface, ActionFourNeverReadsTheSlotArray)
{
    StartHost(SentinelHostWindow());
    char **poison = (char **)(INT_PTR)0x10;
    plugin.ExecAction(4, poison);
    ASSERT_FALSE(RecordedWrites.empty());
}

}  // namespace
