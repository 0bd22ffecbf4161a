#include "gallery_renderer.h"

namespace {

const COLORREF kBackground = RGB(226, 226, 226);
const COLORREF kFrame = RGB(150, 150, 150);
const COLORREF kClientArea = RGB(250, 250, 250);
const COLORREF kClientText = RGB(96, 96, 96);
const int kButtonWidth = 40;

std::wstring Widen(const std::string &text)
{
    std::wstring wide;
    int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, NULL, 0);
    if (length > 1) {
        wide.resize(length - 1);
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, &wide[0], length);
    }
    return wide;
}

void Fill(HDC dc, int x, int y, int width, int height, COLORREF colour)
{
    RECT rect = {x, y, x + width, y + height};
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, NULL, 0, NULL);
}

// The system's caption and message fonts at fixed pixel sizes, smoothed
// in grey so no colour fringes appear.
HFONT MakeFont(bool caption, int pixelHeight)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    LOGFONTW font = {};
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0))
        font = caption ? metrics.lfCaptionFont : metrics.lfMessageFont;
    else
        lstrcpyW(font.lfFaceName, L"Tahoma");
    font.lfHeight = -pixelHeight;
    font.lfWidth = 0;
    font.lfWeight = FW_NORMAL;
    font.lfItalic = FALSE;
    font.lfQuality = ANTIALIASED_QUALITY;
    return CreateFontIndirectW(&font);
}

// Minimise, maximise and close, as thin lines in the caption text colour.
void DrawCaptionButtons(HDC dc, int right, int top, COLORREF colour)
{
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ previous = SelectObject(dc, pen);
    HGDIOBJ previousBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
    int middle = top + kTitleBarHeight / 2;
    int closeX = right - kButtonWidth / 2;
    MoveToEx(dc, closeX - 5, middle - 5, NULL);
    LineTo(dc, closeX + 6, middle + 6);
    MoveToEx(dc, closeX + 5, middle - 5, NULL);
    LineTo(dc, closeX - 6, middle + 6);
    int maximiseX = closeX - kButtonWidth;
    Rectangle(dc, maximiseX - 5, middle - 5, maximiseX + 6, middle + 6);
    int minimiseX = maximiseX - kButtonWidth;
    MoveToEx(dc, minimiseX - 5, middle, NULL);
    LineTo(dc, minimiseX + 6, middle);
    SelectObject(dc, previousBrush);
    SelectObject(dc, previous);
    DeleteObject(pen);
}

void DrawMockup(HDC dc, const GalleryTheme &theme, POINT origin, HFONT captionFont,
                HFONT clientFont)
{
    int x = origin.x, y = origin.y;
    Fill(dc, x, y, kMockupWidth, kMockupHeight, kFrame);
    Fill(dc, x + 1, y + 1, kMockupWidth - 2, kTitleBarHeight, theme.caption);
    Fill(dc, x + 1, y + 1 + kTitleBarHeight, kMockupWidth - 2, kClientHeight, kClientArea);

    SetBkMode(dc, TRANSPARENT);
    SelectObject(dc, captionFont);
    SetTextColor(dc, theme.text);
    std::wstring caption = std::to_wstring(theme.number) + L"   " + Widen(theme.name);
    RECT captionRect = {x + 12, y + 1, x + kMockupWidth - 1 - 3 * kButtonWidth,
                        y + 1 + kTitleBarHeight};
    DrawTextW(dc, caption.c_str(), -1, &captionRect,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    DrawCaptionButtons(dc, x + kMockupWidth - 1, y + 1, theme.text);

    SelectObject(dc, clientFont);
    SetTextColor(dc, kClientText);
    wchar_t detail[96];
    wsprintfW(detail, L"caption %d, %d, %d    text %d, %d, %d", GetRValue(theme.caption),
              GetGValue(theme.caption), GetBValue(theme.caption), GetRValue(theme.text),
              GetGValue(theme.text), GetBValue(theme.text));
    RECT detailRect = {x + 12, y + 1 + kTitleBarHeight, x + kMockupWidth - 12,
                       y + 1 + kTitleBarHeight + kClientHeight};
    DrawTextW(dc, detail, -1, &detailRect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

}  // namespace

bool RenderGallery(const std::vector<GalleryTheme> &themes, RgbImage *image)
{
    int rows = ((int)themes.size() + kGalleryColumns - 1) / kGalleryColumns;
    image->width = kGalleryGap + kGalleryColumns * (kMockupWidth + kGalleryGap);
    image->height = kGalleryGap + rows * (kMockupHeight + kGalleryGap);

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image->width;
    info.bmiHeader.biHeight = -image->height;  // top row first
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void *bits = NULL;
    HDC dc = CreateCompatibleDC(NULL);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, NULL, 0);
    HFONT captionFont = MakeFont(true, 15);
    HFONT clientFont = MakeFont(false, 12);
    bool ok = dc != NULL && bitmap != NULL && bits != NULL && captionFont != NULL &&
              clientFont != NULL;
    if (ok) {
        HGDIOBJ previousBitmap = SelectObject(dc, bitmap);
        HGDIOBJ previousFont = SelectObject(dc, captionFont);
        Fill(dc, 0, 0, image->width, image->height, kBackground);
        for (size_t i = 0; i < themes.size(); i++)
            DrawMockup(dc, themes[i], MockupOrigin((int)i), captionFont, clientFont);
        GdiFlush();
        // The DIB holds blue, green, red and an unused byte per pixel.
        const unsigned char *source = (const unsigned char *)bits;
        size_t count = (size_t)image->width * image->height;
        image->pixels.resize(count * 3);
        for (size_t i = 0; i < count; i++) {
            image->pixels[i * 3] = source[i * 4 + 2];
            image->pixels[i * 3 + 1] = source[i * 4 + 1];
            image->pixels[i * 3 + 2] = source[i * 4];
        }
        SelectObject(dc, previousFont);
        SelectObject(dc, previousBitmap);
    }
    if (clientFont != NULL)
        DeleteObject(clientFont);
    if (captionFont != NULL)
        DeleteObject(captionFont);
    if (bitmap != NULL)
        DeleteObject(bitmap);
    if (dc != NULL)
        DeleteDC(dc);
    return ok;
}
