#pragma once

#include <utility>

#include "platform/win32/win32.h"

namespace quorvel::platform::win32 {

// One move-only owner per kind of handle. Each Traits names its empty value and how to free.
template <class Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : h_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }

    [[nodiscard]] Handle get() const noexcept { return h_; }
    [[nodiscard]] explicit operator bool() const noexcept { return Traits::valid(h_); }
    Handle release() noexcept { return std::exchange(h_, Traits::empty()); }
    void reset(Handle h = Traits::empty()) noexcept {
        if (Traits::valid(h_)) {
            Traits::close(h_);
        }
        h_ = h;
    }

private:
    Handle h_ = Traits::empty();
};

struct KernelHandleTraits {  // CreateFile's failure is INVALID_HANDLE_VALUE, others' is null
    using Handle = HANDLE;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { CloseHandle(h); }
};
using KernelHandle = UniqueHandle<KernelHandleTraits>;

struct LibraryTraits {  // LoadLibraryExW
    using Handle = HMODULE;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { FreeLibrary(h); }
};
using UniqueLibrary = UniqueHandle<LibraryTraits>;

struct WindowTraits {
    using Handle = HWND;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { DestroyWindow(h); }
};
using UniqueWindow = UniqueHandle<WindowTraits>;

struct MenuTraits {
    using Handle = HMENU;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { DestroyMenu(h); }
};
// A menu the program built and nothing else owns (a popup menu, not one attached to a window).
using UniqueMenu = UniqueHandle<MenuTraits>;

struct LocalMemoryTraits {  // buffers the system allocated with LocalAlloc (FormatMessage)
    using Handle = void*;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { LocalFree(h); }
};
using LocalMemory = UniqueHandle<LocalMemoryTraits>;

struct IdListTraits {  // shell item ID lists, freed with the COM allocator
    using Handle = PIDLIST_ABSOLUTE;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { CoTaskMemFree(h); }
};
using UniqueIdList = UniqueHandle<IdListTraits>;

struct ShellNotificationTraits {  // a registration of SHChangeNotifyRegister; 0 is none
    using Handle = ULONG;
    static Handle empty() noexcept { return 0; }
    static bool valid(Handle h) noexcept { return h != 0; }
    static void close(Handle h) noexcept { SHChangeNotifyDeregister(h); }
};
using ShellNotification = UniqueHandle<ShellNotificationTraits>;

struct ChangeNotificationTraits {  // FindFirstChangeNotification; INVALID_HANDLE_VALUE is none
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { FindCloseChangeNotification(h); }
};
using ChangeNotification = UniqueHandle<ChangeNotificationTraits>;

struct DeviceNotificationTraits {  // RegisterDeviceNotificationW
    using Handle = HDEVNOTIFY;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { UnregisterDeviceNotification(h); }
};
using DeviceNotification = UniqueHandle<DeviceNotificationTraits>;

