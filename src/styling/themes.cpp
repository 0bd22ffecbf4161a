#include "styling/themes.h"

#include "hostio/compose_text.h"
#include "hostio/host_variables.h"
#include "styling/colour.h"
#include "styling/title_bar.h"

Theme ThemeTable[kThemeCount + 1];

namespace {

// In alphabetical order of their names; the number is the position.
const Theme kBuiltInThemes[kThemeCount] = {
    {L"Charcoal", PackRgb(54, 69, 79), PackRgb(255, 255, 255)},
    {L"Clean White", PackRgb(255, 255, 255), PackRgb(32, 32, 32)},
    {L"Crimson Red", PackRgb(220, 20, 60), PackRgb(255, 255, 255)},
    {L"Cyber Purple", PackRgb(75, 0, 130), PackRgb(186, 85, 211)},
    {L"Dark Gray", PackRgb(64, 64, 64), PackRgb(240, 240, 240)},
    {L"Dark Mode", PackRgb(32, 32, 32), PackRgb(255, 255, 255)},
    {L"Deep Teal", PackRgb(0, 128, 128), PackRgb(255, 255, 255)},
    {L"Electric Blue", PackRgb(0, 191, 255), PackRgb(0, 0, 0)},
    {L"Forest Green", PackRgb(34, 139, 34), PackRgb(255, 255, 255)},
    {L"Gold", PackRgb(255, 215, 0), PackRgb(0, 0, 0)},
    {L"Hot Pink", PackRgb(255, 20, 147), PackRgb(255, 255, 255)},
    {L"Light Mode", PackRgb(240, 240, 240), PackRgb(0, 0, 0)},
    {L"Lime Green", PackRgb(50, 205, 50), PackRgb(0, 0, 0)},
    {L"Matrix Green", PackRgb(0, 100, 0), PackRgb(0, 255, 0)},
    {L"Midnight Blue", PackRgb(25, 25, 112), PackRgb(255, 255, 255)},
    {L"Office Blue", PackRgb(0, 120, 215), PackRgb(255, 255, 255)},
    {L"Royal Purple", PackRgb(102, 51, 153), PackRgb(255, 255, 255)},
    {L"Steel Blue", PackRgb(70, 130, 180), PackRgb(255, 255, 255)},
    {L"Sunset Orange", PackRgb(255, 140, 0), PackRgb(255, 255, 255)},
    {L"Warm Gray", PackRgb(128, 128, 118), PackRgb(255, 255, 255)},
};

}  // namespace

void BuildThemeTable()
{
    for (int number = 1; number <= kThemeCount; number++)
        ThemeTable[number] = kBuiltInThemes[number - 1];
}

int ApplyTheme(int themeNumber, int window)
{
    if (themeNumber < 1 || themeNumber > kThemeCount) {
        ReportStatus(L"Invalid theme index");
        return 0;
    }
    const Theme &theme = ThemeTable[themeNumber];
    DWORD caption = theme.CaptionColor;
    DWORD text = theme.TextColor;
    if (!SetCaptionColor(RedOf(caption), GreenOf(caption), BlueOf(caption),
                         window) ||
        !SetCaptionTextColor(RedOf(text), GreenOf(text), BlueOf(text),
                             window)) {
        ReportStatus(L"Failed to apply theme");
        return 0;
    }
    PublishVariable(L"[SelectedColorTheme]", theme.Name);
    WCHAR status[128] = L"Theme '";
    AppendText(status, ARRAYSIZE(status), theme.Name);
    ReportStatus(AppendText(status, ARRAYSIZE(status), L"' applied successfully"));
    return 1;
}
