// The version resource of the built DLL carries the project's version, the
// one the release package is named after (ZELVAR_EXPECTED_VERSION, from the
// build).
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plugin_host.h"

namespace {

struct VersionResource {
    std::vector<BYTE> data;

    std::wstring Text(const wchar_t *name)
    {
        // The one translation the resource declares.
        struct Translation {
            WORD language, codePage;
        } *translation = nullptr;
        UINT size = 0;
        if (!VerQueryValueW(data.data(), L"\\VarFileInfo\\Translation", (void **)&translation, &size) ||
            size < sizeof *translation)
            return L"(no translation)";
        wchar_t path[128];
        swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                 translation->codePage, name);
        wchar_t *value = nullptr;
        if (!VerQueryValueW(data.data(), path, (void **)&value, &size) || value == nullptr)
            return L"(missing)";
        return value;
    }
};

std::wstring Widen(const char *text) { return std::wstring(text, text + strlen(text)); }

TEST(VersionResource, CarriesTheProjectVersion)
{
    std::wstring path = PluginPath();
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
    ASSERT_NE(size, 0u) << "no version resource in the DLL";
    VersionResource resource;
    resource.data.resize(size);
    ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, resource.data.data()));

    VS_FIXEDFILEINFO *fixed = nullptr;
    UINT fixedSize = 0;
    ASSERT_TRUE(VerQueryValueW(resource.data.data(), L"\\", (void **)&fixed, &fixedSize));
    ASSERT_GE(fixedSize, sizeof *fixed);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    wchar_t numbers[64];
    swprintf(numbers, 64, L"%u.%u.%u", HIWORD(fixed->dwFileVersionMS), LOWORD(fixed->dwFileVersionMS),
             HIWORD(fixed->dwFileVersionLS));
    const std::wstring expected = Widen(ZELVAR_EXPECTED_VERSION);
    EXPECT_EQ(numbers, expected) << "file version";
    EXPECT_EQ(LOWORD(fixed->dwFileVersionLS), 0);
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    EXPECT_EQ(fixed->dwFileType, (DWORD)VFT_DLL);

    EXPECT_EQ(resource.Text(L"FileVersion"), expected);
    EXPECT_EQ(resource.Text(L"ProductVersion"), expected);
    EXPECT_EQ(resource.Text(L"ProductName"), L"Zelvar Plugin");
    EXPECT_EQ(resource.Text(L"OriginalFilename"), L"ZelvarPlugin.dll");
}

}  // namespace
