// The "Choose Theme" window behind the edit request of action 3, driven as
// an author uses it: the tests find the window from a thread timer that the
// chooser's own message loop dispatches, look at it, and press its buttons
// and keys.
#include <algorithm>

#include <cstdlib>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "editor_script.h"
#include "plugin_fixture.h"

namespace {

// A DPI-aware program sees the screen's real logical DPI; on Windows an
// unaware one would be shown 96 whatever the setting.
const BOOL kDpiAware = SetProcessDPIAware();

const char *const kThemeNames[20] = {
    "Charcoal",     "Clean White",   "Crimson Red",   "Cyber Purple",
    "Dark Gray",    "Dark Mode",     "Deep Teal",     "Electric Blue",
    "Forest Green", "Gold",          "Hot Pink",      "Light Mode",
    "Lime Green",   "Matrix Green",  "Midnight Blue", "Office Blue",
    "Royal Purple", "Steel Blue",    "Sunset Orange", "Warm Gray",
};

const int kLabel = 0, kList = 1, kOk = 2, kCancel = 3;

HWND FindChooser() { return FindThreadWindow(nullptr, L"Choose Theme"); }

// The chooser's child windows in creation order (the first created is the
// top of the children's z-order).
std::vector<HWND> Children(HWND window)
{
    std::vector<HWND> children;
    for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT))
        children.push_back(child);
    return children;
}

HWND Control(HWND chooser, int index)
{
    std::vector<HWND> children = Children(chooser);
    return index < (int)children.size() ? children[index] : nullptr;
}

void Click(HWND chooser, int index)
{
    HWND button = Control(chooser, index);
    ASSERT_NE(button, nullptr);
    SendMessageW(button, BM_CLICK, 0, 0);
}

EditorStep PressOk() { return [](HWND chooser) { Click(chooser, kOk); }; }
EditorStep PressCancel() { return [](HWND chooser) { Click(chooser, kCancel); }; }

EditorStep Select(int index)
{
    return [index](HWND chooser) {
        SendMessageW(Control(chooser, kList), LB_SETCURSEL, index, 0);
    };
}

int Selection(HWND chooser)
{
    return (int)SendMessageW(Control(chooser, kList), LB_GETCURSEL, 0, 0);
}

// The logical DPI the run was set up for (ZELVAR_LOGPIXELS, else 96).
int ExpectedDpi()
{
    const char *configured = getenv("ZELVAR_LOGPIXELS");
    return configured != nullptr && *configured != 0 ? atoi(configured) : 96;
}

// Every window this thread creates while the recorder is installed, as the
// creation request gave it.
struct CreatedWindow {
    HWND window;
    std::wstring className;
    std::wstring text;
    DWORD style;
    DWORD extendedStyle;
    int x, y, width, height;
    HWND parent;
};

std::vector<CreatedWindow> Created;

LRESULT CALLBACK RecordCreation(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTW *cs = ((CBT_CREATEWNDW *)lParam)->lpcs;
        CreatedWindow created;
        created.window = (HWND)wParam;
        created.className = IS_INTRESOURCE(cs->lpszClass)
                                ? L"#" + std::to_wstring((UINT_PTR)cs->lpszClass)
                                : cs->lpszClass;
        created.text = cs->lpszName != nullptr ? cs->lpszName : L"(null)";
        created.style = (DWORD)cs->style;
        created.extendedStyle = cs->dwExStyle;
        created.x = cs->x;
        created.y = cs->y;
        created.width = cs->cx;
        created.height = cs->cy;
        created.parent = cs->hwndParent;
        Created.push_back(created);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class CreationRecorder {
public:
    CreationRecorder()
    {
        Created.clear();
        hook_ = SetWindowsHookExW(WH_CBT, RecordCreation, nullptr, GetCurrentThreadId());
        EXPECT_NE(hook_, nullptr);
    }
    ~CreationRecorder() { UnhookWindowsHookEx(hook_); }

private:
    HHOOK hook_;
};

// A window of the "host" that counts the WM_APP messages it receives.
int HostMessagesReceived;

LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_APP)
        HostMessagesReceived++;
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateCountingWindow()
{
    static ATOM atom = 0;
    if (atom == 0) {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = CountingProc;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"ZelvarTestCountingHost";
        atom = RegisterClassW(&windowClass);
    }
    HWND window = CreateWindowExW(0, L"ZelvarTestCountingHost", L"Counting host",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 60, 60, 300, 200,
                                  nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    PumpMessages();
    return window;
}

// The file a code address belongs to, by its name alone ("comctl32.dll").
std::wstring ModuleNameOf(const void *address)
{
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = L"";
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       (LPCWSTR)address, &module);
    GetModuleFileNameW(module, path, MAX_PATH);
    std::wstring name = path;
    size_t slash = name.find_last_of(L"\\/");
    name = slash == std::wstring::npos ? name : name.substr(slash + 1);
    for (wchar_t &c : name)
        c = towlower(c);
    return name;
}

