#include "editors/window_suspension.h"

namespace {

bool AddRecord(SuspendedWindowList *list, HWND window)
{
    if (list->count == list->capacity) {
        int capacity = list->capacity == 0 ? 16 : list->capacity * 2;
        SIZE_T bytes = capacity * sizeof(SuspendedWindow);
        void *grown =
            list->records == NULL
                ? HeapAlloc(GetProcessHeap(), 0, bytes)
                : HeapReAlloc(GetProcessHeap(), 0, list->records, bytes);
        if (grown == NULL)
            return false;
        list->records = (SuspendedWindow *)grown;
        list->capacity = capacity;
    }
    SuspendedWindow &record = list->records[list->count++];
    record.window = window;
    record.wasTopmost = (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    record.disabledHere = false;
    if (window != GetForegroundWindow() && IsWindowEnabled(window)) {
        EnableWindow(window, FALSE);
        record.disabledHere = true;
    }
    return true;
}

BOOL CALLBACK SuspendIfOwnThread(HWND window, LPARAM context)
{
    // A window that cannot be recorded is left alone rather than lost.
    if (GetWindowThreadProcessId(window, NULL) == GetCurrentThreadId() &&
        IsWindowVisible(window))
        AddRecord((SuspendedWindowList *)context, window);
    return TRUE;
}

void SetTopmost(HWND window, HWND insertAfter)
{
    SetWindowPos(window, insertAfter, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

}  // namespace

void SuspendThreadWindows(SuspendedWindowList *list)
{
    list->records = NULL;
    list->count = 0;
    list->capacity = 0;
    EnumWindows(SuspendIfOwnThread, (LPARAM)list);
    for (int i = 0; i < list->count; i++) {
        if (list->records[i].wasTopmost)
            SetTopmost(list->records[i].window, HWND_NOTOPMOST);
    }
}

void RestoreThreadWindows(SuspendedWindowList *list)
{
    for (int i = 0; i < list->count; i++) {
        const SuspendedWindow &record = list->records[i];
        if (record.disabledHere)
            EnableWindow(record.window, TRUE);
        if (record.wasTopmost)
            SetTopmost(record.window, HWND_TOPMOST);
    }
    if (list->records != NULL)
        HeapFree(GetProcessHeap(), 0, list->records);
    list->records = NULL;
    list->count = 0;
    list->capacity = 0;
}
