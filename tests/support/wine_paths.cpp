#include "wine_paths.h"

#include <windows.h>

std::wstring WindowsPathOf(const char *path)
{
    std::wstring wide;
    for (const char *c = path; *c != 0; c++)
        wide += (wchar_t)(unsigned char)*c;
    if (path[0] != '/')
        return wide;
    for (wchar_t &c : wide) {
        if (c == L'/')
            c = L'\\';
    }
    return L"Z:" + wide;
}

std::wstring SystemFilePath(const std::wstring &name)
{
    wchar_t directory[MAX_PATH];
    UINT length = GetSystemDirectoryW(directory, MAX_PATH);
    return std::wstring(directory, length < MAX_PATH ? length : 0) + L"\\" + name;
}
