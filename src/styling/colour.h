// The colour value: red in the low byte, then green, then blue.
#pragma once
#include <windows.h>

// 0xFFFFFFFF: tells the window manager to use the system's own colour.
const DWORD kDwmColorDefault = 0xFFFFFFFF;

// Packs the components with no masking: one outside 0..255 spills into the
// neighbouring bytes.
constexpr DWORD PackRgb(int red, int green, int blue)
{
    return (DWORD)red | ((DWORD)green << 8) | ((DWORD)blue << 16);
}

constexpr int RedOf(DWORD colour) { return (int)(colour & 0xFF); }
constexpr int GreenOf(DWORD colour) { return (int)((colour >> 8) & 0xFF); }
constexpr int BlueOf(DWORD colour) { return (int)((colour >> 16) & 0xFF); }
