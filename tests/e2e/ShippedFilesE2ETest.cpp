// What Windows reads from the files that ship before running any of their code: the version resource (Explorer's
// properties, the installer) and the application manifest (common controls 6, no virtualisation, DPI awareness).

#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "Desktop.h"
#include "base/WideText.h"

namespace tessaline::test {
namespace {

#ifdef _WIN64
constexpr const wchar_t* kShipped[] = {L"Tessaline.exe", L"Tessaline_Guide.exe", L"Tarnwick.exe", L"TarnwickHook64.dll",
                                       L"Velmora64.exe"};
#else
constexpr const wchar_t* kShipped[] = {L"Tessaline.exe", L"Tessaline_Guide.exe", L"Tarnwick.exe", L"TarnwickHook32.dll",
                                       L"Velmora32.exe"};
#endif

bool IsDll(const std::wstring& name) {
    return name.size() > 4 && name.substr(name.size() - 4) == L".dll";
}

std::wstring VersionString(const std::vector<BYTE>& info, const wchar_t* key) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + key;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &length) || value == nullptr) {
        return {};
    }
    return static_cast<const wchar_t*>(value);
}

std::string ManifestOf(const std::wstring& path, bool dll) {
    HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (module == nullptr) {
        return {};
    }
    std::string text;
    if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(dll ? 2 : 1), MAKEINTRESOURCEW(24))) {
        if (HGLOBAL loaded = LoadResource(module, found)) {
            text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
        }
    }
    FreeLibrary(module);
    return text;
}

TEST(ShippedFiles, EveryProgramAndDllCarriesTheVersionAndItsManifest) {
    const std::wstring version = Utf8ToWide(TESSALINE_VERSION);
    for (const wchar_t* name : kShipped) {
        SCOPED_TRACE(WideToUtf8(name));
        const std::wstring path = BuildPath(std::wstring(L"bin\\") + name);
        DWORD ignored = 0;
        const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
        ASSERT_GT(size, 0u);
        std::vector<BYTE> info(size);
        ASSERT_TRUE(GetFileVersionInfoW(path.c_str(), 0, size, info.data()));
        EXPECT_EQ(VersionString(info, L"ProductVersion"), version);
        EXPECT_EQ(VersionString(info, L"FileVersion"), version);
        EXPECT_EQ(VersionString(info, L"ProductName"), L"Tessaline");
        EXPECT_EQ(VersionString(info, L"OriginalFilename"), name);
        EXPECT_FALSE(VersionString(info, L"FileDescription").empty());
        EXPECT_NE(VersionString(info, L"LegalCopyright").find(L"Quorvan"), std::wstring::npos);
        VS_FIXEDFILEINFO* fixed = nullptr;
        UINT length = 0;
        ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
        const std::wstring numbers = std::to_wstring(HIWORD(fixed->dwFileVersionMS)) + L"." +
                                     std::to_wstring(LOWORD(fixed->dwFileVersionMS)) + L"." +
                                     std::to_wstring(HIWORD(fixed->dwFileVersionLS));
        EXPECT_EQ(numbers, version);
        EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(IsDll(name) ? VFT_DLL : VFT_APP));

        const std::string manifest = ManifestOf(path, IsDll(name));
        EXPECT_NE(manifest.find("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""), std::string::npos);
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
        EXPECT_NE(manifest.find("{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"), std::string::npos);  // Windows 10
        EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos);
    }
}

// A manifest the loader cannot read keeps a program from starting at all ("side-by-side configuration"): each one
// makes an activation context.
TEST(ShippedFiles, TheLoaderReadsEveryManifest) {
    for (const wchar_t* name : kShipped) {
        SCOPED_TRACE(WideToUtf8(name));
        const std::wstring path = BuildPath(std::wstring(L"bin\\") + name);
        ACTCTXW context{};
        context.cbSize = sizeof context;
        context.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
        context.lpSource = path.c_str();
        context.lpResourceName = MAKEINTRESOURCEW(IsDll(name) ? 2 : 1);
        HANDLE handle = CreateActCtxW(&context);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << GetLastError();
        ULONG_PTR cookie = 0;
        EXPECT_TRUE(ActivateActCtx(handle, &cookie));
        DeactivateActCtx(0, cookie);
        ReleaseActCtx(handle);
    }
}

}  // namespace
}  // namespace tessaline::test
