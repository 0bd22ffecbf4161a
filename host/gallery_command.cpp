// gallery: every theme applied through the plug-in, its colours and name
// taken from the variables the plug-in publishes, drawn into a PNG file.
#include <stdio.h>

#include "commands.h"
#include "exit_codes.h"
#include "gallery_renderer.h"
#include "host_callbacks.h"
#include "param_slots.h"
#include "report.h"

namespace {

const int kThemeCount = 20;
const int kApplyThemeAction = 3;

// "r,g,b" as the colour variables hold it.
bool ParseColour(const std::string *text, COLORREF *colour)
{
    int red, green, blue;
    char end;
    if (text == nullptr || sscanf(text->c_str(), "%d,%d,%d%c", &red, &green, &blue, &end) != 3 ||
        red < 0 || red > 255 || green < 0 || green > 255 || blue < 0 || blue > 255)
        return false;
    *colour = RGB(red, green, blue);
    return true;
}

// Applies theme `number` to the host window and reads back what it set.
int CollectTheme(const LoadedPlugin &plugin, int number, GalleryTheme *theme)
{
    size_t from = VariableWrites.size();
    ParamSlotArray slots({std::to_string(number)}, 2);  // window: null, the host window
    int result = plugin.execAction(kApplyThemeAction, slots.Slots());
    if (result != 1) {
        const std::string *status = LastWrite("[Zelvar.LastError]", from);
        return ReportError(kExitActionFailed, "theme " + std::to_string(number) +
                                                  " could not be applied: " +
                                                  (status ? *status : "no status"));
    }
    const std::string *name = LastWrite("[SelectedColorTheme]", from);
    theme->number = number;
    if (name == nullptr ||
        !ParseColour(LastWrite("[SelectedTitlebarColor]", from), &theme->caption) ||
        !ParseColour(LastWrite("[SelectedTitlebarTextColor]", from), &theme->text))
        return ReportError(kExitActionFailed, "theme " + std::to_string(number) +
                                                  " did not publish its name and colours");
    theme->name = *name;
    printf("  %2d  %-14s  caption %3d,%3d,%3d   text %3d,%3d,%3d\n", number,
           theme->name.c_str(), GetRValue(theme->caption), GetGValue(theme->caption),
           GetBValue(theme->caption), GetRValue(theme->text), GetGValue(theme->text),
           GetBValue(theme->text));
    return kExitOk;
}

}  // namespace

int RunGalleryCommand(const Arguments &arguments)
{
    LoadedPlugin plugin = {};
    TargetWindow target = {};
    int code = OpenPlugin(arguments, &plugin);
    if (code == kExitOk)
        code = OpenHostWindow(arguments, plugin, &target);
    std::vector<GalleryTheme> themes(kThemeCount);
    EchoVariableWrites = false;
    if (code == kExitOk)
        printf("Themes, as the plug-in applies them:\n");
    for (int number = 1; code == kExitOk && number <= kThemeCount; number++)
        code = CollectTheme(plugin, number, &themes[number - 1]);
    if (code == kExitOk) {
        RgbImage image;
        std::string error;
        if (!RenderGallery(themes, &image))
            code = ReportError(kExitSystemFailure, "cannot draw the gallery (GDI error " +
                                                       std::to_string(GetLastError()) + ")");
        else if (!WritePngFile(arguments.galleryFile, image, &error))
            code = ReportError(kExitSystemFailure, error);
        else
            printf("Wrote %s: %d x %d pixels, %d themes.\n", arguments.galleryFile.c_str(),
                   image.width, image.height, kThemeCount);
    }
    if (code == kExitOk)
        KeepOpenIfAsked(arguments, target);
    UnloadPlugin(&plugin);
    return code;
}