class ThemeChooser : public PluginTest {
protected:
    void SetUp() override
    {
        PluginTest::SetUp();
        StartHost(SentinelHostWindow());
    }

    // Makes the edit request for action 3 with the steps scripted in the
    // chooser, checks that the chooser opened and closed when the script
    // said, and returns the editor's result.
    int Edit(char **slots, const std::vector<EditorStep> &steps)
    {
        int result = -1;
        ScriptOutcome outcome =
            RunScripted(FindChooser, steps, [&] { result = plugin.EditAction(3, slots); });
        EXPECT_TRUE(outcome.found) << "no \"Choose Theme\" window opened";
        EXPECT_EQ(outcome.stepsRun, steps.size()) << "the chooser closed too early";
        EXPECT_FALSE(outcome.leftOpen) << "the chooser stayed open after the script";
        EXPECT_FALSE(outcome.stuck) << "the editor ran on without its window";
        EXPECT_EQ(FindChooser(), nullptr) << "the chooser is still there after the edit";
        return result;
    }
};

// Everything about the window's looks; run at 96 and at 120 DPI.
using ThemeChooserLayout = ThemeChooser;

TEST_F(ThemeChooserLayout, TheScreenHasTheLogicalDpiOfTheRun)
{
    HDC screen = GetDC(nullptr);
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSX), ExpectedDpi());
    EXPECT_EQ(GetDeviceCaps(screen, LOGPIXELSY), ExpectedDpi());
    ReleaseDC(nullptr, screen);
}

