#include <windows.h>

#include <shlobj.h>

#include <optional>

#include "base/FileSystem.h"
#include "base/HandlesWin.h"
#include "base/Strings.h"
#include "base/Trace.h"
#include "catalogue/ShellItems.h"
#include "catalogue/UserPinnedProgram.h"
#include "system/Automation.h"
#include "system/ShellServices.h"

namespace tessaline {

std::unique_ptr<TUserPinedManage> v_UserPinedManage;

namespace {

constexpr UINT kPinToTaskbarVerbResource = 5386;
// The shell's automation object ("Shell.Application").
constexpr CLSID kShellApplication = {0x13709620, 0xC279, 0x11CE, {0xA4, 0x9E, 0x44, 0x45, 0x53, 0x54, 0x00, 0x00}};

std::wstring LoadPinVerbText() {
    const TUniqueLibrary shell32(LoadLibraryW(L"shell32.dll"));
    if (!shell32) {
        return {};
    }
    wchar_t text[999] = {};
    const int length = LoadStringW(shell32.get(), kPinToTaskbarVerbResource, text, 999);
    return length > 0 ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

bool WindowsVersionAtLeast7() {
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) {
        return true;
    }
#pragma GCC diagnostic pop
    return IsWindows7OrLater(info.dwMajorVersion, info.dwMinorVersion);
}

std::wstring LongPathUpper(const std::wstring& path) {
    wchar_t buffer[MAX_PATH * 2] = {};
    const DWORD length = GetLongPathNameW(path.c_str(), buffer, MAX_PATH * 2);
    return UpperAZ(length > 0 && length < MAX_PATH * 2 ? std::wstring(buffer) : path);
}

// Applies the verb whose name matches through Shell.Application: NameSpace(folder).ParseName(file).Verbs().
bool InvokeShellVerb(const std::wstring& file, const std::wstring& verbText) {
    TComPtr<IDispatch> shell;
    if (FAILED(CoCreateInstance(kShellApplication, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(shell.Put())))) {
        Trace(L"PinToTaskbar: no shell automation object");
        return false;
    }
    Bstr folderName(ExtractFileDir(file));
    Bstr fileName(ExtractFileName(file));
    Variant folder;
    Variant item;
    Variant verbs;
    Variant count;
    bool invoked = false;
    if (SUCCEEDED(CallByName(shell.Get(), L"NameSpace", DISPATCH_METHOD, {StringArgument(folderName)}, &folder.v)) &&
        SUCCEEDED(CallByName(folder.Dispatch(), L"ParseName", DISPATCH_METHOD, {StringArgument(fileName)}, &item.v)) &&
        SUCCEEDED(CallByName(item.Dispatch(), L"Verbs", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &verbs.v)) &&
        SUCCEEDED(CallByName(verbs.Dispatch(), L"Count", DISPATCH_METHOD | DISPATCH_PROPERTYGET, {}, &count.v)) &&
        SUCCEEDED(VariantChangeType(&count.v, &count.v, 0, VT_I4))) {
        for (int32_t i = 0; i < count.v.lVal && !invoked; ++i) {
            Variant verb;
            Variant name;
            if (FAILED(CallByName(verbs.Dispatch(), L"Item", DISPATCH_METHOD, {IntArgument(i)}, &verb.v)) ||
                FAILED(CallByName(verb.Dispatch(), L"Name", DISPATCH_PROPERTYGET, {}, &name.v)) ||
                name.v.vt != VT_BSTR || name.v.bstrVal == nullptr) {
                continue;
            }
            if (VerbNameMatches(std::wstring(name.v.bstrVal, SysStringLen(name.v.bstrVal)), verbText)) {
                Variant ignored;
                invoked = SUCCEEDED(CallByName(verb.Dispatch(), L"DoIt", DISPATCH_METHOD, {}, &ignored.v));
            }
        }
    }
    return invoked;
}

}  // namespace

TUserPinedManage::TUserPinedManage() : pinFolder_(PinFolderFromPrograms(GetSpecialFolder(CSIDL_PROGRAMS))) {}

void TUserPinedManage::Refresh() {
    list_.Clear();
    if (pinFolder_.empty()) {
        return;
    }
    ScopedWow64RedirectionOff redirectionOff;
    // What is known of the folder's shortcuts stays known while the folder is unchanged, and whether a program
    // is there while its own folder is.
    kept_.Begin({pinFolder_});
    TPinnedShell shell;
    shell.FileExists = [this](const std::wstring& path) {
        return kept_.FileExists(path, [&] { return FileExists(path); });
    };
    std::optional<TLinkResolver> resolver;  // made at the first shortcut not known
    shell.ResolveLinkTarget = [this, &resolver](const std::wstring& link) {
        return kept_.LinkTarget(link, [&] { return (resolver ? *resolver : resolver.emplace()).Resolve(link); });
    };
    // Asked when an entry is first read, after this scope: the lookup switches the redirection off itself.
    shell.GetShellDisplayName = [](const std::wstring& path) {
        ScopedWow64RedirectionOff off;
        return GetShellDisplayName(path);
    };
    shell.GetCreationTime = [this](const std::wstring& path) {
        return kept_.CreationTime(path, [&] { return GetFileTimeStamp(path, 0); });
    };
    list_.Rebuild(pinFolder_, kept_.Listing(pinFolder_, [this] { return ListFolder(pinFolder_, L"*.lnk"); }), shell);
}

void TUserPinedManage::Unpin(const TUserPinedInfo& info) {
    kept_.Forget();
    if (!DeleteFileW(info.LinkPath.c_str())) {
        Trace(L"Unpin: cannot delete ", info.LinkPath);
    }
}

bool TUserPinedManage::PinProgram(const std::wstring& targetPath, const std::wstring& caption) {
    kept_.Forget();
    const std::wstring wanted = PinLinkPath(pinFolder_, caption, targetPath);
    // Installers put their shortcuts into this folder too: one of the same name for another program stays.
    const std::wstring link = FreePinLinkPath(wanted, targetPath, [](const std::wstring& path) {
        return FileExists(path) ? std::optional<std::wstring>(ResolveLinkTarget(path)) : std::nullopt;
    });
    if (link != wanted) {
        Trace(L"PinProgram: ", wanted, L" starts another program; pinned as ", link);
    }
    return !link.empty() && CreateShortcut(targetPath, L"", link, caption);
}

bool TUserPinedManage::CreateShortcut(const std::wstring& targetPath,
                                      const std::wstring& arguments,
                                      const std::wstring& linkPath,
                                      const std::wstring& description) {
    if (!HasLnkExtension(linkPath)) {
        return false;
    }
    const HRESULT init = CoInitialize(nullptr);  // OLE for the call; balanced below when it was ours
    std::wstring folder = ExtractFileDir(targetPath);
    if (!folder.empty() && folder.back() != L'\\') {
        folder += L'\\';
    }
    bool ok = false;
    {
        // Released at the end of this block, before OLE is uninitialised.
        TComPtr<IShellLinkW> link;
        TComPtr<IPersistFile> file;
        ok = SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                        reinterpret_cast<void**>(link.Put()))) &&
             SUCCEEDED(link->SetPath(targetPath.c_str())) && SUCCEEDED(link->SetArguments(arguments.c_str())) &&
             SUCCEEDED(link->SetWorkingDirectory(folder.c_str())) &&
             SUCCEEDED(link->SetDescription(description.c_str())) &&
             SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.Put()))) &&
             SUCCEEDED(file->Save(linkPath.c_str(), TRUE));
    }
    if (SUCCEEDED(init)) {
        CoUninitialize();
    }
    if (!ok) {
        Trace(L"CreateShortcut: failed: ", linkPath);
    }
    return ok;
}

bool TUserPinedManage::PinToTaskbar(const std::wstring& targetPath, const std::wstring& name) {
    const std::wstring verbText = LoadPinVerbText();
    if (verbText.empty()) {
        return false;
    }
    std::wstring file = targetPath;
    if (!WindowsVersionAtLeast7()) {
        // Older shells pin shortcuts, not program files: pin a substitute shortcut of our own.
        const std::wstring folder = GetSpecialFolder(CSIDL_APPDATA) + L"\\Quorvan\\";
        CreateDirectoryTree(folder);
        file = folder + name + L".lnk";
        CreateShortcut(targetPath, L"", file, L"");
        if (!SubstituteShortcutAccepted(LongPathUpper(ResolveLinkTarget(file)), UpperAZ(ExtractFileDir(targetPath)))) {
            return false;
        }
    }
    return InvokeShellVerb(file, verbText);
}

}  // namespace tessaline
