// The colour dialog behind the edit requests of actions 1 and 2, driven as
// an author uses it: a thread timer, dispatched by the dialog's own modal
// loop, reads the dialog's red, green and blue boxes, types new values into
// them and presses OK or Cancel. A hook on the thread's window procedures
// catches the request the library hands to the dialog (WM_INITDIALOG
// carries it).
#include <windows.h>
#include <commdlg.h>

#include <algorithm>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "editor_script.h"
#include "plugin_fixture.h"

namespace {

// The colour dialog's own controls.
const int kRedBox = 706, kGreenBox = 707, kBlueBox = 708;
const int kAddCustomColour = 712;

HWND FindColourDialog() { return FindThreadWindow(L"#32770", nullptr); }

struct Rgb {
    int red, green, blue;
    bool operator==(const Rgb &other) const
    {
        return red == other.red && green == other.green && blue == other.blue;
    }
};

std::ostream &operator<<(std::ostream &out, const Rgb &rgb)
{
    return out << rgb.red << "," << rgb.green << "," << rgb.blue;
}

Rgb Shown(HWND dialog)
{
    return {(int)GetDlgItemInt(dialog, kRedBox, nullptr, FALSE),
            (int)GetDlgItemInt(dialog, kGreenBox, nullptr, FALSE),
            (int)GetDlgItemInt(dialog, kBlueBox, nullptr, FALSE)};
}

void Type(HWND dialog, Rgb rgb)
{
    SetDlgItemInt(dialog, kRedBox, rgb.red, FALSE);
    SetDlgItemInt(dialog, kGreenBox, rgb.green, FALSE);
    SetDlgItemInt(dialog, kBlueBox, rgb.blue, FALSE);
}

void Press(HWND dialog, int id)
{
    HWND button = GetDlgItem(dialog, id);
    ASSERT_NE(button, nullptr) << "no control " << id;
    SendMessageW(button, BM_CLICK, 0, 0);
}

EditorStep PressOk() { return [](HWND dialog) { Press(dialog, IDOK); }; }
EditorStep PressCancel() { return [](HWND dialog) { Press(dialog, IDCANCEL); }; }
EditorStep Pick(Rgb rgb)
{
    return [rgb](HWND dialog) { Type(dialog, rgb); };
}

// What the dialog was asked for, as WM_INITDIALOG brought it.
struct SeenRequest {
    bool seen = false;
    CHOOSECOLORW request = {};
    COLORREF customColors[16] = {};
};

SeenRequest Seen;

LRESULT CALLBACK CatchRequest(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPSTRUCT *message = (const CWPSTRUCT *)lParam;
    if (code == HC_ACTION && message->message == WM_INITDIALOG &&
        ClassOf(message->hwnd) == L"#32770" && message->lParam != 0) {
        Seen.seen = true;
        Seen.request = *(const CHOOSECOLORW *)message->lParam;
        if (Seen.request.lpCustColors != nullptr)
            memcpy(Seen.customColors, Seen.request.lpCustColors, sizeof Seen.customColors);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class ColourEditor : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        StartHost(SentinelHostWindow());
        hook_ = SetWindowsHookExW(WH_CALLWNDPROC, CatchRequest, nullptr, GetCurrentThreadId());
        ASSERT_NE(hook_, nullptr);
    }

    void TearDown() override
    {
        UnhookWindowsHookEx(hook_);
        PluginTest::TearDown();
    }

    // Makes the edit request for `action` with the steps scripted in the
    // dialog and returns the editor's result.
    int Edit(int action, char **slots, const std::vector<EditorStep> &steps)
    {
        Seen = SeenRequest();
        int result = -1;
        ScriptOutcome outcome = RunScripted(FindColourDialog, steps,
                                            [&] { result = plugin.EditAction(action, slots); });
        EXPECT_TRUE(outcome.found) << "no colour dialog opened";
        EXPECT_EQ(outcome.stepsRun, steps.size()) << "the dialog closed too early";
        EXPECT_FALSE(outcome.leftOpen) << "the dialog stayed open after the script";
        EXPECT_FALSE(outcome.stuck) << "the editor ran on without its window";
        EXPECT_TRUE(Seen.seen) << "the request was not seen";
        EXPECT_TRUE(RecordedWrites.empty()) << "the editor wrote a host variable";
        return result;
    }

    HHOOK hook_ = nullptr;
};

// The parameter texts, the colour the dialog starts from, and the value the
// library asked the dialog for.
struct InitialRow {
    const char *what;
    bool nullArray;
    std::optional<std::string> red, green, blue;
    Rgb shown;
    COLORREF request;
};

const InitialRow kInitial[] = {
    {"null array", true, "9", "9", "9", {0, 0, 0}, 0},
    {"plain", false, "0", "120", "215", {0, 120, 215}, RGB(0, 120, 215)},
    {"null red", false, std::nullopt, "255", "255", {0, 255, 255}, RGB(0, 255, 255)},
    {"red spills into green", false, "300", "0", "0", {44, 1, 0}, 0x12C},
    {"packs to no colour", false, "-1", "0", "0", {0, 0, 0}, 0},
    {"hex, binary, no digits", false, "$FF", "%1000", "abc", {255, 8, 0}, RGB(255, 8, 0)},
    {"all null", false, std::nullopt, std::nullopt, std::nullopt, {0, 0, 0}, 0},
};

TEST_F(ColourEditor, StartsFromTheColourOfTheFirstThreeEntriesAndOkWritesItBack)
{
    for (const InitialRow &row : kInitial) {
        for (int action : {1, 2}) {
            SCOPED_TRACE(std::string(row.what) + ", action " + std::to_string(action));
            ParamSlots slots({row.red, row.green, row.blue, "4660"});
            Rgb shown = {-1, -1, -1};
            int result = Edit(action, row.nullArray ? nullptr : slots.Slots(),
                              {[&](HWND dialog) { shown = Shown(dialog); }, PressOk()});
            EXPECT_EQ(result, 1);
            EXPECT_EQ(shown, row.shown);
            EXPECT_EQ(Seen.request.rgbResult, row.request);
            EXPECT_EQ(Seen.customColors[0], row.request) << "custom colour 0 is not the initial colour";
            if (row.nullArray) {
                for (int i = 0; i < 4; i++)
                    EXPECT_EQ(slots.Slots()[i], slots.Original(i));
                continue;
            }
            const std::string written[3] = {std::to_string(row.shown.red),
                                            std::to_string(row.shown.green),
                                            std::to_string(row.shown.blue)};
            for (int i = 0; i < 3; i++) {
                ASSERT_NE(slots.Slots()[i], slots.Original(i)) << "entry " << i << " not rewritten";
                EXPECT_EQ(slots.Text(i), written[i]);
                EXPECT_EQ(CheckHostText(slots.Slots()[i]), "") << "entry " << i;
            }
            EXPECT_EQ(slots.Slots()[3], slots.Original(3)) << "entry 3 was touched";
            EXPECT_EQ(slots.Text(3), "4660");
            if (row.red) {
                EXPECT_EQ(std::string(slots.Original(0)), *row.red) << "the host's text was changed";
            }
        }
    }
}

TEST_F(ColourEditor, OkWritesThePickedColourAndCancelLeavesEveryEntry)
{
    ParamSlots slots({"1", "2", "3", "0"});
    EXPECT_EQ(Edit(1, slots.Slots(), {Pick({10, 200, 30}), PressOk()}), 1);
    EXPECT_EQ(slots.Text(0) + "," + slots.Text(1) + "," + slots.Text(2), "10,200,30");

    // Cancel after picking another colour keeps what the OK wrote.
    char *afterOk[4];
    std::copy(slots.Slots(), slots.Slots() + 4, afterOk);
    Rgb shown = {};
    EXPECT_EQ(Edit(2, slots.Slots(),
                   {[&](HWND dialog) { shown = Shown(dialog); }, Pick({90, 90, 90}), PressCancel()}),
              0);
    EXPECT_EQ(shown, (Rgb{10, 200, 30})) << "the second edit did not start from the first's texts";
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(slots.Slots()[i], afterOk[i]) << "Cancel touched entry " << i;
    // The dialog's close box is a Cancel too.
    EXPECT_EQ(Edit(1, slots.Slots(), {[](HWND dialog) { PostMessageW(dialog, WM_CLOSE, 0, 0); }}), 0);
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(slots.Slots()[i], afterOk[i]);
}

TEST_F(ColourEditor, WithoutAParameterArrayOkReturnsOneAndCancelZero)
{
    EXPECT_EQ(Edit(1, nullptr, {Pick({1, 2, 3}), PressOk()}), 1);
    EXPECT_EQ(Edit(2, nullptr, {PressCancel()}), 0);
}

TEST_F(ColourEditor, RequestIsThePlainDialogWithTheCustomColoursOfTheLibrary)
{
    ParamSlots slots({"1", "2", "3", "0"});
    Edit(1, slots.Slots(), {PressCancel()});
    const CHOOSECOLORW &request = Seen.request;
    EXPECT_EQ(request.lStructSize, 36u);
    EXPECT_EQ(request.Flags, (DWORD)CC_RGBINIT);
    EXPECT_EQ(request.hInstance, nullptr);
    EXPECT_EQ(request.lCustData, 0);
    EXPECT_EQ(request.lpfnHook, nullptr);
    EXPECT_EQ(request.lpTemplateName, nullptr);
    ASSERT_NE(request.lpCustColors, nullptr);
    // The custom colours live in the library, not on a stack.
    HMODULE owner = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCWSTR)request.lpCustColors, &owner);
    EXPECT_EQ(owner, plugin.Module());
}

