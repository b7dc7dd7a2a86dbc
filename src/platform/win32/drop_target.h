#pragma once

#include <functional>

#include "forms/drag_data.h"
#include "platform/win32/failure_log.h"
#include "platform/win32/system_library.h"
#include "platform/win32/win32.h"
// clang-format off
#include <oleidl.h>
// clang-format on

namespace quorvel::platform::win32 {

// The effect a drag shows for what the form would do, among those the source allows. A source
// that offers only copies (a browser's address, a read-only medium) still hands over what the
// bar needs, so a copy stands in for a link or a move it does not allow.
[[nodiscard]] DWORD shownEffect(forms::DropEffect wanted, DWORD allowed) noexcept;

// A window's drop target, as file managers and browsers deliver drops. What the drag carries is
// read as it enters; at each point the form says what a drop there would do, and the pointer
// shows it. A drop is handed on after the source let go of the drag, never inside it: the
// handler may show a message box, which must not hold the source's drag loop.
class DropTarget final : public IDropTarget {
public:
    struct Handlers {
        // What a drop at the point (client pixels) would do.
        std::function<forms::DropEffect(POINT, const forms::DragData&)> effectAt;
        // A drop that does something, at the point.
        std::function<void(POINT, forms::DragData)> dropped;
    };

    // Starts with one reference, the caller's.
    DropTarget(HWND window, Handlers handlers) noexcept;
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    // The window is going: later calls from a drag still under way do nothing.
    void detach() noexcept;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) noexcept override;
    ULONG STDMETHODCALLTYPE AddRef() noexcept override;
    ULONG STDMETHODCALLTYPE Release() noexcept override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL at,
                                        DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL at, DWORD* effect) noexcept override;
    HRESULT STDMETHODCALLTYPE DragLeave() noexcept override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL at,
                                   DWORD* effect) noexcept override;

private:
    ~DropTarget() = default;
    [[nodiscard]] forms::DropEffect wantedAt(POINT client) const;
    [[nodiscard]] POINT clientPoint(POINTL screen) const noexcept;

    LONG references_ = 1;
    HWND window_;
    Handlers handlers_;
    forms::DragData data_;
};

// OLE for the user-interface thread, started with the first window that takes drops (the
// bar), and the registrations of the windows' drop targets.
class DropTargets {
public:
    explicit DropTargets(FailureLog& failures) noexcept;
    ~DropTargets();
    DropTargets(const DropTargets&) = delete;
    DropTargets& operator=(const DropTargets&) = delete;

    // Registers the target for the window; false (noted in the log) when OLE or the
    // registration failed, and then the window takes only the system's older file drops.
    bool add(HWND window, IDropTarget& target);
    // Takes the window's registration back, before the window goes.
    void remove(HWND window) noexcept;

private:
    bool start();

    using OleInitializeFn = HRESULT(WINAPI*)(LPVOID);
    using OleUninitializeFn = void(WINAPI*)();
    using RegisterDragDropFn = HRESULT(WINAPI*)(HWND, LPDROPTARGET);
    using RevokeDragDropFn = HRESULT(WINAPI*)(HWND);

    FailureLog& failures_;
    SystemLibrary ole32_;
    OleUninitializeFn uninitialize_ = nullptr;
    RegisterDragDropFn register_ = nullptr;
    RevokeDragDropFn revoke_ = nullptr;
    bool tried_ = false;
    bool started_ = false;
};

}  // namespace quorvel::platform::win32
