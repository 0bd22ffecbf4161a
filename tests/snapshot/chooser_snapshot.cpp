// Opens the plug-in's "Choose Theme" window the way a host does at design
// time, takes a picture of it from the screen and saves it as a PNG file.
//
//   chooser_snapshot PLUGIN.dll OUTPUT.png [THEME-NUMBER]
//
// Run by tools/screenshot-chooser.sh under Wine.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "png_writer.h"

namespace {

typedef int(WINAPI *EditActionProc)(int action, char **paramSlots);

std::string OutputPath;
bool Saved;
int Ticks;

// --- The picture. ---

bool SaveWindowPicture(HWND window)
{
    RECT rect;
    GetWindowRect(window, &rect);
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void *bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BOOL copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
    GdiFlush();
    RgbImage image = {width, height, {}};
    const unsigned char *pixel = (const unsigned char *)bits;
    for (int i = 0; i < width * height; i++, pixel += 4) {
        image.pixels.push_back(pixel[2]);
        image.pixels.push_back(pixel[1]);
        image.pixels.push_back(pixel[0]);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied)
        return false;

    std::string error;
    if (!WritePngFile(OutputPath, image, &error)) {
        fprintf(stderr, "chooser_snapshot: %s\n", error.c_str());
        return false;
    }
    printf("saved %dx%d pixels of \"Choose Theme\"\n", width, height);
    return true;
}

void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD)
{
    HWND chooser = FindWindowW(nullptr, L"Choose Theme");
    if (chooser == nullptr) {
        if (++Ticks == 50) {
            fprintf(stderr, "chooser_snapshot: the chooser never opened\n");
            PostQuitMessage(2);
        }
        return;
    }
    // Let it paint fully before the picture; then close it.
    if (++Ticks < 3) {
        RedrawWindow(chooser, nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        return;
    }
    Saved = SaveWindowPicture(chooser);
    PostMessageW(chooser, WM_CLOSE, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t **argv)
{
    if (argc < 3) {
        fprintf(stderr, "usage: chooser_snapshot PLUGIN.dll OUTPUT.png [THEME-NUMBER]\n");
        return 2;
    }
    SetProcessDPIAware();
    char output[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, argv[2], -1, output, MAX_PATH, nullptr, nullptr);
    OutputPath = output;
    HMODULE plugin = LoadLibraryW(argv[1]);
    EditActionProc edit =
        plugin ? (EditActionProc)(void *)GetProcAddress(plugin, "_nbEditAction") : nullptr;
    if (edit == nullptr) {
        fprintf(stderr, "chooser_snapshot: cannot load %ls\n", argv[1]);
        return 1;
    }
    char theme[16] = "16";
    if (argc > 3)
        WideCharToMultiByte(CP_ACP, 0, argv[3], -1, theme, sizeof theme, nullptr, nullptr);
    char window[] = "0";
    char *slots[2] = {theme, window};
    SetTimer(nullptr, 0, 200, Tick);
    edit(3, slots);
    FreeLibrary(plugin);
    if (!Saved) {
        fprintf(stderr, "chooser_snapshot: no picture was saved\n");
        return 1;
    }
    return 0;
}
