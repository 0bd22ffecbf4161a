// What the editors' windows share for the life of the process: the screen's
// logical DPI, the message font and the activation context of the library's
// own manifest. Each is obtained on first need, never under the loader lock.
#pragma once
#include <windows.h>

// Converts a horizontal and a vertical length in 1/96 inch to pixels.
int ScaleX(int value);
int ScaleY(int value);

// The system's message font, made once; the stock GUI font if that fails.
HFONT EditorFont();

// Activates the library's manifest (common controls 6) on this thread.
// Returns the cookie for DeactivateLibraryContext; 0 when none was activated.
ULONG_PTR ActivateLibraryContext();
void DeactivateLibraryContext(ULONG_PTR cookie);

// Releases the font and the activation context; for a dynamic unload.
void ReleaseUiResources();
