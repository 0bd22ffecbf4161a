// Building status and variable texts out of literal pieces and numbers.
#pragma once
#include <windows.h>

// Appends `piece` to the text in `buffer` (of `capacity` characters),
// cutting it short rather than running past the end. Returns `buffer`.
WCHAR *AppendText(WCHAR *buffer, int capacity, const WCHAR *piece);

// Appends the decimal text of `value`.
WCHAR *AppendInteger(WCHAR *buffer, int capacity, int value);

// Writes "red,green,blue" into `buffer`.
WCHAR *FormatColorTriple(WCHAR *buffer, int capacity, int red, int green,
                         int blue);