struct FindTraits {  // FindFirstFileExW's walk of a folder; INVALID_HANDLE_VALUE is none
    using Handle = HANDLE;
    static Handle empty() noexcept { return INVALID_HANDLE_VALUE; }
    static bool valid(Handle h) noexcept { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void close(Handle h) noexcept { FindClose(h); }
};
using FolderWalk = UniqueHandle<FindTraits>;

struct UrlCacheEnumerationTraits {  // FindFirstUrlCacheEntryW's walk
    using Handle = HANDLE;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { FindCloseUrlCache(h); }
};
using UrlCacheEnumeration = UniqueHandle<UrlCacheEnumerationTraits>;

struct MemoryDcTraits {
    using Handle = HDC;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { DeleteDC(h); }
};
using MemoryDc = UniqueHandle<MemoryDcTraits>;

template <class H>
struct GdiObjectTraits {
    using Handle = H;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { DeleteObject(h); }
};
using UniqueBitmap = UniqueHandle<GdiObjectTraits<HBITMAP>>;
using UniqueFont = UniqueHandle<GdiObjectTraits<HFONT>>;
using UniqueBrush = UniqueHandle<GdiObjectTraits<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectTraits<HPEN>>;

struct IconTraits {  // icons the program was handed (not shared ones from LoadIcon)
    using Handle = HICON;
    static Handle empty() noexcept { return nullptr; }
    static bool valid(Handle h) noexcept { return h != nullptr; }
    static void close(Handle h) noexcept { DestroyIcon(h); }
};
using UniqueIcon = UniqueHandle<IconTraits>;

// A window's DC from GetDC, given back with ReleaseDC.
class WindowDc {
public:
    explicit WindowDc(HWND window) noexcept : window_(window), dc_(GetDC(window)) {}
    ~WindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window) { dc_ = BeginPaint(window, &ps_); }
    ~PaintScope() { EndPaint(window_, &ps_); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    [[nodiscard]] HDC get() const noexcept { return dc_; }

private:
    HWND window_;
    PAINTSTRUCT ps_{};
    HDC dc_ = nullptr;
};

// Selects a GDI object into a DC and puts the previous one back, so no object is ever deleted
// while still selected.
class SelectScope {
public:
    SelectScope(HDC dc, HGDIOBJ object) noexcept : dc_(dc), previous_(SelectObject(dc, object)) {}
    ~SelectScope() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }
    SelectScope(const SelectScope&) = delete;
    SelectScope& operator=(const SelectScope&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A COM interface pointer that releases on destruction.
template <class T>
class ComPtr {
public:
    ComPtr() noexcept = default;
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ComPtr(ComPtr&& other) noexcept : p_(std::exchange(other.p_, nullptr)) {}
    ComPtr& operator=(ComPtr&& other) noexcept {
        if (this != &other) {
            reset();
            p_ = std::exchange(other.p_, nullptr);
        }
        return *this;
    }
    [[nodiscard]] T* get() const noexcept { return p_; }
    T* operator->() const noexcept { return p_; }
    [[nodiscard]] explicit operator bool() const noexcept { return p_ != nullptr; }
    // For the out-parameter of a factory call; drops what was held.
    T** put() noexcept {
        reset();
        return &p_;
    }
    void** putVoid() noexcept { return reinterpret_cast<void**>(put()); }
    void reset() noexcept {
        if (p_ != nullptr) {
            std::exchange(p_, nullptr)->Release();
        }
    }

private:
    T* p_ = nullptr;
};

// COM for the calling thread, for as long as the scope lives.
class ComScope {
public:
    ComScope() noexcept
        : ok_(SUCCEEDED(
              CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE))) {}
    ~ComScope() {
        if (ok_) {
            CoUninitialize();
        }
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;
    [[nodiscard]] bool ok() const noexcept { return ok_; }

private:
    bool ok_;
};

// A global key combination held by a window (RegisterHotKey), given back when dropped. Empty
// when the system would not give it (another program holds it).
class HotkeyRegistration {
public:
    HotkeyRegistration() noexcept = default;
    HotkeyRegistration(HWND window, int id, UINT modifiers, UINT virtualKey) noexcept
        : window_(window),
          id_(id),
          held_(RegisterHotKey(window, id, modifiers, virtualKey) != FALSE) {}
    ~HotkeyRegistration() { reset(); }
    HotkeyRegistration(const HotkeyRegistration&) = delete;
    HotkeyRegistration& operator=(const HotkeyRegistration&) = delete;
    HotkeyRegistration(HotkeyRegistration&& other) noexcept
        : window_(other.window_), id_(other.id_), held_(std::exchange(other.held_, false)) {}
    HotkeyRegistration& operator=(HotkeyRegistration&& other) noexcept {
        if (this != &other) {
            reset();
            window_ = other.window_;
            id_ = other.id_;
            held_ = std::exchange(other.held_, false);
        }
        return *this;
    }
    [[nodiscard]] explicit operator bool() const noexcept { return held_; }
    void reset() noexcept {
        if (std::exchange(held_, false)) {
            UnregisterHotKey(window_, id_);
        }
    }

private:
    HWND window_ = nullptr;
    int id_ = 0;
    bool held_ = false;
};

// A registered window class, unregistered when dropped.
class WindowClass {
public:
    WindowClass() noexcept = default;
    WindowClass(const WNDCLASSEXW& wc) noexcept  // NOLINT(google-explicit-constructor)
        : atom_(RegisterClassExW(&wc)), instance_(wc.hInstance) {}
    ~WindowClass() { unregister(); }
    WindowClass(const WindowClass&) = delete;
    WindowClass& operator=(const WindowClass&) = delete;
    WindowClass(WindowClass&& other) noexcept
        : atom_(std::exchange(other.atom_, ATOM{0})), instance_(other.instance_) {}
    WindowClass& operator=(WindowClass&& other) noexcept {
        if (this != &other) {
            unregister();
            atom_ = std::exchange(other.atom_, ATOM{0});
            instance_ = other.instance_;
        }
        return *this;
    }
    [[nodiscard]] ATOM atom() const noexcept { return atom_; }
    [[nodiscard]] explicit operator bool() const noexcept { return atom_ != 0; }

private:
    void unregister() noexcept {
        if (atom_ != 0) {
            UnregisterClassW(MAKEINTATOM(std::exchange(atom_, ATOM{0})), instance_);
        }
    }

    ATOM atom_ = 0;
    HINSTANCE instance_ = nullptr;
};

}  // namespace quorvel::platform::win32
