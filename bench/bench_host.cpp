#include "bench_host.h"

#include "wine_paths.h"

std::wstring PluginPath;

namespace {

bool Recording;
std::vector<std::string> Recorded;

}  // namespace

bool LoadPlugin(PluginExports *plugin)
{
    plugin->module = LoadLibraryW(PluginPath.c_str());
    if (plugin->module == nullptr)
        return false;
    plugin->registerPlugIn = (RegisterPlugInProc)(void *)GetProcAddress(plugin->module, "_nbRegisterPlugIn");
    plugin->initPlugIn = (InitPlugInProc)(void *)GetProcAddress(plugin->module, "_nbInitPlugIn");
    plugin->execAction = (ExecActionProc)(void *)GetProcAddress(plugin->module, "_nbExecAction");
    return plugin->registerPlugIn && plugin->initPlugIn && plugin->execAction &&
           GetProcAddress(plugin->module, "_nbEditAction") &&
           GetProcAddress(plugin->module, "_nbMessage");
}

void UnloadPlugin(PluginExports *plugin)
{
    if (plugin->module != nullptr)
        FreeLibrary(plugin->module);
    plugin->module = nullptr;
}

void FreeHostText(char *text)
{
    if (text != nullptr)
        GlobalFree((HGLOBAL)text);
}

int WINAPI TakeAction(int, char *name, char *hint, int, int, int)
{
    FreeHostText(name);
    FreeHostText(hint);
    return 0;
}

int WINAPI TakeVariable(char *name, char *value)
{
    if (Recording)
        Recorded.push_back(std::string(name ? name : "(null)") + "=" + (value ? value : "(null)"));
    FreeHostText(name);
    FreeHostText(value);
    return 0;
}

void StartRecording()
{
    Recorded.clear();
    Recording = true;
}

std::vector<std::string> StopRecording()
{
    Recording = false;
    return Recorded;
}

bool LoadFakeDwm(FakeDwm *dwm)
{
    dwm->module = LoadLibraryW(SystemFilePath(L"dwmapi.dll").c_str());
    if (dwm->module == nullptr)
        return false;
    dwm->setAttribute = (DwmSetAttributeProc)(void *)GetProcAddress(dwm->module, "DwmSetWindowAttribute");
    dwm->callCount = (int(WINAPI *)())(void *)GetProcAddress(dwm->module, "FakeDwm_CallCount");
    dwm->reset = (void(WINAPI *)())(void *)GetProcAddress(dwm->module, "FakeDwm_Reset");
    dwm->getCall = (FakeDwmGetCallProc)(void *)GetProcAddress(dwm->module, "FakeDwm_GetCall");
    return dwm->setAttribute && dwm->callCount && dwm->reset && dwm->getCall;
}

void UnloadFakeDwm(FakeDwm *dwm)
{
    if (dwm->module != nullptr)
        FreeLibrary(dwm->module);
    dwm->module = nullptr;
}
