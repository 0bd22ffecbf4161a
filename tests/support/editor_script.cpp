#include "editor_script.h"

namespace {

const UINT kTickMs = 40;
const int kTicksToClose = 50;     // about 2 s to close after the last step

struct Script {
    const WindowFinder *find;
    const std::vector<EditorStep> *steps;
    ScriptOutcome outcome;
    HWND window = nullptr;
    int ticksAfterLast = 0;
    bool running = false;  // a step is running (it may pump messages)
};

Script *Current;

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    // A tick left in the queue after its script ended finds nothing to do.
    if (Current == nullptr || Current->running)
        return;
    Script &script = *Current;
    if (script.window == nullptr) {
        script.window = (*script.find)();
        if (script.window == nullptr)
            return;
        script.outcome.found = true;
    }
    if (script.outcome.stepsRun < script.steps->size()) {
        script.running = true;
        (*script.steps)[script.outcome.stepsRun++](script.window);
        script.running = false;
        return;
    }
    if (++script.ticksAfterLast != kTicksToClose)
        return;
    if (IsWindow(script.window)) {
        script.outcome.leftOpen = true;
        PostMessageW(script.window, WM_CLOSE, 0, 0);
    } else {
        // The window is gone but the editor still runs its loop.
        script.outcome.stuck = true;
        PostQuitMessage(0);
    }
}

}  // namespace

ScriptOutcome RunScripted(const WindowFinder &find,
                          const std::vector<EditorStep> &steps,
                          const std::function<void()> &edit)
{
    Script script;
    script.find = &find;
    script.steps = &steps;
    Script *outer = Current;
    Current = &script;
    UINT_PTR timer = SetTimer(nullptr, 0, kTickMs, Tick);
    edit();
    KillTimer(nullptr, timer);
    Current = outer;
    MSG quit;
    if (script.outcome.stuck)
        PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    return script.outcome;
}

namespace {

struct WindowQuery {
    const wchar_t *className;
    const wchar_t *title;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context)
{
    WindowQuery *query = (WindowQuery *)context;
    wchar_t text[256] = L"";
    GetWindowTextW(window, text, 256);
    if (IsWindowVisible(window) &&
        (query->className == nullptr || ClassOf(window) == query->className) &&
        (query->title == nullptr || wcscmp(text, query->title) == 0)) {
        query->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

HWND FindThreadWindow(const wchar_t *className, const wchar_t *title)
{
    WindowQuery query = {className, title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchWindow, (LPARAM)&query);
    return query.found;
}

void TypeKey(WORD virtualKey, bool withShift)
{
    INPUT inputs[4] = {};
    int count = 0;
    auto key = [&](WORD vk, bool up) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = vk;
        inputs[count].ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        count++;
    };
    if (withShift)
        key(VK_SHIFT, false);
    key(virtualKey, false);
    key(virtualKey, true);
    if (withShift)
        key(VK_SHIFT, true);
    SendInput(count, inputs, sizeof(INPUT));
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256] = L"";
    GetClassNameW(window, name, 256);
    return name;
}