// Defines custom colours in the dialog: each Add stores the colour in the
// boxes as one more custom colour (where it goes is the dialog's affair).
EditorStep AddCustomColours(std::vector<Rgb> colours)
{
    return [colours](HWND dialog) {
        for (const Rgb &rgb : colours) {
            Type(dialog, rgb);
            Press(dialog, kAddCustomColour);
        }
    };
}

// The custom colours as the open dialog holds them.
using CustomColours = std::vector<COLORREF>;
EditorStep TakeCustomColours(CustomColours *colours)
{
    return [colours](HWND) {
        const COLORREF *held = Seen.request.lpCustColors;
        colours->assign(held, held + 16);
    };
}

bool Holds(const CustomColours &colours, COLORREF colour)
{
    return std::find(colours.begin() + 1, colours.end(), colour) != colours.end();
}

TEST_F(ColourEditor, CustomColoursCarryOverBetweenEditsOfEitherActionUntilUnload)
{
    ParamSlots first({"1", "2", "3", "0"});
    CustomColours defined;
    Edit(1, first.Slots(),
         {AddCustomColours({{7, 7, 7}, {11, 22, 33}, {44, 55, 66}}), TakeCustomColours(&defined),
          PressOk()});
    for (int i = 1; i < 16; i++)
        EXPECT_EQ(Seen.customColors[i], 0u) << "a fresh load starts from black";
    ASSERT_EQ(defined.size(), 16u);
    ASSERT_TRUE(Holds(defined, RGB(11, 22, 33)) && Holds(defined, RGB(44, 55, 66)))
        << "the dialog did not take the custom colours";

    // The next edit, of the other action, shows them again, with entry 0
    // replaced by its own initial colour; so does one after a Cancel.
    ParamSlots second({"100", "101", "102", "0"});
    Edit(2, second.Slots(), {PressCancel()});
    EXPECT_EQ(Seen.customColors[0], RGB(100, 101, 102)) << "entry 0 is not the initial colour";
    for (int i = 1; i < 16; i++)
        EXPECT_EQ(Seen.customColors[i], defined[i]) << "custom colour " << i;
    Edit(1, nullptr, {PressOk()});
    EXPECT_EQ(Seen.customColors[0], 0u);
    for (int i = 1; i < 16; i++)
        EXPECT_EQ(Seen.customColors[i], defined[i]) << "custom colour " << i;

    plugin.Unload();
    ASSERT_TRUE(plugin.Load());
    Edit(1, second.Slots(), {PressCancel()});
    for (int i = 1; i < 16; i++)
        EXPECT_EQ(Seen.customColors[i], 0u) << "custom colour " << i << " survived an unload";
}

