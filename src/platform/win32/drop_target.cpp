#include "platform/win32/drop_target.h"

#include <new>
#include <utility>

#include "platform/win32/drag_data_reader.h"

namespace quorvel::platform::win32 {

DWORD shownEffect(forms::DropEffect wanted, DWORD allowed) noexcept {
    DWORD effect = DROPEFFECT_NONE;
    switch (wanted) {
        case forms::DropEffect::None:
            return DROPEFFECT_NONE;
        case forms::DropEffect::Move:
            effect = DROPEFFECT_MOVE;
            break;
        case forms::DropEffect::Link:
            effect = DROPEFFECT_LINK;
            break;
    }
    if ((allowed & effect) != 0) {
        return effect;
    }
    return (allowed & DROPEFFECT_COPY) != 0 ? DROPEFFECT_COPY : DROPEFFECT_NONE;
}

DropTarget::DropTarget(HWND window, Handlers handlers) noexcept
    : window_(window), handlers_(std::move(handlers)) {}

void DropTarget::detach() noexcept {
    window_ = nullptr;
    handlers_ = {};
    data_ = {};
}

HRESULT DropTarget::QueryInterface(REFIID iid, void** out) noexcept {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDropTarget)) {
        *out = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG DropTarget::AddRef() noexcept {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG DropTarget::Release() noexcept {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

POINT DropTarget::clientPoint(POINTL screen) const noexcept {
    POINT p{screen.x, screen.y};
    ScreenToClient(window_, &p);
    return p;
}

forms::DropEffect DropTarget::wantedAt(POINT client) const {
    return window_ != nullptr && handlers_.effectAt ? handlers_.effectAt(client, data_)
                                                    : forms::DropEffect::None;
}

HRESULT DropTarget::DragEnter(IDataObject* data, DWORD, POINTL at, DWORD* effect) noexcept {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    try {
        data_ = data != nullptr && window_ != nullptr ? readDragData(*data) : forms::DragData{};
        *effect = shownEffect(wantedAt(clientPoint(at)), *effect);
        return S_OK;
    } catch (const std::bad_alloc&) {
        *effect = DROPEFFECT_NONE;
        return E_OUTOFMEMORY;
    }
}

HRESULT DropTarget::DragOver(DWORD, POINTL at, DWORD* effect) noexcept {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    *effect = shownEffect(wantedAt(clientPoint(at)), *effect);
    return S_OK;
}

HRESULT DropTarget::DragLeave() noexcept {
    data_ = {};
    return S_OK;
}

HRESULT DropTarget::Drop(IDataObject* data, DWORD, POINTL at, DWORD* effect) noexcept {
    if (effect == nullptr) {
        return E_INVALIDARG;
    }
    try {
        if (data != nullptr && window_ != nullptr) {
            data_ = readDragData(*data);
        }
        const POINT client = clientPoint(at);
        const forms::DropEffect wanted = wantedAt(client);
        *effect = shownEffect(wanted, *effect);
        if (*effect != DROPEFFECT_NONE && handlers_.dropped) {
            handlers_.dropped(client, std::exchange(data_, {}));
        }
        // The bar moves files to the Recycle Bin itself; a source told they were moved would
        // delete its originals.
        if (wanted == forms::DropEffect::Move) {
            *effect = DROPEFFECT_NONE;
        }
        return S_OK;
    } catch (const std::bad_alloc&) {
        *effect = DROPEFFECT_NONE;
        return E_OUTOFMEMORY;
    }
}

DropTargets::DropTargets(FailureLog& failures) noexcept
    : failures_(failures), ole32_(L"ole32.dll", failures) {}

DropTargets::~DropTargets() {
    if (started_) {
        uninitialize_();
    }
}

bool DropTargets::start() {
    if (tried_) {
        return started_;
    }
    tried_ = true;
    const auto initialize = ole32_.function<OleInitializeFn>("OleInitialize");
    uninitialize_ = ole32_.function<OleUninitializeFn>("OleUninitialize");
    register_ = ole32_.function<RegisterDragDropFn>("RegisterDragDrop");
    revoke_ = ole32_.function<RevokeDragDropFn>("RevokeDragDrop");
    if (initialize == nullptr || uninitialize_ == nullptr || register_ == nullptr ||
        revoke_ == nullptr) {
        return false;
    }
    const HRESULT started = initialize(nullptr);
    started_ = SUCCEEDED(started);
    if (!started_) {
        failures_.record("OleInitialize", static_cast<DWORD>(started));
    }
    return started_;
}

bool DropTargets::add(HWND window, IDropTarget& target) {
    if (!start()) {
        return false;
    }
    const HRESULT registered = register_(window, &target);
    if (FAILED(registered)) {
        failures_.record("RegisterDragDrop", static_cast<DWORD>(registered));
        return false;
    }
    return true;
}

void DropTargets::remove(HWND window) noexcept {
    if (started_ && window != nullptr) {
        revoke_(window);
    }
}

}  // namespace quorvel::platform::win32
