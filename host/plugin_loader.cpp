#include "plugin_loader.h"

#include <string.h>

#include "host_callbacks.h"
#include "report.h"

std::string DefaultPluginPath()
{
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    char *slash = strrchr(path, '\\');
    if (length == 0 || length >= MAX_PATH || slash == NULL)
        return "ZelvarPlugin.dll";
    slash[1] = 0;
    return std::string(path) + "ZelvarPlugin.dll";
}

bool LoadPlugin(const std::string &path, LoadedPlugin *plugin, std::string *error)
{
    // No "missing DLL" message boxes: a failure is reported on stderr.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    HMODULE module = LoadLibraryA(path.c_str());
    if (module == NULL) {
        *error = "cannot load the plug-in " + path + " (" + SystemErrorText(GetLastError()) + ")";
        return false;
    }
    static const char *const kExports[] = {"_nbRegisterPlugIn", "_nbInitPlugIn", "_nbExecAction",
                                           "_nbEditAction", "_nbMessage"};
    FARPROC found[5];
    for (int i = 0; i < 5; i++) {
        found[i] = GetProcAddress(module, kExports[i]);
        if (found[i] == NULL) {
            FreeLibrary(module);
            *error = path + " is not a plug-in: it lacks the export " + kExports[i];
            return false;
        }
    }
    char fullPath[MAX_PATH];
    DWORD length = GetModuleFileNameA(module, fullPath, MAX_PATH);
    plugin->path = length > 0 && length < MAX_PATH ? fullPath : path;
    plugin->module = module;
    plugin->registerPlugIn = (RegisterPlugInProc)(void *)found[0];
    plugin->initPlugIn = (InitPlugInProc)(void *)found[1];
    plugin->execAction = (ActionProc)(void *)found[2];
    plugin->editAction = (ActionProc)(void *)found[3];
    plugin->message = (MessageProc)(void *)found[4];
    return true;
}

void UnloadPlugin(LoadedPlugin *plugin)
{
    if (plugin->module != NULL)
        FreeLibrary(plugin->module);
    plugin->module = NULL;
}

void RegisterHost(const LoadedPlugin &plugin)
{
    Catalogue.clear();
    // The second and third callbacks are kept by the plug-in but never called.
    plugin.registerPlugIn((void *)HostAddAction, NULL, NULL, (void *)HostSetVariable);
}

PluginDescription InitHost(const LoadedPlugin &plugin, HWND hostWindow)
{
    char *title = NULL, *publisher = NULL, *hint = NULL;
    plugin.initPlugIn(hostWindow, &title, &publisher, &hint);
    return {TakeHostText(title), TakeHostText(publisher), TakeHostText(hint)};
}
