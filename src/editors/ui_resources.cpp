#include "editors/ui_resources.h"

#include <stddef.h>

#include "plugin/host_state.h"

namespace {

int ScreenDpiX;  // 0 until first read
int ScreenDpiY;
HFONT MessageFont;  // made by this library; null until first need
bool MessageFontIsStock;
HANDLE LibraryContext = INVALID_HANDLE_VALUE;
bool LibraryContextTried;

// The size of NONCLIENTMETRICSW without iPaddedBorderWidth, which every
// version of Windows accepts.
const UINT kNonClientMetricsSize = offsetof(NONCLIENTMETRICSW, iPaddedBorderWidth);
static_assert(kNonClientMetricsSize == 500, "NONCLIENTMETRICSW layout");

void ReadScreenDpi()
{
    if (ScreenDpiX != 0)
        return;
    HDC screen = GetDC(NULL);
    ScreenDpiX = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSX) : 0;
    ScreenDpiY = screen != NULL ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
    if (screen != NULL)
        ReleaseDC(NULL, screen);
    if (ScreenDpiX <= 0 || ScreenDpiY <= 0) {
        ScreenDpiX = 96;
        ScreenDpiY = 96;
    }
}

}  // namespace

int ScaleX(int value)
{
    ReadScreenDpi();
    return MulDiv(value, ScreenDpiX, 96);
}

int ScaleY(int value)
{
    ReadScreenDpi();
    return MulDiv(value, ScreenDpiY, 96);
}

HFONT EditorFont()
{
    if (MessageFont != NULL)
        return MessageFont;
    NONCLIENTMETRICSW metrics;
    ZeroMemory(&metrics, sizeof metrics);
    metrics.cbSize = kNonClientMetricsSize;
    if (SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize,
                              &metrics, 0))
        MessageFont = CreateFontIndirectW(&metrics.lfMessageFont);
    MessageFontIsStock = MessageFont == NULL;
    if (MessageFontIsStock)
        MessageFont = (HFONT)GetStockObject(DEFAULT_GUI_FONT);
    return MessageFont;
}

ULONG_PTR ActivateLibraryContext()
{
    if (!LibraryContextTried) {
        LibraryContextTried = true;
        ACTCTXW request;
        ZeroMemory(&request, sizeof request);
        request.cbSize = sizeof request;
        request.dwFlags = ACTCTX_FLAG_HMODULE_VALID | ACTCTX_FLAG_RESOURCE_NAME_VALID;
        request.hModule = LibraryModule;
        request.lpResourceName = MAKEINTRESOURCEW(2);
        LibraryContext = CreateActCtxW(&request);
    }
    ULONG_PTR cookie = 0;
    if (LibraryContext == INVALID_HANDLE_VALUE ||
        !ActivateActCtx(LibraryContext, &cookie))
        return 0;
    return cookie;
}

void DeactivateLibraryContext(ULONG_PTR cookie)
{
    if (cookie != 0)
        DeactivateActCtx(0, cookie);
}

void ReleaseUiResources()
{
    if (MessageFont != NULL && !MessageFontIsStock)
        DeleteObject(MessageFont);
    MessageFont = NULL;
    if (LibraryContext != INVALID_HANDLE_VALUE)
        ReleaseActCtx(LibraryContext);
    LibraryContext = INVALID_HANDLE_VALUE;
    LibraryContextTried = false;
}
