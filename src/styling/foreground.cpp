#include "styling/foreground.h"

#include <windows.h>

#include "hostio/format_integer.h"
#include "hostio/host_variables.h"

int QueryForegroundWindow()
{
    // The foreground may change at any moment: read the handle once and take
    // the title from that same handle.
    HWND window = GetForegroundWindow();
    if (window == NULL) {
        ReportStatus(L"No active window found");
        return 0;
    }
    WCHAR title[512];
    int length = GetWindowTextW(window, title, ARRAYSIZE(title));
    if (length < 0)
        length = 0;
    if (length >= (int)ARRAYSIZE(title))
        length = ARRAYSIZE(title) - 1;
    title[length] = 0;

    WCHAR handle[kIntegerTextSize];
    PublishVariable(L"[ActiveWindowTitle]", title);
    PublishVariable(L"[ActiveWindowHandle]",
                    FormatInteger((int)(INT_PTR)window, handle));
    ReportStatus(L"OK");
    return 1;
}
