// A console helper for the end-to-end tests and the Recycle Bin benchmark, run under Wine in
// the bar's prefix: it does to the Recycle Bin what another program would (delete to it, empty
// it, count it), reports which change notifications reach a program that watches the bin, tells
// the stacking order of two windows, and, started as a link target, writes down its arguments.
// For the menu's cleanup commands it fills and counts the internet cache, fills, reads and
// holds the clipboard, and stands a window up that notes every close request it receives. It
// reads a shortcut back through the shell's shortcut object, and drags files onto a point of
// the screen as a file manager does.
//
// <windows.h> first: shellapi.h and shlobj.h need its types.
// clang-format off
#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wininet.h>
// clang-format on

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "win32_console.h"

namespace {

using quorvel::test_support::printLine;
using quorvel::test_support::toUtf8;

constexpr int kExitUsage = 2;
constexpr int kExitFailed = 1;
constexpr UINT kShellChange = WM_APP + 1;

// recycle PATH...: one delete to the bin with undo, no questions, as Explorer's delete does.
int Recycle(int argc, wchar_t** argv) {
    std::wstring list;
    for (int i = 2; i < argc; ++i) {
        list += argv[i];
        list += L'\0';
    }
    list += L'\0';
    SHFILEOPSTRUCTW op{};
    op.wFunc = FO_DELETE;
    op.pFrom = list.c_str();
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    const int result = SHFileOperationW(&op);
    printLine(result == 0 ? "recycled" : "failed " + std::to_string(result));
    return result == 0 ? 0 : kExitFailed;
}

int Empty() {
    const HRESULT result =
        SHEmptyRecycleBinW(nullptr, L"", SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND);
    printLine(SUCCEEDED(result) ? "emptied" : "failed");
    return SUCCEEDED(result) ? 0 : kExitFailed;
}

int Count() {
    SHQUERYRBINFO info{};
    info.cbSize = sizeof(info);
    const auto started = std::chrono::steady_clock::now();
    const HRESULT result = SHQueryRecycleBinW(L"", &info);
    const auto took = std::chrono::duration_cast<std::chrono::microseconds>(
                          std::chrono::steady_clock::now() - started)
                          .count();
    if (FAILED(result)) {
        printLine("failed");
        return kExitFailed;
    }
    printLine(std::to_string(info.i64NumItems) + " " + std::to_string(took));
    return 0;
}

LRESULT CALLBACK WatchProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == kShellChange) {
        PIDLIST_ABSOLUTE* items = nullptr;
        LONG event = 0;
        HANDLE lock = SHChangeNotification_Lock(reinterpret_cast<HANDLE>(wp),
                                                static_cast<DWORD>(lp), &items, &event);
        char line[64];
        std::snprintf(line, sizeof line, "shell 0x%08lx", static_cast<unsigned long>(event));
        printLine(line);
        if (lock != nullptr) {
            SHChangeNotification_Unlock(lock);
        }
        return 0;
    }
    return DefWindowProcW(window, message, wp, lp);
}

// watch SECONDS [FOLDER]: which notifications arrive while another program changes the bin:
// the shell's change notifications for the Recycle Bin, and file-system notifications on a
// folder (the bin's storage).
int Watch(double seconds, const wchar_t* folder) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = WatchProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ShellProbe.Watch";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                wc.hInstance, nullptr);
    PIDLIST_ABSOLUTE bin = nullptr;
    SHGetSpecialFolderLocation(nullptr, CSIDL_BITBUCKET, &bin);
    SHChangeNotifyEntry entry{bin, TRUE};
    const ULONG registration = SHChangeNotifyRegister(
        window, SHCNRF_ShellLevel | SHCNRF_InterruptLevel | SHCNRF_NewDelivery, SHCNE_ALLEVENTS,
        kShellChange, 1, &entry);
    printLine(registration != 0 ? "shell registered" : "shell not registered");
    HANDLE change = INVALID_HANDLE_VALUE;
    if (folder != nullptr) {
        change = FindFirstChangeNotificationW(
            folder, TRUE, FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME);
        printLine(change != INVALID_HANDLE_VALUE ? "folder watched" : "folder not watched");
    }
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    while (GetTickCount64() < end) {
        const DWORD left = static_cast<DWORD>(end - GetTickCount64());
        const DWORD count = change != INVALID_HANDLE_VALUE ? 1 : 0;
        const DWORD woke = MsgWaitForMultipleObjects(count, &change, FALSE, left, QS_ALLINPUT);
        if (count == 1 && woke == WAIT_OBJECT_0) {
            printLine("folder changed");
            FindNextChangeNotification(change);
            continue;
        }
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    if (registration != 0) {
        SHChangeNotifyDeregister(registration);
    }
    if (change != INVALID_HANDLE_VALUE) {
        FindCloseChangeNotification(change);
    }
    CoTaskMemFree(bin);
    return 0;
}