TEST_F(ThemeChooserLayout, WindowIsAFixedCaptionOfScaledClientSizeCentredOnTheScreen)
{
    CreationRecorder recorder;
    std::wstring className;
    RECT client = {}, outer = {};
    ParamSlots slots({"5", "0"});
    int result = Edit(slots.Slots(), {[&](HWND chooser) {
        className = ClassOf(chooser);
        GetClientRect(chooser, &client);
        GetWindowRect(chooser, &outer);
        DWORD style = GetWindowLongW(chooser, GWL_STYLE);
        EXPECT_EQ(style & ~(WS_VISIBLE | WS_CLIPSIBLINGS), (DWORD)(WS_CAPTION | WS_SYSMENU));
        EXPECT_TRUE(style & WS_VISIBLE);
        EXPECT_EQ(GetWindowLongW(chooser, GWL_EXSTYLE) & ~WS_EX_WINDOWEDGE, 0);
        EXPECT_EQ(GetParent(chooser), nullptr);
        EXPECT_EQ(GetWindow(chooser, GW_OWNER), nullptr);
        EXPECT_EQ(GetMenu(chooser), nullptr);
        EXPECT_EQ(GetActiveWindow(), chooser) << "showing it did not activate it";

        EXPECT_EQ(GetClassLongW(chooser, GCL_STYLE), (DWORD)CS_DBLCLKS);
        EXPECT_EQ(GetClassLongPtrW(chooser, GCLP_HBRBACKGROUND), (LONG_PTR)(COLOR_BTNFACE + 1));
        EXPECT_EQ(GetClassLongPtrW(chooser, GCLP_HCURSOR),
                  (LONG_PTR)LoadCursorW(nullptr, (LPCWSTR)IDC_ARROW));
        EXPECT_EQ(GetClassLongPtrW(chooser, GCLP_HICON), 0);
        EXPECT_EQ(GetClassLongPtrW(chooser, GCLP_HMODULE), (LONG_PTR)plugin.Module());
        WNDCLASSW registered;
        EXPECT_TRUE(GetClassInfoW(plugin.Module(), className.c_str(), &registered));
        Click(chooser, kCancel);
    }});
    EXPECT_EQ(result, 0);

    int dpi = ExpectedDpi();
    int clientWidth = dpi == 96 ? 400 : dpi == 120 ? 500 : MulDiv(400, dpi, 96);
    int clientHeight = dpi == 96 ? 450 : dpi == 120 ? 563 : MulDiv(450, dpi, 96);
    EXPECT_EQ(client.right, clientWidth);
    EXPECT_EQ(client.bottom, clientHeight);

    // Centred on the primary screen.
    int width = outer.right - outer.left, height = outer.bottom - outer.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN), screenHeight = GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(outer.left, (screenWidth - std::min(width, screenWidth)) / 2);
    EXPECT_EQ(outer.top, (screenHeight - std::min(height, screenHeight)) / 2);

    // Created hidden at 0, 0 with exactly a caption and a system menu, and
    // the outer size that the client size needs.
    ASSERT_FALSE(Created.empty());
    const CreatedWindow &window = Created[0];
    EXPECT_EQ(window.className, className);
    EXPECT_EQ(window.text, L"Choose Theme");
    EXPECT_EQ(window.style, (DWORD)(WS_CAPTION | WS_SYSMENU));
    // The system adds WS_EX_WINDOWEDGE to a window with a dialog frame.
    EXPECT_EQ(window.extendedStyle & ~WS_EX_WINDOWEDGE, 0u);
    EXPECT_EQ(window.parent, nullptr);
    EXPECT_EQ(window.x, 0);
    EXPECT_EQ(window.y, 0);
    RECT frame = {0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, WS_CAPTION | WS_SYSMENU, FALSE, 0);
    EXPECT_EQ(window.width, frame.right - frame.left);
    EXPECT_EQ(window.height, frame.bottom - frame.top);
    EXPECT_EQ(width, frame.right - frame.left);
    EXPECT_EQ(height, frame.bottom - frame.top);

    // The class lives only as long as the window.
    WNDCLASSW unused;
    EXPECT_FALSE(GetClassInfoW(plugin.Module(), className.c_str(), &unused))
        << "the chooser's class is still registered";
}

struct ControlRow {
    const wchar_t *className;
    const wchar_t *text;
    DWORD style;
    DWORD extendedStyle;
    int x, y, width, height;
};

const DWORD kButtonStyle = WS_CHILD | WS_VISIBLE | WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
const ControlRow kControls[4] = {
    {L"Static", L"Select a predefined theme:",
     WS_CHILD | WS_VISIBLE | WS_GROUP | SS_NOTIFY | SS_NOPREFIX | SS_LEFT, 0, 20, 20, 360, 20},
    {L"ListBox", L"(null)",
     WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP | LBS_NOTIFY |
         LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
     WS_EX_CLIENTEDGE, 20, 50, 360, 320},
    {L"Button", L"OK", kButtonStyle, 0, 220, 390, 65, 28},
    {L"Button", L"Cancel", kButtonStyle, 0, 295, 390, 65, 28},
};

std::wstring Lower(std::wstring text)
{
    for (wchar_t &c : text)
        c = towlower(c);
    return text;
}

// A class name as the creation request carries it: plain, or, inside an
// activation context that redirects it, "version!name".
bool SameClass(const std::wstring &requested, const std::wstring &name)
{
    std::wstring plain = requested.substr(requested.find(L'!') + 1);
    return Lower(plain) == Lower(name);
}

