// Process attach and detach. Only plain memory work happens here: the loader
// lock is held, so nothing that could load a library or call into User32 or
// GDI may run on the way in.
#include "editors/ui_resources.h"
#include "plugin/host_state.h"
#include "styling/dwm_binding.h"
#include "styling/themes.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE module, DWORD reason, LPVOID reserved)
{
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        LibraryModule = module;
        BuildThemeTable();
        DwmBinding.LibraryHandle = NULL;
        break;
    case DLL_PROCESS_DETACH:
        // At process exit other libraries may already be gone and the
        // system reclaims everything; release only on a dynamic unload.
        if (reserved == NULL) {
            ReleaseDwmBinding();
            ReleaseUiResources();
        }
        break;
    }
    return TRUE;
}
