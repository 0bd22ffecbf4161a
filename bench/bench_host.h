// The benchmark's host: the plug-in's exports as plain stdcall pointers,
// callbacks that only take the blocks over (and free them, as a host does),
// and the fake window manager in the system directory.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "../tests/fake_dwmapi/fake_dwmapi.h"

typedef int(WINAPI *AddActionProc)(int, char *, char *, int, int, int);
typedef int(WINAPI *SetVariableProc)(char *, char *);
typedef int(WINAPI *RegisterPlugInProc)(AddActionProc, void *, void *, SetVariableProc);
typedef int(WINAPI *InitPlugInProc)(HWND, char **, char **, char **);
typedef int(WINAPI *ExecActionProc)(int, char **);
typedef HRESULT(WINAPI *DwmSetAttributeProc)(HWND, DWORD, LPCVOID, DWORD);

struct PluginExports {
    HMODULE module;
    RegisterPlugInProc registerPlugIn;
    InitPlugInProc initPlugIn;
    ExecActionProc execAction;
};

// The plug-in's path as given on the command line or in ZELVAR_PLUGIN.
extern std::wstring PluginPath;

// Loads the plug-in and finds its exports; false when any is missing.
bool LoadPlugin(PluginExports *plugin);
void UnloadPlugin(PluginExports *plugin);

// The host callbacks. Each frees the blocks it receives: they are the
// host's, and a host that kept them all would grow without end.
int WINAPI TakeAction(int number, char *name, char *hint, int editor, int fifth, int count);
int WINAPI TakeVariable(char *name, char *value);
// Frees a text of _nbInitPlugIn.
void FreeHostText(char *text);

// While recording, TakeVariable also keeps "name=value" lines.
void StartRecording();
std::vector<std::string> StopRecording();

// The fake window manager: the same module the plug-in binds.
struct FakeDwm {
    HMODULE module;
    DwmSetAttributeProc setAttribute;
    int(WINAPI *callCount)();
    void(WINAPI *reset)();
    FakeDwmGetCallProc getCall;
};
bool LoadFakeDwm(FakeDwm *dwm);
void UnloadFakeDwm(FakeDwm *dwm);