TEST_F(ThemeChooserLayout, FourControlsAsTheLayoutGivesThemWithTheMessageFont)
{
    CreationRecorder recorder;
    HWND chooser = nullptr;
    std::vector<HWND> children;
    std::vector<RECT> placed;
    std::vector<std::wstring> classes;
    std::vector<DWORD> exStyles;
    std::vector<HFONT> fonts;
    ParamSlots slots({"1", "0"});
    Edit(slots.Slots(), {[&](HWND window) {
        chooser = window;
        children = Children(window);
        for (HWND child : children) {
            RECT rect;
            GetWindowRect(child, &rect);
            MapWindowPoints(nullptr, window, (POINT *)&rect, 2);
            placed.push_back(rect);
            classes.push_back(ClassOf(child));
            exStyles.push_back(GetWindowLongW(child, GWL_EXSTYLE));
            fonts.push_back((HFONT)SendMessageW(child, WM_GETFONT, 0, 0));
        }
        Click(window, kCancel);
    }});

    ASSERT_EQ(children.size(), 4u);
    std::vector<CreatedWindow> controls;
    for (const CreatedWindow &created : Created) {
        if (created.parent == chooser)
            controls.push_back(created);
    }
    ASSERT_EQ(controls.size(), 4u) << "the chooser made other child windows";
    int dpi = ExpectedDpi();
    for (int i = 0; i < 4; i++) {
        const ControlRow &row = kControls[i];
        SCOPED_TRACE(row.text);
        EXPECT_EQ(controls[i].window, children[i]) << "created out of order";
        EXPECT_TRUE(SameClass(controls[i].className, row.className)) << controls[i].className;
        EXPECT_EQ(Lower(classes[i]), Lower(row.className));
        EXPECT_EQ(controls[i].text, row.text);
        EXPECT_EQ(controls[i].style, row.style);
        EXPECT_EQ(controls[i].extendedStyle, row.extendedStyle);
        EXPECT_EQ(exStyles[i], row.extendedStyle);
        int x = MulDiv(row.x, dpi, 96), y = MulDiv(row.y, dpi, 96);
        int width = MulDiv(row.width, dpi, 96), height = MulDiv(row.height, dpi, 96);
        EXPECT_EQ(controls[i].x, x);
        EXPECT_EQ(controls[i].y, y);
        EXPECT_EQ(controls[i].width, width);
        EXPECT_EQ(controls[i].height, height);
        EXPECT_EQ(placed[i].left, x);
        EXPECT_EQ(placed[i].top, y);
        EXPECT_EQ(placed[i].right - placed[i].left, width);
        EXPECT_EQ(placed[i].bottom - placed[i].top, height);
        EXPECT_EQ(fonts[i], fonts[0]) << "not the same font as the label";
    }

    // The font is the system's message font, made by the library.
    ASSERT_EQ(GetObjectType(fonts[0]), (DWORD)OBJ_FONT);
    EXPECT_NE(fonts[0], (HFONT)GetStockObject(DEFAULT_GUI_FONT));
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = 500;
    ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, 500, &metrics, 0));
    LOGFONTW font = {};
    ASSERT_EQ(GetObjectW(fonts[0], sizeof font, &font), (int)sizeof font);
    EXPECT_EQ(font.lfHeight, metrics.lfMessageFont.lfHeight);
    EXPECT_EQ(font.lfWeight, metrics.lfMessageFont.lfWeight);
    EXPECT_STREQ(font.lfFaceName, metrics.lfMessageFont.lfFaceName);
}

TEST_F(ThemeChooserLayout, ListShowsTheTwentyNamesInNumberOrder)
{
    std::vector<std::string> names;
    ParamSlots slots({"1", "0"});
    Edit(slots.Slots(), {[&](HWND chooser) {
        HWND list = Control(chooser, kList);
        int count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; i++) {
            char name[64] = "";
            SendMessageA(list, LB_GETTEXT, i, (LPARAM)name);
            names.push_back(name);
        }
        Click(chooser, kCancel);
    }});
    EXPECT_EQ(names, std::vector<std::string>(kThemeNames, kThemeNames + 20));
}

// The entry's text and the row the chooser preselects for it (-1: none).
struct PreselectionRow {
    bool nullArray;
    std::optional<std::string> entry;
    int selected;
};

const PreselectionRow kPreselection[] = {
    {false, "5", 4},     {false, "1", 0},    {false, "20", 19},   {false, " 7", 6},
    {false, "$A", 9},    {false, "0", -1},   {false, "21", -1},   {false, "-3", -1},
    {false, "abc", -1},  {false, "", -1},    {false, std::nullopt, -1},
    {false, "4294967301", 4},  // read modulo 2^32: theme 5
    {true, std::nullopt, -1},
};