// poll SECONDS: the Recycle Bin asked ten times a second on a window timer, and nothing else:
// the yardstick the bar's own watcher is measured against.
int Poll(double seconds) {
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, nullptr);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    MSG msg;
    while (GetTickCount64() < end && GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER) {
            SHQUERYRBINFO info{};
            info.cbSize = sizeof(info);
            SHQueryRecycleBinW(L"", &info);
        }
        DispatchMessageW(&msg);
    }
    KillTimer(nullptr, timer);
    return 0;
}

// below UPPER-CLASS LOWER-CLASS: "1" when the first visible window of LOWER-CLASS is stacked
// below the first of UPPER-CLASS, "0" when above; exit 1 when either is missing.
int Below(const wchar_t* upperClass, const wchar_t* lowerClass) {
    HWND upper = FindWindowW(upperClass, nullptr);
    HWND lower = FindWindowW(lowerClass, nullptr);
    if (upper == nullptr || lower == nullptr) {
        printLine("missing");
        return kExitFailed;
    }
    for (HWND w = GetWindow(upper, GW_HWNDNEXT); w != nullptr; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == lower) {
            printLine("1");
            return 0;
        }
    }
    printLine("0");
    return 0;
}

// args FILE: started as a link's program, adds the command line it got and each argument
// (UTF-8, one a line) to the end of FILE, which is given as the first argument: a program
// started twice leaves two records.
int Args(int argc, wchar_t** argv) {
    if (argc < 3) {
        return kExitUsage;
    }
    std::string text = toUtf8(GetCommandLineW()) + "\n";
    for (int i = 3; i < argc; ++i) {
        text += toUtf8(argv[i]) + "\n";
    }
    HANDLE file = CreateFileW(argv[2], FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return kExitFailed;
    }
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
    return 0;
}

