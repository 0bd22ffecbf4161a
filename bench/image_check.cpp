// The DLL file: its size, and what it imports.
#include <stdio.h>
#include <string.h>

#include <string>

#include "sections.h"
#include "wine_paths.h"

namespace {

const DWORD kSizeTarget = 64 * 1024;

bool IsSystemLibrary(const char *name)
{
    if (lstrcmpiA(name, "dwmapi.dll") == 0)
        return false;  // bound at run time, never imported
    std::wstring path = SystemFilePath(std::wstring(name, name + strlen(name)));
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool CheckImage(const BenchOptions &)
{
    printf("\nThe DLL\n");
    WIN32_FILE_ATTRIBUTE_DATA file;
    if (!GetFileAttributesExW(PluginPath.c_str(), GetFileExInfoStandard, &file)) {
        printf("  cannot read %ls\n", PluginPath.c_str());
        return false;
    }
    DWORD size = file.nFileSizeLow;
    bool sizeMet = file.nFileSizeHigh == 0 && size <= kSizeTarget;
    printf("  size: %lu bytes (%.1f KiB); target at most 64 KiB: %s\n", (unsigned long)size,
           size / 1024.0, sizeMet ? "met" : "MISSED");

    // The import directories of the image as the loader mapped it.
    HMODULE module = LoadLibraryExW(PluginPath.c_str(), nullptr, DONT_RESOLVE_DLL_REFERENCES);
    if (module == nullptr) {
        printf("  cannot map the DLL\n");
        return false;
    }
    const BYTE *base = (const BYTE *)module;
    auto nt = (const IMAGE_NT_HEADERS32 *)(base + ((const IMAGE_DOS_HEADER *)base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY *directories = nt->OptionalHeader.DataDirectory;
    bool importsMet = true;
    std::string names;
    const IMAGE_DATA_DIRECTORY &imports = directories[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress != 0) {
        for (auto entry = (const IMAGE_IMPORT_DESCRIPTOR *)(base + imports.VirtualAddress);
             entry->Name != 0; entry++) {
            const char *name = (const char *)(base + entry->Name);
            bool system = IsSystemLibrary(name);
            importsMet = importsMet && system;
            names += std::string(names.empty() ? "" : ", ") + name + (system ? "" : " (NOT a system DLL)");
        }
    }
    const IMAGE_DATA_DIRECTORY &delayed = directories[IMAGE_DIRECTORY_ENTRY_DELAY_IMPORT];
    if (delayed.VirtualAddress != 0) {
        names += " and delay-loaded imports (none expected)";
        importsMet = false;
    }
    FreeLibrary(module);
    printf("  imports: %s; only system DLLs, no dwmapi.dll: %s\n", names.c_str(),
           importsMet ? "met" : "MISSED");
    return sizeMet && importsMet;
}