// What one window of the thread looks like: enabled, top-most.
struct WindowState {
    bool enabled;
    bool topmost;
    bool operator==(const WindowState &other) const
    {
        return enabled == other.enabled && topmost == other.topmost;
    }
};

std::ostream &operator<<(std::ostream &out, const WindowState &state)
{
    return out << (state.enabled ? "enabled" : "disabled") << (state.topmost ? ", top-most" : "");
}

WindowState StateOf(HWND window)
{
    return {IsWindowEnabled(window) != 0,
            (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0};
}

TEST_F(ColourEditor, TakesTheThreadsWindowsOutOfPlayAndBringsThemBackAsTheyWere)
{
    HWND foreground = CreateHostWindow(L"Foreground");
    HWND topmost = CreateHostWindow(L"Top-most", WS_EX_TOPMOST);
    HWND disabled = CreateHostWindow(L"Disabled before");
    EnableWindow(disabled, FALSE);
    HWND hidden = CreateHostWindow(L"Hidden");
    ShowWindow(hidden, SW_HIDE);
    SetForegroundWindow(foreground);
    PumpMessages();
    ASSERT_EQ(GetForegroundWindow(), foreground);
    ASSERT_TRUE(StateOf(topmost).topmost);

    struct Row {
        const char *what;
        HWND window;
        WindowState during, after;
    };
    const Row rows[] = {
        {"foreground (the owner)", foreground, {false, false}, {true, false}},
        {"top-most", topmost, {false, false}, {true, true}},
        {"disabled before", disabled, {false, false}, {false, false}},
        {"hidden", hidden, {true, false}, {true, false}},
    };
    std::vector<WindowState> during;
    HWND dialogOwner = nullptr;
    ParamSlots slots({"1", "2", "3", "0"});
    EXPECT_EQ(Edit(1, slots.Slots(), {[&](HWND dialog) {
                        for (const Row &row : rows)
                            during.push_back(StateOf(row.window));
                        dialogOwner = GetWindow(dialog, GW_OWNER);
                    },
                    PressOk()}),
              1);
    EXPECT_EQ(Seen.request.hwndOwner, foreground);
    EXPECT_EQ(dialogOwner, foreground);
    ASSERT_EQ(during.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); i++) {
        SCOPED_TRACE(rows[i].what);
        EXPECT_EQ(during[i], rows[i].during);
        EXPECT_EQ(StateOf(rows[i].window), rows[i].after);
    }
    for (HWND window : {foreground, topmost, disabled, hidden})
        DestroyWindow(window);
}

