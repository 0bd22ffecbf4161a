// The title-bar operations behind the colour, backdrop and reset actions.
// Each reports its outcome in [Zelvar.LastError] as its last step and
// returns 1 on success, 0 on failure. A window of 0 means the host window.
#pragma once
#include <windows.h>

int SetCaptionColor(int red, int green, int blue, int window);
int SetCaptionTextColor(int red, int green, int blue, int window);
int SetBlur(int enable, int window);
int ResetCaptionStyle(int window);

// The window an operation acts on: `window` itself when it is not 0, else
// the host window; null when there is neither.
HWND ResolveTargetWindow(int window);
