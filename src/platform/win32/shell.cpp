#include "platform/win32/shell.h"

#include <chrono>
#include <cwctype>
#include <string_view>
#include <utility>

#include "platform/win32/error.h"
#include "platform/win32/handles.h"
#include "platform/win32/shell_icons.h"
#include "platform/win32/startup_shortcut.h"
#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

namespace {

const wchar_t* orNull(const std::wstring& text) {
    return text.empty() ? nullptr : text.c_str();
}

bool isFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

bool hasFolder(std::wstring_view name) {
    return name.find_first_of(L"\\/:") != std::wstring_view::npos;
}

bool hasExtension(std::wstring_view name) {
    const std::size_t dot = name.find_last_of(L'.');
    const std::size_t separator = name.find_last_of(L"\\/");
    return dot != std::wstring_view::npos &&
           (separator == std::wstring_view::npos || dot > separator);
}

std::wstring fullPath(const std::wstring& path) {
    const DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0) {
        return {};
    }
    std::wstring full(length, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), length, full.data(), nullptr));
    return full;
}

// "C:\..." or "\\server\share\...": a path that does not depend on a current directory.
bool isAbsolute(std::wstring_view path) {
    if (path.size() >= 3 && std::iswalpha(path[0]) != 0 && path[1] == L':' &&
        isSeparator(path[2])) {
        return true;
    }
    // Device and long-path prefixes ("\\?\", "\\.\") are refused with the rest.
    return path.size() > 2 && isSeparator(path[0]) && isSeparator(path[1]) && path[2] != L'?' &&
           path[2] != L'.';
}

// A drive's root ("C:\") or a share's ("\\server\share"): recycling it would take everything.
bool isRoot(std::wstring_view full) {
    while (!full.empty() && isSeparator(full.back())) {
        full.remove_suffix(1);
    }
    if (full.size() <= 2) {
        return true;  // "C:" once the separator is gone
    }
    if (isSeparator(full[0]) && isSeparator(full[1])) {
        int parts = 0;
        bool inPart = false;
        for (wchar_t c : full.substr(2)) {
            if (isSeparator(c)) {
                inPart = false;
            } else if (!inPart) {
                inPart = true;
                ++parts;
            }
        }
        return parts <= 2;
    }
    return false;
}

}  // namespace

std::wstring usableDirectory(const std::wstring& directory) {
    if (directory.empty()) {
        return {};
    }
    const DWORD attributes = GetFileAttributesW(directory.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        return {};
    }
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        return directory;
    }
    const std::size_t separator = directory.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::wstring{} : directory.substr(0, separator + 1);
}

namespace {

Error shellExecuteError(HINSTANCE result) {
    // ShellExecute's small numbers are its own; the thread's last error says more.
    const DWORD code = GetLastError();
    return win32Error(code != 0 ? code : static_cast<DWORD>(reinterpret_cast<INT_PTR>(result)));
}

}  // namespace

std::wstring recyclableList(const std::vector<std::string>& paths) {
    std::wstring list;
    for (const std::string& path : paths) {
        const std::wstring wide = toWide(path);
        if (!isAbsolute(wide)) {
            continue;
        }
        const std::wstring full = fullPath(wide);
        if (full.empty() || isRoot(full) ||
            GetFileAttributesW(full.c_str()) == INVALID_FILE_ATTRIBUTES) {
            continue;
        }
        list += full;
        list += L'\0';
    }
    if (!list.empty()) {
        list += L'\0';
    }
    return list;
}

Win32Shell::Win32Shell(HINSTANCE instance, std::function<HWND(const forms::Form&)> windowOf,
                       HandleWaits& waits, FailureLog& failures)
    : windowOf_(std::move(windowOf)), failures_(failures), watcher_(instance, waits, failures) {}

HWND Win32Shell::ownerWindow(const forms::Form* owner) const {
    return owner != nullptr && windowOf_ ? windowOf_(*owner) : nullptr;
}

void Win32Shell::ensureCom() {
    // Shell items (My Computer, the Recycle Bin) and some verbs need COM on the calling thread.
    if (!com_) {
        com_.emplace(failures_);
    }
}

Status Win32Shell::execute(const ShellRequest& request) {
    ensureCom();
    const std::wstring verb = toWide(request.verb);
    const std::wstring file = toWide(request.file);
    const std::wstring parameters = toWide(request.parameters);
    const std::wstring directory = usableDirectory(toWide(request.directory));
    SetLastError(0);
    HINSTANCE result = ShellExecuteW(ownerWindow(request.owner), orNull(verb), file.c_str(),
                                     orNull(parameters), orNull(directory), request.show);
    if (reinterpret_cast<INT_PTR>(result) <= 32) {
        return shellExecuteError(result);
    }
    return success();
}

