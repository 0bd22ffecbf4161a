// Drives a design-time editor from the thread that opened it. The editors
// run their own message loops on the calling thread, so a test sets a thread
// timer before the edit request; the editor's loop dispatches it, and its
// procedure waits for the editor's window and then runs the test's steps,
// one step per tick. Timer messages come only when the queue is otherwise
// empty, so whatever one step posted or typed has been handled before the
// next step runs.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

using EditorStep = std::function<void(HWND window)>;
using WindowFinder = std::function<HWND()>;

struct ScriptOutcome {
    bool found = false;     // the editor's window appeared
    size_t stepsRun = 0;    // steps that ran before the editor returned
    bool leftOpen = false;  // the window was still open after the last step
    bool stuck = false;     // the editor ran on after its window was gone
};

// Calls `edit` (which makes the edit request) with the steps scripted
// against the window that `find` returns. A window still open after the
// last step is closed with WM_CLOSE, and an editor still running without
// its window is sent WM_QUIT, so a faulty editor fails the test instead of
// hanging it.
ScriptOutcome RunScripted(const WindowFinder &find,
                          const std::vector<EditorStep> &steps,
                          const std::function<void()> &edit);

// A visible top-level window of this thread with this class (null: any)
// and this title (null: any).
HWND FindThreadWindow(const wchar_t *className, const wchar_t *title);

// Keyboard input as a person types it, through the system's input queue.
void TypeKey(WORD virtualKey, bool withShift = false);

// The window's class name.
std::wstring ClassOf(HWND window);
