#include "target_window.h"

#include <limits.h>
#include <stdlib.h>

#include <cwctype>

#include "host_window.h"

namespace {

// A handle as typed: signed decimal, as the plug-in writes handles, or 0x hex.
bool ParseWindowHandle(const std::string &text, HWND *window)
{
    const char *start = text.c_str();
    char *end = NULL;
    bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    long long value = hex ? strtoll(start + 2, &end, 16) : strtoll(start, &end, 10);
    if (end == start || end == start + 2 * hex || *end != 0 || value < INT_MIN ||
        value > UINT_MAX)
        return false;
    *window = (HWND)(INT_PTR)(int)(unsigned)value;
    return true;
}

std::wstring Lower(std::wstring text)
{
    for (wchar_t &c : text)
        c = (wchar_t)std::towlower(c);
    return text;
}

struct TitleSearch {
    std::wstring needle;  // lower case
    HWND found;
};

BOOL CALLBACK MatchTitle(HWND window, LPARAM lParam)
{
    TitleSearch *search = (TitleSearch *)lParam;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    // Not our own windows, nor the console, whose title holds the command line.
    if (process == GetCurrentProcessId() || window == GetConsoleWindow() ||
        !IsWindowVisible(window))
        return TRUE;
    wchar_t title[512];
    int length = GetWindowTextW(window, title, 512);
    if (length > 0 && Lower(std::wstring(title, length)).find(search->needle) != std::wstring::npos) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

std::wstring Widen(const std::string &text)
{
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    std::wstring wide(length > 0 ? length - 1 : 0, L'\0');
    if (length > 1)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    return wide;
}

}  // namespace

bool SelectTargetWindow(const Arguments &arguments, TargetWindow *target, ExitCode *code,
                        std::string *error)
{
    target->own = false;
    if (!arguments.windowHandle.empty()) {
        if (!ParseWindowHandle(arguments.windowHandle, &target->window)) {
            *code = kExitUsage;
            *error = "--window needs a window handle, decimal or 0x hex, not '" +
                     arguments.windowHandle + "'";
            return false;
        }
        if (!IsWindow(target->window)) {
            *code = kExitNoWindow;
            *error = "no window has the handle " + arguments.windowHandle;
            return false;
        }
        return true;
    }
    if (!arguments.windowTitle.empty()) {
        TitleSearch search = {Lower(Widen(arguments.windowTitle)), NULL};
        EnumWindows(MatchTitle, (LPARAM)&search);
        if (search.found == NULL) {
            *code = kExitNoWindow;
            *error = "no visible top-level window has a title containing \"" +
                     arguments.windowTitle + "\"";
            return false;
        }
        target->window = search.found;
        return true;
    }
    target->window = CreateOwnHostWindow();
    if (target->window == NULL) {
        *code = kExitSystemFailure;
        *error = "cannot create the host window (error " + std::to_string(GetLastError()) +
                 "; is there a display?)";
        return false;
    }
    target->own = true;
    return true;
}

std::string DescribeWindow(HWND window)
{
    wchar_t title[512] = L"";
    GetWindowTextW(window, title, 512);
    char ansi[1024] = "";
    WideCharToMultiByte(CP_ACP, 0, title, -1, ansi, sizeof ansi, NULL, NULL);
    return std::to_string((int)(INT_PTR)window) + " \"" + ansi + "\"";
}