TEST_F(ThemeChooser, PreselectsTheThemeThatEntryZeroNames)
{
    for (const PreselectionRow &row : kPreselection) {
        SCOPED_TRACE(row.nullArray ? "null array" : row.entry ? "\"" + *row.entry + "\"" : "null entry");
        ParamSlots slots({row.entry, "0"});
        int selected = -2;
        bool lastVisible = true;
        int result = Edit(row.nullArray ? nullptr : slots.Slots(), {[&](HWND chooser) {
            selected = Selection(chooser);
            if (selected == 19) {
                RECT item, list;
                HWND listBox = Control(chooser, kList);
                SendMessageW(listBox, LB_GETITEMRECT, 19, (LPARAM)&item);
                GetClientRect(listBox, &list);
                lastVisible = item.top >= 0 && item.bottom <= list.bottom;
            }
            Click(chooser, kCancel);
        }});
        EXPECT_EQ(result, 0);
        EXPECT_EQ(selected, row.selected);
        EXPECT_TRUE(lastVisible) << "the selected last item is not scrolled into view";
        EXPECT_EQ(slots.Slots()[0], slots.Original(0)) << "Cancel wrote entry 0";
        EXPECT_EQ(slots.Slots()[1], slots.Original(1));
    }
}

TEST_F(ThemeChooser, OkWritesTheSelectedNumberAsANewTextInEntryZero)
{
    ParamSlots slots({"5", "777"});
    EXPECT_EQ(Edit(slots.Slots(), {PressOk()}), 1);
    ASSERT_NE(slots.Slots()[0], slots.Original(0)) << "entry 0 was not given a new text";
    EXPECT_STREQ(slots.Slots()[0], "5");
    EXPECT_EQ(CheckHostText(slots.Slots()[0]), "");
    EXPECT_STREQ(slots.Original(0), "5") << "the host's old text was changed";
    EXPECT_EQ(slots.Slots()[1], slots.Original(1)) << "entry 1 was touched";
    EXPECT_STREQ(slots.Slots()[1], "777");
    EXPECT_TRUE(RecordedWrites.empty()) << "the editor wrote a host variable";

    // A second edit starts from the text the first one wrote.
    ParamSlots other({"12", "0"});
    EXPECT_EQ(Edit(other.Slots(), {Select(15), PressOk()}), 1);
    EXPECT_STREQ(other.Slots()[0], "16");
}

// Every way of closing the chooser without OK, with a theme selected.
struct CloseRow {
    const char *what;
    EditorStep close;
};

