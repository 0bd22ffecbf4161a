// Loading a plug-in DLL and the handshake: the five exports, registration
// with the host's callbacks, and initialisation with the host window.
#pragma once
#include <windows.h>

#include <string>

typedef int(WINAPI *RegisterPlugInProc)(void *addAction, void *second, void *third,
                                        void *setVariable);
typedef int(WINAPI *InitPlugInProc)(HWND hostWindow, char **title, char **publisher,
                                    char **hint);
typedef int(WINAPI *ActionProc)(int action, char **paramSlots);
typedef int(WINAPI *MessageProc)(int first, int second);

struct LoadedPlugin {
    std::string path;  // the full path of the loaded module
    HMODULE module;
    RegisterPlugInProc registerPlugIn;
    InitPlugInProc initPlugIn;
    ActionProc execAction;
    ActionProc editAction;
    MessageProc message;
};

struct PluginDescription {
    std::string title;
    std::string publisher;
    std::string hint;
};

// The default plug-in: ZelvarPlugin.dll in zelvar-host.exe's folder.
std::string DefaultPluginPath();

// Loads the DLL at `path` and finds the five exports. On failure returns
// false with the reason in `error`; nothing stays loaded.
bool LoadPlugin(const std::string &path, LoadedPlugin *plugin, std::string *error);
void UnloadPlugin(LoadedPlugin *plugin);

// Registers the host callbacks (the catalogue lands in Catalogue).
void RegisterHost(const LoadedPlugin &plugin);
// Initialises the plug-in with `hostWindow` and returns its description.
PluginDescription InitHost(const LoadedPlugin &plugin, HWND hostWindow);
