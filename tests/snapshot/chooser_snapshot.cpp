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

namespace {

typedef int(WINAPI *EditActionProc)(int action, char **paramSlots);

std::wstring OutputPath;
bool Saved;
int Ticks;

// --- A PNG file: 8-bit RGB, uncompressed (stored) deflate blocks. ---

unsigned long Crc(const unsigned char *data, size_t size, unsigned long crc = 0)
{
    static unsigned long table[256];
    if (table[1] == 0) {
        for (unsigned long n = 0; n < 256; n++) {
            unsigned long c = n;
            for (int k = 0; k < 8; k++)
                c = c & 1 ? 0xEDB88320UL ^ (c >> 1) : c >> 1;
            table[n] = c;
        }
    }
    crc ^= 0xFFFFFFFFUL;
    for (size_t i = 0; i < size; i++)
        crc = table[(crc ^ data[i]) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFUL;
}

void PutBigEndian(std::vector<unsigned char> &out, unsigned long value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back((unsigned char)(value >> shift));
}

void PutChunk(std::vector<unsigned char> &out, const char *type,
              const std::vector<unsigned char> &data)
{
    PutBigEndian(out, (unsigned long)data.size());
    std::vector<unsigned char> body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBigEndian(out, Crc(body.data(), body.size()));
}

// `rgb` holds `height` rows of `width` pixels, 3 bytes each, top row first.
std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char> &rgb)
{
    std::vector<unsigned char> raw;
    for (int y = 0; y < height; y++) {
        raw.push_back(0);  // no filter
        raw.insert(raw.end(), rgb.begin() + (size_t)y * width * 3,
                   rgb.begin() + (size_t)(y + 1) * width * 3);
    }
    std::vector<unsigned char> zlib = {0x78, 0x01};
    for (size_t at = 0; at < raw.size() || at == 0;) {
        size_t size = raw.size() - at < 65535 ? raw.size() - at : 65535;
        bool last = at + size == raw.size();
        zlib.push_back(last ? 1 : 0);
        zlib.push_back((unsigned char)(size & 0xFF));
        zlib.push_back((unsigned char)(size >> 8));
        zlib.push_back((unsigned char)(~size & 0xFF));
        zlib.push_back((unsigned char)((~size >> 8) & 0xFF));
        zlib.insert(zlib.end(), raw.begin() + at, raw.begin() + at + size);
        at += size;
        if (last)
            break;
    }
    unsigned long a = 1, b = 0;
    for (unsigned char byte : raw) {
        a = (a + byte) % 65521;
        b = (b + a) % 65521;
    }
    PutBigEndian(zlib, (b << 16) | a);

    std::vector<unsigned char> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<unsigned char> header;
    PutBigEndian(header, width);
    PutBigEndian(header, height);
    header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
    PutChunk(png, "IHDR", header);
    PutChunk(png, "IDAT", zlib);
    PutChunk(png, "IEND", {});
    return png;
}

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
    std::vector<unsigned char> rgb;
    const unsigned char *pixel = (const unsigned char *)bits;
    for (int i = 0; i < width * height; i++, pixel += 4) {
        rgb.push_back(pixel[2]);
        rgb.push_back(pixel[1]);
        rgb.push_back(pixel[0]);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!copied)
        return false;

    std::vector<unsigned char> png = EncodePng(width, height, rgb);
    FILE *file = _wfopen(OutputPath.c_str(), L"wb");
    if (file == nullptr)
        return false;
    bool written = fwrite(png.data(), 1, png.size(), file) == png.size();
    written = fclose(file) == 0 && written;
    printf("saved %dx%d pixels of \"Choose Theme\"\n", width, height);
    return written;
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
    OutputPath = argv[2];
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
