#include "platform/win32/folders.h"

#include <algorithm>
#include <cwctype>

#include "platform/win32/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

// Keeps the system from asking for a disk while a drive is looked at.
class NoCriticalErrorBoxes {
public:
    NoCriticalErrorBoxes() noexcept {
        SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_);
    }
    ~NoCriticalErrorBoxes() { SetThreadErrorMode(previous_, nullptr); }
    NoCriticalErrorBoxes(const NoCriticalErrorBoxes&) = delete;
    NoCriticalErrorBoxes& operator=(const NoCriticalErrorBoxes&) = delete;

private:
    DWORD previous_ = 0;
};

std::wstring volumeLabel(const std::wstring& root) {
    wchar_t label[MAX_PATH + 1] = {};
    if (!GetVolumeInformationW(root.c_str(), label, MAX_PATH + 1, nullptr, nullptr, nullptr,
                               nullptr, 0)) {
        return {};
    }
    return label;
}

}  // namespace

std::vector<Drive> Win32Folders::drives() {
    const NoCriticalErrorBoxes quiet;
    std::vector<Drive> found;
    const DWORD mask = GetLogicalDrives();
    for (int i = 0; i < 26; ++i) {
        if ((mask & (1UL << static_cast<unsigned>(i))) == 0) {
            continue;
        }
        const wchar_t letter = static_cast<wchar_t>(L'A' + i);
        const std::wstring root{letter, L':', L'\\'};
        std::wstring caption{static_cast<wchar_t>(std::towlower(letter)), L':'};
        // Only fixed drives are asked for their label: a removable or network drive would
        // spin up or time out, and the list shows at once.
        if (GetDriveTypeW(root.c_str()) == DRIVE_FIXED) {
            if (const std::wstring label = volumeLabel(root); !label.empty()) {
                caption += L" [" + label + L"]";
            }
        }
        found.push_back({toUtf8(root), toUtf8(caption)});
    }
    return found;
}

bool Win32Folders::driveReady(const std::string& root) {
    const NoCriticalErrorBoxes quiet;
    // A drive without a medium cannot even say what its root is (ERROR_NOT_READY); a drive
    // whose volume details are withheld (Wine's Z:) is still one that can be browsed.
    return GetFileAttributesW(toWide(root).c_str()) != INVALID_FILE_ATTRIBUTES;
}

Result<std::vector<std::string>> Win32Folders::subfolders(const std::string& path) {
    const NoCriticalErrorBoxes quiet;
    std::wstring pattern = toWide(path);
    if (!pattern.empty() && pattern.back() != L'\\') {
        pattern += L'\\';
    }
    pattern += L'*';
    WIN32_FIND_DATAW data{};
    FolderWalk walk(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                     FindExSearchLimitToDirectories, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH));
    if (!walk) {
        return lastError();
    }
    std::vector<std::wstring> names;
    do {
        const DWORD a = data.dwFileAttributes;
        const std::wstring name = data.cFileName;
        const bool hiddenSystem =
            (a & FILE_ATTRIBUTE_HIDDEN) != 0 && (a & FILE_ATTRIBUTE_SYSTEM) != 0;
        if ((a & FILE_ATTRIBUTE_DIRECTORY) != 0 && !hiddenSystem && name != L"." && name != L"..") {
            names.push_back(name);
        }
    } while (FindNextFileW(walk.get(), &data));
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                    static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
    });
    std::vector<std::string> out;
    out.reserve(names.size());
    for (const std::wstring& name : names) {
        out.push_back(toUtf8(name));
    }
    return out;
}

}  // namespace quorvel::platform::win32
