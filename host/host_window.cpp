#include "host_window.h"

namespace {

const wchar_t kWindowClass[] = L"ZelvarHostWindow";

LRESULT CALLBACK HostWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        InflateRect(&client, -16, -16);
        SetBkMode(dc, TRANSPARENT);
        SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
        DrawTextW(dc,
                  L"zelvar-host's window: the plug-in's host window, the target of every "
                  L"action whose window parameter is 0.",
                  -1, &client, DT_WORDBREAK);
        EndPaint(window, &paint);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

HWND CreateOwnHostWindow()
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = HostWindowProc;
    windowClass.hInstance = GetModuleHandleW(NULL);
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, kWindowClass, L"Zelvar host window",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 480, 240, NULL,
                                  NULL, GetModuleHandleW(NULL), NULL);
    if (window != NULL) {
        SetForegroundWindow(window);
        PumpMessages();
    }
    return window;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageW(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void WaitUntilClosed(HWND window)
{
    MSG message;
    while (IsWindow(window) && GetMessageW(&message, NULL, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}
