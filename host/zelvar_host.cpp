// zelvar-host: a small reference host for ZelvarPlugin.dll. It loads the
// plug-in, drives it through its five exports as a host application does,
// and prints everything the plug-in hands back.
#include <windows.h>

#include <stdio.h>
#include <string.h>

namespace {

typedef int(WINAPI *RegisterProc)(void *, void *, void *, void *);
typedef int(WINAPI *InitProc)(HWND, char **, char **, char **);
typedef int(WINAPI *ActionProc)(int, char **);

struct LoadedPlugin {
    HMODULE module;
    RegisterProc registerPlugIn;
    InitProc initPlugIn;
    ActionProc execAction;
    ActionProc editAction;
};

int WINAPI PrintAddAction(int number, char *name, char *hint, int editorFlag,
                          int reserved, int paramCount)
{
    (void)reserved;
    printf("  %d  %-26s %d  %-3s  %s\n", number, name ? name : "(null)",
           paramCount, editorFlag == 2 ? "yes" : "no", hint ? hint : "(null)");
    return 0;
}

int WINAPI PrintSetVariable(char *name, char *value)
{
    printf("    %s = \"%s\"\n", name ? name : "(null)", value ? value : "(null)");
    return 0;
}

bool LoadPlugin(const char *path, LoadedPlugin *plugin)
{
    plugin->module = LoadLibraryA(path);
    if (plugin->module == NULL) {
        fprintf(stderr, "zelvar-host: cannot load %s (error %lu)\n", path,
                GetLastError());
        return false;
    }
    plugin->registerPlugIn = (RegisterProc)(void *)GetProcAddress(plugin->module, "_nbRegisterPlugIn");
    plugin->initPlugIn = (InitProc)(void *)GetProcAddress(plugin->module, "_nbInitPlugIn");
    plugin->execAction = (ActionProc)(void *)GetProcAddress(plugin->module, "_nbExecAction");
    plugin->editAction = (ActionProc)(void *)GetProcAddress(plugin->module, "_nbEditAction");
    if (!plugin->registerPlugIn || !plugin->initPlugIn || !plugin->execAction ||
        !plugin->editAction) {
        fprintf(stderr, "zelvar-host: %s lacks the plug-in exports\n", path);
        FreeLibrary(plugin->module);
        return false;
    }
    return true;
}

HWND CreateDemoWindow()
{
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(NULL);
    windowClass.hCursor = LoadCursor(NULL, IDC_ARROW);
    windowClass.hbrBackground = (HBRUSH)(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "ZelvarHostWindow";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, "ZelvarHostWindow", "Zelvar host window",
                                  WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100,
                                  480, 240, NULL, NULL, GetModuleHandleA(NULL), NULL);
    if (window != NULL)
        SetForegroundWindow(window);
    return window;
}

void PumpMessages()
{
    MSG message;
    while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

int RunAction(const LoadedPlugin &plugin, int number, const char *label,
              char **params)
{
    printf("  %s\n", label);
    int result = plugin.execAction(number, params);
    printf("    -> %d\n", result);
    PumpMessages();
    return result;
}

int Demo(const char *pluginPath)
{
    LoadedPlugin plugin;
    if (!LoadPlugin(pluginPath, &plugin))
        return 2;
    printf("Loaded %s\n\nCatalogue:\n  #  %-26s P  Ed.  Hint\n", pluginPath, "Action");
    plugin.registerPlugIn((void *)PrintAddAction, NULL, NULL, (void *)PrintSetVariable);

    HWND window = CreateDemoWindow();
    if (window == NULL) {
        fprintf(stderr, "zelvar-host: cannot create the host window\n");
        return 2;
    }
    char *title = NULL, *publisher = NULL, *hint = NULL;
    plugin.initPlugIn(window, &title, &publisher, &hint);
    printf("\nDescription:\n  title:     %s\n  publisher: %s\n  hint:      %s\n",
           title, publisher, hint);
    printf("\nHost window: %d (the target of every action with window 0)\n\n"
           "Running actions; every variable the plug-in sets is shown:\n",
           (int)(INT_PTR)window);

    char red[] = "0", green[] = "120", blue[] = "215", white[] = "255";
    char zero[] = "0", one[] = "1", office[] = "16";
    char *colour[] = {red, green, blue, zero};
    char *textColour[] = {white, white, white, zero};
    char *theme[] = {office, zero};
    char *blur[] = {one, zero};
    char *reset[] = {zero};
    int failures = 0;
    failures += !RunAction(plugin, 1, "qzvZelvar_SetColor 0 120 215", colour);
    failures += !RunAction(plugin, 2, "qzvZelvar_SetTextColor 255 255 255", textColour);
    failures += !RunAction(plugin, 3, "qzvZelvar_ApplyTheme 16", theme);
    failures += !RunAction(plugin, 6, "qzvZelvar_SetBlur 1", blur);
    failures += !RunAction(plugin, 4, "qzvZelvar_GetActiveWindow", NULL);
    failures += !RunAction(plugin, 5, "qzvZelvar_RemoveStyle", reset);

    DestroyWindow(window);
    FreeLibrary(plugin.module);
    printf("\nDone: %d of 6 actions succeeded. (Under Wine the window manager "
           "accepts the attributes but draws no colour.)\n", 6 - failures);
    return failures == 0 ? 0 : 1;
}

void DefaultPluginPath(char *path, DWORD size)
{
    DWORD length = GetModuleFileNameA(NULL, path, size);
    char *slash = strrchr(path, '\\');
    if (length == 0 || slash == NULL)
        lstrcpynA(path, "ZelvarPlugin.dll", size);
    else
        lstrcpynA(slash + 1, "ZelvarPlugin.dll", size - (DWORD)(slash + 1 - path));
}

}  // namespace

int main(int argc, char **argv)
{
    char pluginPath[MAX_PATH];
    DefaultPluginPath(pluginPath, MAX_PATH);
    for (int i = 1; i < argc; i++) {
        if (strcmp(argv[i], "--plugin") == 0 && i + 1 < argc)
            lstrcpynA(pluginPath, argv[++i], MAX_PATH);
        else if (strcmp(argv[i], "demo") != 0) {
            fprintf(stderr, "usage: zelvar-host [demo] [--plugin PATH]\n");
            return 2;
        }
    }
    setvbuf(stdout, NULL, _IONBF, 0);
    return Demo(pluginPath);
}