// A hidden window of this program's own: the clipboard is opened in its name.
HWND OwnWindow() {
    return CreateWindowW(L"STATIC", L"shellprobe", 0, 0, 0, 0, 0, nullptr, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void Touch(const wchar_t* path, const std::string& text) {
    HANDLE file = CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }
}

// clip-set TEXT: the clipboard holds TEXT as Unicode text.
int ClipSet(const wchar_t* text) {
    HWND window = OwnWindow();
    if (!OpenClipboard(window)) {
        printLine("busy");
        return kExitFailed;
    }
    EmptyClipboard();
    const std::size_t bytes = (std::wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(GlobalLock(memory), text, bytes);
    GlobalUnlock(memory);
    const bool set = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
    CloseClipboard();
    DestroyWindow(window);
    printLine(set ? "set" : "failed");
    return set ? 0 : kExitFailed;
}

// clip-get: the clipboard's text, or "(none)" when it holds no text; then the count of formats.
int ClipGet() {
    const int formats = CountClipboardFormats();
    std::string text = "(none)";
    if (IsClipboardFormatAvailable(CF_UNICODETEXT) && OpenClipboard(nullptr)) {
        if (HANDLE data = GetClipboardData(CF_UNICODETEXT); data != nullptr) {
            text = toUtf8(static_cast<const wchar_t*>(GlobalLock(data)));
            GlobalUnlock(data);
        }
        CloseClipboard();
    }
    printLine(text + "\n" + std::to_string(formats));
    return 0;
}

// clip-hold SECONDS READY-FILE: keeps the clipboard open, as a clipboard manager does for a
// moment, and writes READY-FILE once it holds it.
int ClipHold(double seconds, const wchar_t* ready) {
    HWND window = OwnWindow();
    if (!OpenClipboard(window)) {
        printLine("busy");
        return kExitFailed;
    }
    Touch(ready, "holding");
    Sleep(static_cast<DWORD>(seconds * 1000));
    CloseClipboard();
    DestroyWindow(window);
    printLine("released");
    return 0;
}

// cache-fill COUNT LONG: COUNT entries in the internet cache, and LONG more whose addresses
// are several thousand characters long (their records do not fit a small buffer).
int CacheFill(int count, int longOnes) {
    int made = 0;
    for (int i = 0; i < count + longOnes; ++i) {
        std::wstring url = L"http://quorvel.test/item" + std::to_wstring(i);
        if (i >= count) {
            url += L"?" + std::wstring(4000 + static_cast<std::size_t>(i), L'q');
        }
        wchar_t file[MAX_PATH] = {};
        if (!CreateUrlCacheEntryW(url.c_str(), 0, L"txt", file, 0)) {
            continue;
        }
        HANDLE h = CreateFileW(file, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(h, "quorvel", 7, &written, nullptr);
        CloseHandle(h);
        const FILETIME never{};
        if (CommitUrlCacheEntryW(url.c_str(), file, never, never, NORMAL_CACHE_ENTRY, nullptr, 0,
                                 nullptr, nullptr)) {
            ++made;
        }
    }
    printLine(std::to_string(made));
    return made == count + longOnes ? 0 : kExitFailed;
}

// cache-count: how many entries the internet cache holds.
int CacheCount() {
    std::vector<std::uint64_t> buffer(512);
    DWORD size = static_cast<DWORD>(buffer.size() * 8);
    auto* entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
    HANDLE walk = FindFirstUrlCacheEntryW(nullptr, entry, &size);
    if (walk == nullptr && GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
        buffer.resize(size / 8 + 1);
        entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
        size = static_cast<DWORD>(buffer.size() * 8);
        walk = FindFirstUrlCacheEntryW(nullptr, entry, &size);
    }
    if (walk == nullptr) {
        const DWORD error = GetLastError();
        printLine(error == ERROR_NO_MORE_ITEMS ? "0" : "failed " + std::to_string(error));
        return error == ERROR_NO_MORE_ITEMS ? 0 : kExitFailed;
    }
    int count = 1;
    for (;;) {
        size = static_cast<DWORD>(buffer.size() * 8);
        if (FindNextUrlCacheEntryW(walk, entry, &size)) {
            ++count;
            continue;
        }
        if (GetLastError() == ERROR_INSUFFICIENT_BUFFER) {
            buffer.resize(size / 8 + 1);
            entry = reinterpret_cast<INTERNET_CACHE_ENTRY_INFOW*>(buffer.data());
            continue;
        }
        break;
    }
    FindCloseUrlCache(walk);
    printLine(std::to_string(count));
    return 0;
}

FILE* listenLog = nullptr;

LRESULT CALLBACK ListenProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    const char* what = nullptr;
    if (message == WM_SYSCOMMAND && (wp & 0xFFF0U) == SC_CLOSE) {
        what = "syscommand close";
    } else if (message == WM_CLOSE) {
        what = "close";
    } else if (message == WM_QUERYENDSESSION) {
        what = "queryendsession";
    }
    if (what != nullptr && listenLog != nullptr) {
        std::fprintf(listenLog, "%s\n", what);
        std::fflush(listenLog);
        return 0;  // noted, and the window stays
    }
    return DefWindowProcW(window, message, wp, lp);
}

// listen SECONDS LOG-FILE: a visible top-level window of another program that writes every
// close request it receives to LOG-FILE (which holds "ready" once the window is up).
int Listen(double seconds, const wchar_t* logPath) {
    listenLog = _wfopen(logPath, L"w");
    if (listenLog == nullptr) {
        return kExitFailed;
    }
    WNDCLASSW wc{};
    wc.lpfnWndProc = ListenProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"ShellProbe.Listener";
    RegisterClassW(&wc);
    HWND window = CreateWindowW(wc.lpszClassName, L"listener", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20,
                                400, 200, 120, nullptr, nullptr, wc.hInstance, nullptr);
    std::fprintf(listenLog, "ready\n");
    std::fflush(listenLog);
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(seconds * 1000);
    MSG msg;
    while (GetTickCount64() < end) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageW(&msg);
        }
    }
    DestroyWindow(window);
    std::fclose(listenLog);
    return 0;
}

// shortcut PATH: the target and the working folder of a shortcut, as the shell reads them.
int Shortcut(const wchar_t* path) {
    IShellLinkW* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link)))) {
        return kExitFailed;
    }
    IPersistFile* file = nullptr;
    wchar_t target[MAX_PATH * 2] = {};
    wchar_t folder[MAX_PATH * 2] = {};
    const bool read =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
        SUCCEEDED(file->Load(path, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH * 2, nullptr, 0)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH * 2));
    if (file != nullptr) {
        file->Release();
    }
    link->Release();
    if (!read) {
        return kExitFailed;
    }
    printLine("target=" + toUtf8(target));
    printLine("folder=" + toUtf8(folder));
    return 0;
}

// Lets go of the drag at once: the drop happens where the pointer is.
class DropAtOnce final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
        if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropSource)) {
            *out = this;
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD) override {
        return escape ? DRAGDROP_S_CANCEL : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
};