TEST_F(ThemeChooser, CancelAndTheCloseBoxReturnZeroAndWriteNothing)
{
    const CloseRow rows[] = {
        {"Cancel", PressCancel()},
        {"WM_CLOSE", [](HWND chooser) { PostMessageW(chooser, WM_CLOSE, 0, 0); }},
        {"close box", [](HWND chooser) { PostMessageW(chooser, WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [](HWND chooser) {
             SetForegroundWindow(chooser);
             INPUT keys[4] = {};
             WORD order[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
             for (int i = 0; i < 4; i++) {
                 keys[i].type = INPUT_KEYBOARD;
                 keys[i].ki.wVk = order[i];
                 keys[i].ki.dwFlags = i >= 2 ? KEYEVENTF_KEYUP : 0;
             }
             SendInput(4, keys, sizeof(INPUT));
         }},
    };
    for (const CloseRow &row : rows) {
        SCOPED_TRACE(row.what);
        ParamSlots slots({"5", "0"});
        EXPECT_EQ(Edit(slots.Slots(), {Select(8), row.close}), 0);
        EXPECT_EQ(slots.Slots()[0], slots.Original(0));
        EXPECT_EQ(slots.Slots()[1], slots.Original(1));
    }
}

TEST_F(ThemeChooser, AChooserDestroyedByAnotherHandEndsTheEditWithZero)
{
    ParamSlots slots({"5", "0"});
    EXPECT_EQ(Edit(slots.Slots(), {[](HWND chooser) { DestroyWindow(chooser); }}), 0);
    EXPECT_EQ(slots.Slots()[0], slots.Original(0));
    // The editor left no WM_QUIT of its own behind.
    MSG message;
    EXPECT_FALSE(PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
}

// Another thread (an automation tool, another program) presses a button
// or closes the chooser with a sent message, which the loop's GetMessageW
// handles without returning: the loop must still wake up and end.
struct RemoteHand {
    UINT message;
    int control;  // -1: the chooser itself
    WPARAM wParam;
    volatile LONG editReturned;
    volatile LONG rescued;
};

DWORD WINAPI PressFromAnotherThread(void *context)
{
    RemoteHand *hand = (RemoteHand *)context;
    HWND chooser = nullptr;
    for (int i = 0; i < 400 && (chooser == nullptr || Control(chooser, kCancel) == nullptr); i++) {
        Sleep(25);
        chooser = FindWindowW(nullptr, L"Choose Theme");
    }
    if (chooser == nullptr)
        return 0;
    Sleep(500);  // let the chooser paint and its loop fall idle
    HWND target = hand->control < 0 ? chooser : Control(chooser, hand->control);
    DWORD_PTR unused;
    SendMessageTimeoutW(target, hand->message, hand->wParam, 0, SMTO_NORMAL, 5000, &unused);
    // A person would be long done by now; wake the loop, and if that is not
    // enough close the chooser, so that the test ends.
    for (UINT rescue : {WM_NULL, WM_CLOSE}) {
        for (int i = 0; i < 120 && !hand->editReturned; i++)
            Sleep(25);
        if (hand->editReturned)
            break;
        hand->rescued = 1;
        PostMessageW(chooser, rescue, 0, 0);
    }
    return 0;
}

TEST_F(ThemeChooser, AButtonPressedOrCloseSentFromAnotherThreadEndsTheLoop)
{
    struct Row {
        const char *what;
        UINT message;
        int control;
        int result;
    };
    const Row rows[] = {
        {"OK", BM_CLICK, kOk, 1},
        {"Cancel", BM_CLICK, kCancel, 0},
        {"WM_CLOSE", WM_CLOSE, -1, 0},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.what);
        RemoteHand hand = {row.message, row.control, 0, 0, 0};
        HANDLE thread = CreateThread(nullptr, 0, PressFromAnotherThread, &hand, 0, nullptr);
        ParamSlots slots({"5", "0"});
        int result = plugin.EditAction(3, slots.Slots());
        InterlockedExchange(&hand.editReturned, 1);
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
        EXPECT_EQ(result, row.result);
        EXPECT_FALSE(hand.rescued) << "the loop slept on after the chooser was done";
    }
}

TEST_F(ThemeChooser, OkWithNothingSelectedReturnsZeroAndLeavesTheEntry)
{
    ParamSlots slots({"abc", "0"});
    EXPECT_EQ(Edit(slots.Slots(), {PressOk()}), 0);
    EXPECT_EQ(slots.Slots()[0], slots.Original(0));
}

TEST_F(ThemeChooser, WithoutAParameterArrayOkReturnsOneAndCancelZero)
{
    EXPECT_EQ(Edit(nullptr, {Select(2), PressOk()}), 1);
    EXPECT_EQ(Edit(nullptr, {Select(2), PressCancel()}), 0);
}

// A double-click as a person makes it: two clicks of the system's mouse
// input on the middle of the item.
void DoubleClickItem(HWND list, int index)
{
    RECT item;
    SendMessageW(list, LB_GETITEMRECT, index, (LPARAM)&item);
    POINT centre = {(item.left + item.right) / 2, (item.top + item.bottom) / 2};
    ClientToScreen(list, &centre);
    SetCursorPos(centre.x, centre.y);
    INPUT clicks[4] = {};
    for (int i = 0; i < 4; i++) {
        clicks[i].type = INPUT_MOUSE;
        clicks[i].mi.dwFlags = i % 2 == 0 ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    SendInput(4, clicks, sizeof(INPUT));
}

LRESULT CALLBACK CountDoubleClicks(int code, WPARAM wParam, LPARAM lParam);
int DoubleClicksSeen;

TEST_F(ThemeChooser, DoubleClickSelectsAnItemWithoutClosingAndOkWritesIt)
{
    HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, CountDoubleClicks, nullptr, GetCurrentThreadId());
    DoubleClicksSeen = 0;
    ParamSlots slots({"5", "0"});
    bool stillOpen = false;
    int selected = -2;
    int result = Edit(slots.Slots(), {
        [](HWND chooser) { DoubleClickItem(Control(chooser, kList), 2); },
        [&](HWND chooser) {
            stillOpen = IsWindowVisible(chooser) != 0;
            selected = Selection(chooser);
        },
        PressOk(),
    });
    UnhookWindowsHookEx(hook);
    EXPECT_GE(DoubleClicksSeen, 1) << "the list never got a double-click";
    EXPECT_TRUE(stillOpen);
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(slots.Slots()[0], "3");
}

LRESULT CALLBACK CountDoubleClicks(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION && ((MSG *)lParam)->message == WM_LBUTTONDBLCLK)
        DoubleClicksSeen++;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Focus moves, typed on the keyboard: where the focus starts, the key, and
// where it must end.
struct FocusRow {
    int from;
    bool shift;
    int to;
};

TEST_F(ThemeChooser, TabAndShiftTabMoveTheFocusInCreationOrderAndWrap)
{
    const FocusRow rows[] = {
        {kList, false, kOk},    {kOk, false, kCancel},  {kCancel, false, kList},
        {kList, true, kCancel}, {kCancel, true, kOk},   {kOk, true, kList},
    };
    std::vector<EditorStep> steps;
    std::vector<HWND> focusAfter;
    for (const FocusRow &row : rows) {
        steps.push_back([row](HWND chooser) {
            SetFocus(Control(chooser, row.from));
            TypeKey(VK_TAB, row.shift);
        });
        steps.push_back([&focusAfter](HWND) { focusAfter.push_back(GetFocus()); });
    }
    HWND list = nullptr, ok = nullptr, cancel = nullptr;
    steps.push_back([&](HWND chooser) {
        list = Control(chooser, kList);
        ok = Control(chooser, kOk);
        cancel = Control(chooser, kCancel);
        // The arrow keys move the selection in the focused list.
        SetFocus(list);
        TypeKey(VK_DOWN);
    });
    // Space on the focused OK button clicks it.
    steps.push_back([](HWND chooser) {
        SetFocus(Control(chooser, kOk));
        TypeKey(VK_SPACE);
    });
    ParamSlots slots({"5", "0"});
    EXPECT_EQ(Edit(slots.Slots(), steps), 1);
    HWND controls[4] = {nullptr, list, ok, cancel};
    ASSERT_EQ(focusAfter.size(), std::size(rows));
    for (size_t i = 0; i < std::size(rows); i++) {
        SCOPED_TRACE("row " + std::to_string(i));
        EXPECT_EQ(focusAfter[i], controls[rows[i].to]);
    }
    EXPECT_STREQ(slots.Slots()[0], "6");
}

TEST_F(ThemeChooser, HostWindowsKeepReceivingTheirMessagesAndStayUsable)
{
    HWND host = CreateCountingWindow();
    HostMessagesReceived = 0;
    bool hostEnabled = false;
    HWND hostOwner = (HWND)1;
    ParamSlots slots({"5", "0"});
    int result = Edit(slots.Slots(), {
        [&](HWND) {
            PostMessageW(host, WM_APP, 0, 0);
            PostMessageW(host, WM_APP, 0, 0);
        },
        [&](HWND) {
            hostEnabled = IsWindowEnabled(host) != 0;
            hostOwner = GetWindow(host, GW_OWNER);
        },
        PressOk(),
    });
    EXPECT_EQ(HostMessagesReceived, 2);
    EXPECT_TRUE(hostEnabled) << "the chooser disabled a host window";
    EXPECT_EQ(hostOwner, nullptr);
    EXPECT_EQ(result, 1);
    DestroyWindow(host);
}

TEST_F(ThemeChooser, QuitEndsTheChooserWithZeroAndIsHandedOnToTheHost)
{
    ParamSlots slots({"5", "0"});
    EXPECT_EQ(Edit(slots.Slots(), {[](HWND) { PostQuitMessage(7); }}), 0);
    EXPECT_EQ(slots.Slots()[0], slots.Original(0));
    MSG message = {};
    bool quit = false;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            quit = true;
            break;
        }
        DispatchMessageW(&message);
    }
    ASSERT_TRUE(quit) << "the WM_QUIT never reached the host's loop";
    EXPECT_EQ(message.wParam, 7u);
}

TEST_F(ThemeChooser, ASecondRequestWhileOpenIsRefusedAndBringsTheChooserForward)
{
    HWND host = CreateCountingWindow();
    ParamSlots second({"9", "0"});
    int secondResult = -1;
    HWND foregroundBefore = nullptr, foregroundAfter = nullptr, chooserSeen = nullptr;
    int choosers = 0;
    ParamSlots slots({"5", "0"});
    int result = Edit(slots.Slots(), {
        [&](HWND) { SetForegroundWindow(host); },
        [&](HWND chooser) {
            chooserSeen = chooser;
            foregroundBefore = GetForegroundWindow();
            secondResult = plugin.EditAction(3, second.Slots());
            foregroundAfter = GetForegroundWindow();
            HWND window = nullptr;
            while ((window = FindWindowExW(nullptr, window, nullptr, L"Choose Theme")) != nullptr)
                choosers++;
        },
        PressOk(),
    });
    EXPECT_EQ(foregroundBefore, host) << "the host window could not be brought forward";
    EXPECT_EQ(secondResult, 0);
    EXPECT_EQ(second.Slots()[0], second.Original(0));
    EXPECT_EQ(foregroundAfter, chooserSeen) << "the open chooser was not brought forward";
    EXPECT_EQ(choosers, 1);
    EXPECT_EQ(result, 1) << "the first chooser did not carry on";
    EXPECT_STREQ(slots.Slots()[0], "5");
    DestroyWindow(host);
}

TEST_F(ThemeChooser, UnloadingDeletesTheFontAndAFreshLoadOpensTheChooserAgain)
{
    HFONT font = nullptr;
    auto takeFont = [&](HWND chooser) {
        font = (HFONT)SendMessageW(Control(chooser, kList), WM_GETFONT, 0, 0);
    };
    ParamSlots slots({"5", "0"});
    EXPECT_EQ(Edit(slots.Slots(), {takeFont, PressCancel()}), 0);
    ASSERT_EQ(GetObjectType(font), (DWORD)OBJ_FONT);
    plugin.Unload();
    EXPECT_EQ(GetObjectType(font), 0u) << "the font outlived the library";

    ASSERT_TRUE(plugin.Load());
    EXPECT_EQ(Edit(slots.Slots(), {takeFont, Select(1), PressOk()}), 1);
    EXPECT_STREQ(slots.Slots()[0], "2");
    EXPECT_EQ(GetObjectType(font), (DWORD)OBJ_FONT);
}

TEST_F(ThemeChooser, ControlsAreTheCommonControlsOfTheLibrarysManifest)
{
    std::vector<std::wstring> modules;
    Edit(nullptr, {[&](HWND chooser) {
        for (HWND child : Children(chooser))
            modules.push_back(ModuleNameOf((const void *)GetWindowLongPtrW(child, GWLP_WNDPROC)));
        Click(chooser, kCancel);
    }});
    // A control made by the test itself, outside the library's context.
    HWND plain = CreateWindowExW(0, L"Button", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    std::wstring plainModule = ModuleNameOf((const void *)GetWindowLongPtrW(plain, GWLP_WNDPROC));
    DestroyWindow(plain);
    ASSERT_EQ(modules.size(), 4u);
    for (const std::wstring &module : modules)
        EXPECT_EQ(module, L"comctl32.dll");
    EXPECT_EQ(plainModule, L"user32.dll");
}

// No initialisation at all: the themes are there from the moment of loading.
using ThemeChooserBeforeInit = PluginTest;

TEST_F(ThemeChooserBeforeInit, ListsTheNamesAndOkOnTheThirdRowWritesThree)
{
    std::string third;
    int count = 0;
    ParamSlots slots({std::nullopt, "0"});
    int result = -1;
    ScriptOutcome outcome = RunScripted(
        FindChooser,
        {[&](HWND chooser) {
             HWND list = Control(chooser, kList);
             count = (int)SendMessageW(list, LB_GETCOUNT, 0, 0);
             char name[64] = "";
             SendMessageA(list, LB_GETTEXT, 2, (LPARAM)name);
             third = name;
         },
         Select(2), PressOk()},
        [&] { result = plugin.EditAction(3, slots.Slots()); });
    EXPECT_TRUE(outcome.found);
    EXPECT_EQ(count, 20);
    EXPECT_EQ(third, "Crimson Red");
    EXPECT_EQ(result, 1);
    EXPECT_STREQ(slots.Slots()[0], "3");
}

}  // namespace
