#include "editors/colour_editor.h"

#include <commdlg.h>

#include "editors/ui_resources.h"
#include "editors/window_suspension.h"
#include "hostio/format_integer.h"
#include "hostio/host_text.h"
#include "hostio/param_integer.h"
#include "styling/colour.h"

namespace {

// The dialog's custom colours, kept from one edit to the next for both
// colour actions while the library stays loaded.
COLORREF CustomColors[16];

// The foreground window when it belongs to this process, else null.
HWND ChooseDialogOwner()
{
    HWND foreground = GetForegroundWindow();
    DWORD process = 0;
    if (foreground != NULL)
        GetWindowThreadProcessId(foreground, &process);
    return process == GetCurrentProcessId() ? foreground : NULL;
}

void StoreComponent(ParamText *paramSlots, int entry, int value)
{
    WCHAR text[kIntegerTextSize];
    paramSlots[entry] = ToHostText(FormatInteger(value, text));
}

}  // namespace

DWORD PickColor(DWORD initial)
{
    HWND owner = ChooseDialogOwner();
    if (initial == kNoColor)
        initial = 0;
    CustomColors[0] = initial;

    CHOOSECOLORW request;
    ZeroMemory(&request, sizeof request);
    request.lStructSize = sizeof request;
    request.hwndOwner = owner;
    request.rgbResult = initial;
    request.lpCustColors = CustomColors;
    request.Flags = CC_RGBINIT;

    SuspendedWindowList suspended;
    SuspendThreadWindows(&suspended);
    ULONG_PTR context = ActivateLibraryContext();
    BOOL chosen = ChooseColorW(&request);
    DeactivateLibraryContext(context);
    RestoreThreadWindows(&suspended);
    return chosen ? request.rgbResult : kNoColor;
}

int EditColorParams(const WCHAR *title, ParamText *paramSlots)
{
    (void)title;
    int red = 0;
    int green = 0;
    int blue = 0;
    if (paramSlots != NULL) {
        // Take all three addresses first, then read the texts.
        ParamText texts[3] = {paramSlots[0], paramSlots[1], paramSlots[2]};
        if (texts[0] != NULL)
            red = TextInteger(texts[0]);
        if (texts[1] != NULL)
            green = TextInteger(texts[1]);
        if (texts[2] != NULL)
            blue = TextInteger(texts[2]);
    }
    DWORD chosen = PickColor(PackRgb(red, green, blue));
    if (chosen == kNoColor)
        return 0;
    if (paramSlots != NULL) {
        StoreComponent(paramSlots, 0, RedOf(chosen));
        StoreComponent(paramSlots, 1, GreenOf(chosen));
        StoreComponent(paramSlots, 2, BlueOf(chosen));
    }
    return 1;
}