TEST_F(ColourEditor, WithTheForegroundInAnotherProcessTheDialogHasNoOwner)
{
    HWND mine = CreateHostWindow(L"Not foreground");
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    wchar_t command[] = L"notepad.exe";
    ASSERT_TRUE(CreateProcessW(nullptr, command, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    WaitForInputIdle(process.hProcess, 10000);
    // Wait for the other program's window to take the foreground.
    DWORD foregroundProcess = 0;
    for (int i = 0; i < 200 && foregroundProcess != process.dwProcessId; i++) {
        Sleep(25);
        PumpMessages();
        GetWindowThreadProcessId(GetForegroundWindow(), &foregroundProcess);
    }
    bool foreign = foregroundProcess == process.dwProcessId;
    WindowState during = {true, true};
    if (foreign) {
        ParamSlots slots({"1", "2", "3", "0"});
        Edit(2, slots.Slots(), {[&](HWND) { during = StateOf(mine); }, PressCancel()});
    }
    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, 10000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_TRUE(foreign) << "the other program never took the foreground";
    EXPECT_EQ(Seen.request.hwndOwner, nullptr);
    EXPECT_EQ(during, (WindowState{false, false})) << "a window of the thread stayed in play";
    EXPECT_EQ(StateOf(mine), (WindowState{true, false}));
    DestroyWindow(mine);
}

TEST_F(ColourEditor, DialogControlsAreTheCommonControlsOfTheLibrarysManifest)
{
    std::wstring module;
    Edit(1, nullptr, {[&](HWND dialog) {
                          HMODULE owner = nullptr;
                          wchar_t path[MAX_PATH] = L"";
                          GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                                 GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                             (LPCWSTR)GetWindowLongPtrW(GetDlgItem(dialog, IDOK),
                                                                        GWLP_WNDPROC),
                                             &owner);
                          GetModuleFileNameW(owner, path, MAX_PATH);
                          module = path;
                      },
                      PressCancel()});
    for (wchar_t &c : module)
        c = towlower(c);
    EXPECT_NE(module.find(L"comctl32.dll"), std::wstring::npos) << module;
}

}  // namespace
