// The run-time binding to the desktop window manager.
#pragma once
#include <windows.h>

typedef HRESULT(WINAPI *SetWindowAttributeProc)(HWND window, DWORD attribute,
                                                LPCVOID value, DWORD size);

struct DwmBindingRecord {
    HMODULE LibraryHandle;                   // dwmapi.dll, null until loaded
    SetWindowAttributeProc SetAttributeProc; // its DwmSetWindowAttribute
};

extern DwmBindingRecord DwmBinding;

// Binds DwmSetWindowAttribute on first use; returns 1 when it is bound.
// A failed attempt is not remembered and is tried again on the next call.
int EnsureDwmBinding();

// Unloads the window manager's library if it was loaded.
void ReleaseDwmBinding();
