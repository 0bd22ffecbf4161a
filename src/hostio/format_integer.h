// Writing a signed 32-bit integer as plain decimal text.
#pragma once
#include <windows.h>

// Room for "-2147483648" and its terminator.
const int kIntegerTextSize = 12;

// Writes the decimal text of `value` into `text` and returns `text`.
WCHAR *FormatInteger(int value, WCHAR text[kIntegerTextSize]);
