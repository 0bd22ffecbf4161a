// The 20 predefined title-bar themes and their application.
#pragma once
#include <windows.h>

struct Theme {
    const WCHAR *Name;
    DWORD CaptionColor;
    DWORD TextColor;
};

const int kThemeCount = 20;

// Themes by number, 1 to 20; record 0 is never used.
extern Theme ThemeTable[kThemeCount + 1];

// Writes the 20 themes into ThemeTable. Plain memory work, so it also fills
// the table as the library is loaded.
void BuildThemeTable();

// Colours `window` (0: the host window) with theme `themeNumber`.
int ApplyTheme(int themeNumber, int window);
