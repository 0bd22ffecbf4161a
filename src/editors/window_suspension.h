// Taking the calling thread's top-level windows out of play while a modal
// dialog is open, and bringing them back exactly as they were.
#pragma once
#include <windows.h>

struct SuspendedWindow {
    HWND window;
    bool wasTopmost;
    bool disabledHere;
};

struct SuspendedWindowList {
    SuspendedWindow *records;
    int count;
    int capacity;
};

// Records every visible top-level window of this thread, disables those that
// are enabled and not the foreground window, and drops top-most placement.
void SuspendThreadWindows(SuspendedWindowList *list);

// Undoes SuspendThreadWindows and frees the records.
void RestoreThreadWindows(SuspendedWindowList *list);