// drag X Y PATH...: the files (all in one folder) dragged as the shell offers them and let go
// at the screen's pixel X, Y; prints the effect the target answered.
int Drag(int argc, wchar_t** argv) {
    OleInitialize(nullptr);
    const int x = static_cast<int>(std::wcstol(argv[2], nullptr, 10));
    const int y = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
    std::wstring folderPath = argv[4];
    folderPath = folderPath.substr(0, folderPath.find_last_of(L'\\'));
    IShellFolder* desktop = nullptr;
    IShellFolder* folder = nullptr;
    PIDLIST_ABSOLUTE folderItem = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)) ||
        FAILED(SHParseDisplayName(folderPath.c_str(), nullptr, &folderItem, 0, nullptr)) ||
        FAILED(desktop->BindToObject(folderItem, nullptr, IID_IShellFolder,
                                     reinterpret_cast<void**>(&folder)))) {
        printLine("no folder");
        return kExitFailed;
    }
    std::vector<PITEMID_CHILD> items;
    std::vector<PCUITEMID_CHILD> shown;
    for (int i = 4; i < argc; ++i) {
        std::wstring name = argv[i];
        name = name.substr(name.find_last_of(L'\\') + 1);
        PIDLIST_RELATIVE item = nullptr;
        if (FAILED(
                folder->ParseDisplayName(nullptr, nullptr, name.data(), nullptr, &item, nullptr))) {
            printLine("no item " + toUtf8(name));
            return kExitFailed;
        }
        items.push_back(static_cast<PITEMID_CHILD>(item));
        shown.push_back(items.back());
    }
    IDataObject* data = nullptr;
    if (FAILED(folder->GetUIObjectOf(nullptr, static_cast<UINT>(shown.size()), shown.data(),
                                     IID_IDataObject, nullptr, reinterpret_cast<void**>(&data)))) {
        printLine("no data object");
        return kExitFailed;
    }
    SetCursorPos(x, y);
    DropAtOnce source;
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT result =
        DoDragDrop(data, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK, &effect);
    printLine("result=" + std::to_string(static_cast<unsigned long>(result)) +
              " effect=" + std::to_string(effect));
    data->Release();
    for (PITEMID_CHILD item : items) {
        CoTaskMemFree(item);
    }
    CoTaskMemFree(folderItem);
    folder->Release();
    desktop->Release();
    return 0;
}

int Usage() {
    printLine(
        "usage: shellprobe recycle PATH... | empty | count | watch SECONDS [FOLDER] |\n"
        "       poll SECONDS | below UPPER-CLASS LOWER-CLASS | args FILE [ARG...] |\n"
        "       clip-set TEXT | clip-get | clip-hold SECONDS READY-FILE |\n"
        "       cache-fill COUNT LONG | cache-count | listen SECONDS LOG-FILE |\n"
        "       shortcut PATH | drag X Y PATH...");
    return kExitUsage;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2) {
        return Usage();
    }
    const std::wstring command = argv[1];
    if (command == L"args") {
        return Args(argc, argv);
    }
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    if (argc >= 3 && command == L"recycle") {
        return Recycle(argc, argv);
    }
    if (argc == 2 && command == L"empty") {
        return Empty();
    }
    if (argc == 2 && command == L"count") {
        return Count();
    }
    if ((argc == 3 || argc == 4) && command == L"watch") {
        return Watch(std::wcstod(argv[2], nullptr), argc == 4 ? argv[3] : nullptr);
    }
    if (argc == 3 && command == L"poll") {
        return Poll(std::wcstod(argv[2], nullptr));
    }
    if (argc == 4 && command == L"below") {
        return Below(argv[2], argv[3]);
    }
    if (argc == 3 && command == L"clip-set") {
        return ClipSet(argv[2]);
    }
    if (argc == 2 && command == L"clip-get") {
        return ClipGet();
    }
    if (argc == 4 && command == L"clip-hold") {
        return ClipHold(std::wcstod(argv[2], nullptr), argv[3]);
    }
    if (argc == 4 && command == L"cache-fill") {
        return CacheFill(std::wcstol(argv[2], nullptr, 10), std::wcstol(argv[3], nullptr, 10));
    }
    if (argc == 2 && command == L"cache-count") {
        return CacheCount();
    }
    if (argc == 3 && command == L"shortcut") {
        return Shortcut(argv[2]);
    }
    if (argc >= 5 && command == L"drag") {
        return Drag(argc, argv);
    }
    if (argc == 4 && command == L"listen") {
        return Listen(std::wcstod(argv[2], nullptr), argv[3]);
    }
    return Usage();
}
