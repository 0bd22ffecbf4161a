#include "plugin/catalogue.h"

#include "hostio/host_text.h"
#include "plugin/host_state.h"

namespace {

struct CatalogueEntry {
    int number;
    const WCHAR *name;
    const WCHAR *hint;
    int editorFlag;  // 2 for the actions with a design-time editor
    int paramCount;
};

const CatalogueEntry kCatalogue[] = {
    {kActionSetColor, L"qzvZelvar_SetColor",
     L"Set title bar background color using color picker", 2, 4},
    {kActionSetTextColor, L"qzvZelvar_SetTextColor",
     L"Set title bar text color using color picker", 2, 4},
    {kActionApplyTheme, L"qzvZelvar_ApplyTheme",
     L"Apply a predefined theme to title bar", 2, 2},
    {kActionGetActiveWindow, L"qzvZelvar_GetActiveWindow",
     L"Get active window title and handle", 0, 0},
    {kActionRemoveStyle, L"qzvZelvar_RemoveStyle",
     L"Reset title bar to Windows default appearance", 0, 1},
    {kActionSetBlur, L"qzvZelvar_SetBlur",
     L"Enable/disable titlebar blur effect (1=on, 0=off)", 0, 2},
};

}  // namespace

void RegisterActions()
{
    AddActionProc addAction = HostAddAction;
    if (addAction == NULL)
        return;
    for (const CatalogueEntry &entry : kCatalogue) {
        char *name = ToHostText(entry.name);
        char *hint = ToHostText(entry.hint);
        addAction(entry.number, name, hint, entry.editorFlag, -1,
                  entry.paramCount);
    }
}
