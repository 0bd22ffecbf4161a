// zelvar-host's own window, which it hands to the plug-in as the host window.
#pragma once
#include <windows.h>

// A visible top-level window, brought to the foreground; null on failure.
HWND CreateOwnHostWindow();
// Processes the thread's pending messages.
void PumpMessages();
// Serves messages until `window` has been closed.
void WaitUntilClosed(HWND window);
