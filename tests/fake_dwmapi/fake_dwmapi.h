// The test bench's stand-in for the desktop window manager. It records every
// DwmSetWindowAttribute call and answers with the HRESULT a test asks for.
#pragma once
#include <windows.h>

struct FakeDwmCall {
    HWND window;
    DWORD attribute;
    DWORD value;  // the first 4 bytes the value pointer addressed
    DWORD size;
};

// The control exports, found with GetProcAddress on the loaded fake.
typedef void(WINAPI *FakeDwmResetProc)();
typedef void(WINAPI *FakeDwmSetResultProc)(DWORD attribute, HRESULT result);
typedef int(WINAPI *FakeDwmCallCountProc)();
typedef BOOL(WINAPI *FakeDwmGetCallProc)(int index, FakeDwmCall *call);
