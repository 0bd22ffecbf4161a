#include "styling/dwm_binding.h"

DwmBindingRecord DwmBinding;

namespace {

// Loads dwmapi.dll from the system directory only, never from the host's
// application directory, where a planted copy would run inside the host.
HMODULE LoadSystemDwmLibrary()
{
    HMODULE module =
        LoadLibraryExW(L"dwmapi.dll", NULL, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (module != NULL || GetLastError() != ERROR_INVALID_PARAMETER)
        return module;

    // A system that predates the search flag rejects it: name the file by
    // its full path in the system directory instead.
    WCHAR path[MAX_PATH];
    const WCHAR kFileName[] = L"\\dwmapi.dll";
    UINT length = GetSystemDirectoryW(path, MAX_PATH);
    if (length == 0 || length + ARRAYSIZE(kFileName) > MAX_PATH)
        return NULL;
    lstrcpyW(path + length, kFileName);
    return LoadLibraryExW(path, NULL, LOAD_WITH_ALTERED_SEARCH_PATH);
}

}  // namespace

int EnsureDwmBinding()
{
    if (DwmBinding.SetAttributeProc != NULL)
        return 1;
    if (DwmBinding.LibraryHandle == NULL)
        DwmBinding.LibraryHandle = LoadSystemDwmLibrary();
    if (DwmBinding.LibraryHandle != NULL) {
        FARPROC proc =
            GetProcAddress(DwmBinding.LibraryHandle, "DwmSetWindowAttribute");
        DwmBinding.SetAttributeProc = (SetWindowAttributeProc)(void *)proc;
    }
    return DwmBinding.SetAttributeProc != NULL ? 1 : 0;
}

void ReleaseDwmBinding()
{
    if (DwmBinding.LibraryHandle != NULL) {
        FreeLibrary(DwmBinding.LibraryHandle);
        DwmBinding.LibraryHandle = NULL;
    }
}
