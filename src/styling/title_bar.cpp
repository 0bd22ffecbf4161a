#include "styling/title_bar.h"

#include "hostio/compose_text.h"
#include "hostio/host_variables.h"
#include "plugin/host_state.h"
#include "styling/colour.h"
#include "styling/dwm_binding.h"

namespace {

const DWORD kCaptionColorAttribute = 35;   // DWMWA_CAPTION_COLOR
const DWORD kTextColorAttribute = 36;      // DWMWA_TEXT_COLOR
const DWORD kBackdropTypeAttribute = 38;   // DWMWA_SYSTEMBACKDROP_TYPE
const DWORD kBackdropNone = 1;             // DWMSBT_NONE
const DWORD kBackdropTransient = 3;        // DWMSBT_TRANSIENTWINDOW

const int kStatusSize = 128;

int ClampComponent(int value)
{
    return value < 0 ? 0 : value > 255 ? 255 : value;
}

HRESULT SetAttribute(HWND target, DWORD attribute, DWORD value)
{
    return DwmBinding.SetAttributeProc(target, attribute, &value, sizeof value);
}

// Checks the binding, then the target window, reporting the first that is
// missing. Returns the target, or null after reporting.
HWND PrepareOperation(int window)
{
    if (!EnsureDwmBinding()) {
        ReportStatus(L"DWM API not available");
        return NULL;
    }
    HWND target = ResolveTargetWindow(window);
    if (target == NULL)
        ReportStatus(L"No window handle available");
    return target;
}

void ReportFailure(HRESULT hr, const WCHAR *suffix)
{
    WCHAR status[kStatusSize] = L"DwmSetWindowAttribute failed: ";
    AppendInteger(status, kStatusSize, (int)hr);
    ReportStatus(AppendText(status, kStatusSize, suffix));
}

int SetColorAttribute(DWORD attribute, const WCHAR *variable, int red,
                      int green, int blue, int window)
{
    HWND target = PrepareOperation(window);
    if (target == NULL)
        return 0;
    red = ClampComponent(red);
    green = ClampComponent(green);
    blue = ClampComponent(blue);
    HRESULT hr = SetAttribute(target, attribute, PackRgb(red, green, blue));
    if (hr != 0) {
        ReportFailure(hr, L"");
        return 0;
    }
    WCHAR triple[kStatusSize];
    PublishVariable(variable,
                    FormatColorTriple(triple, kStatusSize, red, green, blue));
    ReportStatus(L"OK");
    return 1;
}

}  // namespace

HWND ResolveTargetWindow(int window)
{
    if (window != 0)
        return (HWND)(INT_PTR)window;
    return HostWindow;
}

int SetCaptionColor(int red, int green, int blue, int window)
{
    return SetColorAttribute(kCaptionColorAttribute, L"[SelectedTitlebarColor]",
                             red, green, blue, window);
}

int SetCaptionTextColor(int red, int green, int blue, int window)
{
    return SetColorAttribute(kTextColorAttribute,
                             L"[SelectedTitlebarTextColor]", red, green, blue,
                             window);
}

int SetBlur(int enable, int window)
{
    HWND target = PrepareOperation(window);
    if (target == NULL)
        return 0;
    HRESULT hr = SetAttribute(target, kBackdropTypeAttribute,
                              enable != 0 ? kBackdropTransient : kBackdropNone);
    if (hr != 0) {
        ReportFailure(hr, L" (Windows 11 22H2+ required)");
        return 0;
    }
    ReportStatus(enable != 0 ? L"OK - Blur effect enabled on titlebar"
                             : L"OK - Blur effect disabled");
    return 1;
}

int ResetCaptionStyle(int window)
{
    HWND target = PrepareOperation(window);
    if (target == NULL)
        return 0;
    HRESULT hrCaption =
        SetAttribute(target, kCaptionColorAttribute, kDwmColorDefault);
    HRESULT hrText = SetAttribute(target, kTextColorAttribute, kDwmColorDefault);
    // The backdrop is reset too, but its outcome decides nothing: systems
    // without backdrops still have their colours reset.
    SetAttribute(target, kBackdropTypeAttribute, kBackdropNone);

    if (hrCaption != 0 || hrText != 0) {
        WCHAR status[kStatusSize] = L"Failed to reset title bar: ";
        AppendInteger(status, kStatusSize, (int)hrCaption);
        AppendText(status, kStatusSize, L", ");
        ReportStatus(AppendInteger(status, kStatusSize, (int)hrText));
        return 0;
    }
    PublishVariable(L"[SelectedTitlebarColor]", L"");
    PublishVariable(L"[SelectedTitlebarTextColor]", L"");
    ReportStatus(L"OK - Title bar reset to system defaults");
    return 1;
}
