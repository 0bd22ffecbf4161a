// The five entry points the host calls.
#include "editors/colour_editor.h"
#include "editors/theme_chooser.h"
#include "hostio/host_text.h"
#include "hostio/param_integer.h"
#include "plugin/catalogue.h"
#include "plugin/host_state.h"
#include "styling/foreground.h"
#include "styling/themes.h"
#include "styling/title_bar.h"

extern "C" {

int WINAPI _nbRegisterPlugIn(AddActionProc addAction, void *secondCallback,
                             void *thirdCallback, SetVariableProc setVariable)
{
    HostAddAction = addAction;
    HostSecondCallback = secondCallback;
    HostThirdCallback = thirdCallback;
    HostSetVariable = setVariable;
    RegisterActions();
    return 0;
}

int WINAPI _nbInitPlugIn(HWND hostWindow, char **titleSlot,
                         char **publisherSlot, char **hintSlot)
{
    HostWindow = hostWindow;
    BuildThemeTable();
    if (titleSlot != NULL)
        *titleSlot = ToHostText(L"Zelvar Plugin");
    if (publisherSlot != NULL)
        *publisherSlot = ToHostText(L"Plugin Developer");
    if (hintSlot != NULL)
        *hintSlot = ToHostText(
            L"Customize Windows title bar colors with 20 alphabetical themes");
    return 0;
}

int WINAPI _nbExecAction(int action, ParamText *paramSlots)
{
    switch (action) {
    case kActionSetColor:
    case kActionSetTextColor: {
        int red = ParamInteger(paramSlots, 0, 0);
        int green = ParamInteger(paramSlots, 1, 0);
        int blue = ParamInteger(paramSlots, 2, 0);
        int window = ParamInteger(paramSlots, 3, 0);
        if (action == kActionSetColor)
            return SetCaptionColor(red, green, blue, window);
        return SetCaptionTextColor(red, green, blue, window);
    }
    case kActionApplyTheme: {
        int theme = ParamInteger(paramSlots, 0, 1);
        int window = ParamInteger(paramSlots, 1, 0);
        return ApplyTheme(theme, window);
    }
    case kActionGetActiveWindow:
        return QueryForegroundWindow();
    case kActionRemoveStyle:
        return ResetCaptionStyle(ParamInteger(paramSlots, 0, 0));
    case kActionSetBlur: {
        int enable = ParamInteger(paramSlots, 0, 0);
        int window = ParamInteger(paramSlots, 1, 0);
        return SetBlur(enable, window);
    }
    }
    return 0;
}

int WINAPI _nbEditAction(int action, ParamText *paramSlots)
{
    switch (action) {
    case kActionSetColor:
        return EditColorParams(L"Choose Title Bar Color", paramSlots);
    case kActionSetTextColor:
        return EditColorParams(L"Choose Title Bar Text Color", paramSlots);
    case kActionApplyTheme:
        return EditThemeParams(paramSlots);
    case kActionRemoveStyle:
    case kActionSetBlur:
        return 1;
    }
    return 0;
}

int WINAPI _nbMessage(int first, int second)
{
    (void)first;
    (void)second;
    return 0;
}

}  // extern "C"