std::optional<std::string> Win32Shell::findProgram(const std::string& name) {
    const std::wstring wide = toWide(name);
    if (wide.empty()) {
        return std::nullopt;
    }
    if (hasFolder(wide)) {
        // A path is taken as it stands, never looked for elsewhere.
        for (const std::wstring& candidate :
             {wide, hasExtension(wide) ? std::wstring{} : wide + L".exe"}) {
            if (!candidate.empty()) {
                if (std::wstring full = fullPath(candidate); !full.empty() && isFile(full)) {
                    return toUtf8(full);
                }
            }
        }
        return std::nullopt;
    }
    wchar_t found[MAX_PATH * 4] = {};
    const DWORD length = SearchPathW(nullptr, wide.c_str(), L".exe",
                                     static_cast<DWORD>(std::size(found)), found, nullptr);
    if (length == 0 || length >= std::size(found) || !isFile(found)) {
        return std::nullopt;
    }
    return toUtf8(found);
}

Status Win32Shell::startProgram(const std::string& program, const std::string& arguments) {
    const std::wstring application = toWide(program);
    // The program's own name comes first on its command line, quoted as it may hold blanks.
    std::wstring commandLine = L"\"" + application + L"\"";
    if (!arguments.empty()) {
        commandLine += L" " + toWide(arguments);
    }
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWNORMAL;
    PROCESS_INFORMATION started{};
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &started)) {
        return lastError();
    }
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
    // The user asked for it: it may come to the front.
    AllowSetForegroundWindow(started.dwProcessId);
    return success();
}

std::string Win32Shell::systemFolder() {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        return "C:\\Windows\\System32";
    }
    return toUtf8(std::wstring_view(folder, length));
}

Status Win32Shell::showProperties(const forms::Form* owner, const std::string& item) {
    ensureCom();
    const std::wstring file = toWide(item);
    SHELLEXECUTEINFOW request{};
    request.cbSize = sizeof(request);
    request.fMask = SEE_MASK_INVOKEIDLIST | SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    request.hwnd = ownerWindow(owner);
    request.lpVerb = L"properties";
    request.lpFile = file.c_str();
    if (!ShellExecuteExW(&request)) {
        return lastError();
    }
    // The sheet may come with a process of its own; nothing here waits for it.
    const KernelHandle process(request.hProcess);
    return success();
}

Status Win32Shell::recycle(const forms::Form* owner, const std::vector<std::string>& paths) {
    const std::wstring list = recyclableList(paths);
    if (list.empty()) {
        return Error{ERROR_FILE_NOT_FOUND, "nothing that could go to the Recycle Bin"};
    }
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = ownerWindow(owner);
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    // Undo puts the files in the bin; a file the bin cannot take (too large, a drive without a
    // bin) would be deleted for good, and the system must ask first.
    operation.fFlags = FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
    if (const int result = SHFileOperationW(&operation); result != 0) {
        return win32Error(static_cast<DWORD>(result));
    }
    return success();
}

Result<RecycleBinState> Win32Shell::queryRecycleBin() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    const auto started = std::chrono::steady_clock::now();
    const HRESULT result = SHQueryRecycleBinW(L"", &info);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
        std::chrono::steady_clock::now() - started);
    if (FAILED(result)) {
        return comError(result);
    }
    return RecycleBinState{
        info.i64NumItems, info.i64Size,
        static_cast<std::uint32_t>(std::min<long long>(took.count(), UINT32_MAX))};
}

bool Win32Shell::watchRecycleBin(std::function<void()> changed) {
    return watcher_.start(std::move(changed));
}

Status Win32Shell::emptyRecycleBin(const forms::Form* owner) {
    // No flags: the system asks the person first and shows its progress, with its sound.
    const HRESULT result = SHEmptyRecycleBinW(ownerWindow(owner), nullptr, 0);
    if (FAILED(result)) {
        return comError(result);
    }
    return success();
}

Result<std::string> Win32Shell::iconOf(const std::string& item, bool address) {
    ensureCom();
    return shellIconFile(toWide(item), address);
}

bool Win32Shell::startsWithWindows() {
    const std::wstring shortcut = startupShortcutPath();
    return !shortcut.empty() && GetFileAttributesW(shortcut.c_str()) != INVALID_FILE_ATTRIBUTES;
}

Status Win32Shell::startWithWindows(const std::string& workingFolder) {
    const std::wstring shortcut = startupShortcutPath();
    if (shortcut.empty()) {
        return win32Error(ERROR_PATH_NOT_FOUND);
    }
    ensureCom();
    return writeShortcut(*com_, shortcut, ownProgramPath(), toWide(workingFolder));
}

Status Win32Shell::stopStartingWithWindows() {
    const std::wstring shortcut = startupShortcutPath();
    if (shortcut.empty() || DeleteFileW(shortcut.c_str()) != FALSE) {
        return success();
    }
    const DWORD code = GetLastError();
    return code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND ? success()
                                                                        : win32Error(code);
}

bool Win32Shell::requestShutDownOptions() {
    HWND shell = shellWindow_ ? shellWindow_() : nullptr;
    if (shell == nullptr) {
        return false;
    }
    // The shell answers with a dialog of its own, which may come to the front: the person asked
    // for it here.
    DWORD process = 0;
    if (GetWindowThreadProcessId(shell, &process) != 0 && process != 0) {
        AllowSetForegroundWindow(process);
    }
    // Posted, not sent: the shell's dialog stays open for as long as the person takes, and the
    // bar must not wait for it.
    return PostMessageW(shell, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
}

}  // namespace quorvel::platform::win32
