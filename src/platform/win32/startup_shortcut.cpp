#include "platform/win32/startup_shortcut.h"

#include "platform/win32/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

std::wstring startupShortcutPath() {
    wchar_t folder[MAX_PATH] = {};
    // Made when missing: a new profile may not have one yet.
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_STARTUP | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_CURRENT, folder)) ||
        folder[0] == L'\0') {
        return {};
    }
    return std::wstring(folder) + L"\\Quorvel.lnk";
}

std::wstring ownProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);  // a long path, cut short: ask again with more room
    }
}

Status writeShortcut(const ComLibrary& com, const std::wstring& shortcut,
                     const std::wstring& target, const std::wstring& workingFolder) {
    ComPtr<IShellLinkW> link;
    HRESULT result = com.createInstance(CLSID_ShellLink, IID_IShellLinkW, link.putVoid());
    if (FAILED(result)) {
        return comError(result);
    }
    ComPtr<IPersistFile> file;
    if (FAILED(result = link->SetPath(target.c_str())) ||
        FAILED(result = link->SetWorkingDirectory(workingFolder.c_str())) ||
        FAILED(result = link->QueryInterface(IID_IPersistFile, file.putVoid())) ||
        FAILED(result = file->Save(shortcut.c_str(), TRUE))) {
        return comError(result);
    }
    return success();
}

}  // namespace quorvel::platform::win32
