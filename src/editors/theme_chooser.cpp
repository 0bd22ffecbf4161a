#include "editors/theme_chooser.h"

#include "editors/ui_resources.h"
#include "hostio/format_integer.h"
#include "hostio/host_text.h"
#include "hostio/param_integer.h"
#include "plugin/host_state.h"
#include "styling/themes.h"

namespace {

const WCHAR kChooserClass[] = L"ZelvarThemeChooser";
const DWORD kChooserStyle = WS_CAPTION | WS_SYSMENU;

enum ControlId {
    kLabelId = 100,
    kThemeListId = 101,
    kOkButtonId = 102,
    kCancelButtonId = 103,
};

enum AcceleratorCommand {
    kFocusNextCommand = 200,
    kFocusPreviousCommand = 201,
};

enum ChooserOutcome { kChooserOpen, kChooserOk, kChooserCancelled };

// The one chooser that may be open, and what its window procedure learns.
HWND ChooserWindow;
HWND ChooserControls[4];  // in creation order, which is the focus order
int ChooserControlCount;
ChooserOutcome Outcome;
int SelectedIndex;

// The next (or previous) control after the focused one that can take the
// focus by Tab, wrapping around; the first (or last) when none has it.
HWND NextTabStop(HWND focused, bool forward)
{
    int current = -1;
    for (int i = 0; i < ChooserControlCount; i++) {
        if (ChooserControls[i] == focused)
            current = i;
    }
    int count = ChooserControlCount;
    for (int step = 1; step <= count; step++) {
        int start = current >= 0 ? current : (forward ? -1 : count);
        int index = ((forward ? start + step : start - step) % count + count) % count;
        HWND control = ChooserControls[index];
        if (control != NULL && IsWindowEnabled(control) &&
            IsWindowVisible(control) &&
            (GetWindowLongW(control, GWL_STYLE) & WS_TABSTOP) != 0)
            return control;
    }
    return NULL;
}

// Ends the editor's loop. The request may have come as a message sent from
// another thread, which GetMessageW handles without returning, so a posted
// WM_NULL wakes the loop to see it.
void EndChooser(ChooserOutcome outcome)
{
    Outcome = outcome;
    PostMessageW(ChooserWindow, WM_NULL, 0, 0);
}

void OnCommand(HWND window, int id, int code)
{
    switch (id) {
    case kOkButtonId:
        if (code == BN_CLICKED) {
            SelectedIndex = (int)SendDlgItemMessageW(window, kThemeListId,
                                                     LB_GETCURSEL, 0, 0);
            EndChooser(SelectedIndex == LB_ERR ? kChooserCancelled : kChooserOk);
        }
        break;
    case kCancelButtonId:
        if (code == BN_CLICKED)
            EndChooser(kChooserCancelled);
        break;
    case kFocusNextCommand:
    case kFocusPreviousCommand: {
        HWND next = NextTabStop(GetFocus(), id == kFocusNextCommand);
        if (next != NULL)
            SetFocus(next);
        break;
    }
    }
}

LRESULT CALLBACK ChooserProc(HWND window, UINT message, WPARAM wParam,
                             LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(window, LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_CLOSE:
        // The editor's loop ends and destroys the window.
        EndChooser(kChooserCancelled);
        return 0;
    case WM_DESTROY:
        // Destroyed by another hand: the loop must not wait for it forever.
        if (Outcome == kChooserOpen)
            Outcome = kChooserCancelled;
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

HWND CreateControl(const WCHAR *className, const WCHAR *text, DWORD style,
                   DWORD extendedStyle, int x, int y, int width, int height,
                   int id)
{
    HWND control = CreateWindowExW(
        extendedStyle, className, text, WS_CHILD | WS_VISIBLE | style,
        ScaleX(x), ScaleY(y), ScaleX(width), ScaleY(height), ChooserWindow,
        (HMENU)(INT_PTR)id, LibraryModule, NULL);
    if (control != NULL)
        SendMessageW(control, WM_SETFONT, (WPARAM)EditorFont(), FALSE);
    ChooserControls[ChooserControlCount++] = control;
    return control;
}

bool RegisterChooserClass()
{
    WNDCLASSW windowClass;
    ZeroMemory(&windowClass, sizeof windowClass);
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = ChooserProc;
    windowClass.hInstance = LibraryModule;
    windowClass.hCursor = LoadCursorW(NULL, (LPCWSTR)IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kChooserClass;
    return RegisterClassW(&windowClass) != 0;
}

// Creates the window hidden, centres it on the primary screen and shows it.
HWND OpenChooserWindow()
{
    RECT frame = {0, 0, ScaleX(400), ScaleY(450)};
    AdjustWindowRectEx(&frame, kChooserStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, kChooserClass, L"Choose Theme",
                                  kChooserStyle, ScaleX(0), ScaleY(0),
                                  frame.right - frame.left,
                                  frame.bottom - frame.top, NULL, NULL,
                                  LibraryModule, NULL);
    if (window == NULL)
        return NULL;
    RECT outer;
    GetWindowRect(window, &outer);
    int width = outer.right - outer.left;
    int height = outer.bottom - outer.top;
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    int x = (screenWidth - (width < screenWidth ? width : screenWidth)) / 2;
    int y = (screenHeight - (height < screenHeight ? height : screenHeight)) / 2;
    SetWindowPos(window, NULL, x, y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ShowWindow(window, SW_SHOWNORMAL);
    return window;
}

void FillChooser(ParamText *paramSlots)
{
    const DWORD group = WS_GROUP;
    const DWORD button = WS_GROUP | WS_TABSTOP | BS_PUSHBUTTON;
    CreateControl(L"Static", L"Select a predefined theme:",
                  group | SS_NOTIFY | SS_NOPREFIX | SS_LEFT, 0, 20, 20, 360,
                  20, kLabelId);
    HWND list = CreateControl(
        L"ListBox", NULL,
        WS_VSCROLL | WS_HSCROLL | WS_GROUP | WS_TABSTOP | LBS_NOTIFY |
            LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT,
        WS_EX_CLIENTEDGE, 20, 50, 360, 320, kThemeListId);
    for (int number = 1; number <= kThemeCount; number++) {
        const WCHAR *name = ThemeTable[number].Name;
        SendMessageW(list, LB_INSERTSTRING, (WPARAM)-1,
                     (LPARAM)(name != NULL ? name : L""));
    }
    if (paramSlots != NULL && paramSlots[0] != NULL) {
        int theme = TextInteger(paramSlots[0]);
        if (theme >= 1 && theme <= kThemeCount)
            SendMessageW(list, LB_SETCURSEL, theme - 1, 0);
    }
    CreateControl(L"Button", L"OK", button, 0, 220, 390, 65, 28, kOkButtonId);
    CreateControl(L"Button", L"Cancel", button, 0, 295, 390, 65, 28,
                  kCancelButtonId);
    if (list != NULL)
        SetFocus(list);
}

HACCEL CreateChooserAccelerators()
{
    ACCEL keys[2] = {
        {FVIRTKEY | FNOINVERT, VK_TAB, kFocusNextCommand},
        {FVIRTKEY | FNOINVERT | FSHIFT, VK_TAB, kFocusPreviousCommand},
    };
    return CreateAcceleratorTableW(keys, 2);
}

// Serves this thread's messages until the chooser is done. A WM_QUIT ends
// the chooser; it is returned so that it can be handed on to the host.
bool RunChooserLoop(HACCEL accelerators, WPARAM *quitCode)
{
    MSG message;
    while (Outcome == kChooserOpen) {
        BOOL got = GetMessageW(&message, NULL, 0, 0);
        if (got == 0) {
            *quitCode = message.wParam;
            return true;
        }
        if (got == -1)
            break;
        if (GetActiveWindow() == ChooserWindow && accelerators != NULL &&
            TranslateAcceleratorW(ChooserWindow, accelerators, &message))
            continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return false;
}

}  // namespace

int EditThemeParams(ParamText *paramSlots)
{
    if (ChooserWindow != NULL) {
        SetForegroundWindow(ChooserWindow);
        return 0;
    }
    ULONG_PTR context = ActivateLibraryContext();
    if (!RegisterChooserClass()) {
        DeactivateLibraryContext(context);
        return 0;
    }
    Outcome = kChooserOpen;
    SelectedIndex = LB_ERR;
    ChooserControlCount = 0;
    ChooserWindow = OpenChooserWindow();
    if (ChooserWindow == NULL) {
        DeactivateLibraryContext(context);
        UnregisterClassW(kChooserClass, LibraryModule);
        return 0;
    }
    FillChooser(paramSlots);
    DeactivateLibraryContext(context);

    HACCEL accelerators = CreateChooserAccelerators();
    WPARAM quitCode = 0;
    bool quit = RunChooserLoop(accelerators, &quitCode);
    int result = 0;
    if (!quit && Outcome == kChooserOk) {
        if (paramSlots != NULL) {
            WCHAR text[kIntegerTextSize];
            paramSlots[0] = ToHostText(FormatInteger(SelectedIndex + 1, text));
        }
        result = 1;
    }
    if (accelerators != NULL)
        DestroyAcceleratorTable(accelerators);
    DestroyWindow(ChooserWindow);
    ChooserWindow = NULL;
    ChooserControlCount = 0;
    UnregisterClassW(kChooserClass, LibraryModule);
    if (quit)
        PostQuitMessage((int)quitCode);
    return result;
}
