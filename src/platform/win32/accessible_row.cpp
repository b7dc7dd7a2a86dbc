#include "platform/win32/accessible_row.h"

#include <string>
#include <vector>

#include "platform/win32/hosted_window.h"

namespace quorvel::platform::win32 {

namespace {

// What a push button's default action is called where the system speaks Japanese.
constexpr std::string_view kPress = "押す";

void setEmpty(VARIANT* v) {
    v->vt = VT_EMPTY;
}

void setLong(VARIANT* v, LONG value) {
    v->vt = VT_I4;
    v->lVal = value;
}

}  // namespace

HRESULT AccessibleRow::QueryInterface(REFIID iid, void** out) {
    if (out == nullptr) {
        return E_POINTER;
    }
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch) ||
        IsEqualIID(iid, __uuidof(IAccessible))) {
        *out = static_cast<IAccessible*>(this);
        AddRef();
        return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
}

ULONG AccessibleRow::AddRef() {
    return static_cast<ULONG>(InterlockedIncrement(&references_));
}

ULONG AccessibleRow::Release() {
    const LONG left = InterlockedDecrement(&references_);
    if (left == 0) {
        delete this;
    }
    return static_cast<ULONG>(left);
}

HRESULT AccessibleRow::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 0;
    return S_OK;
}

HRESULT AccessibleRow::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
    if (info != nullptr) {
        *info = nullptr;
    }
    return E_NOTIMPL;
}

HRESULT AccessibleRow::GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) {
    return E_NOTIMPL;
}

HRESULT AccessibleRow::Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                              UINT*) {
    return E_NOTIMPL;
}

const forms::ItemRow* AccessibleRow::row() const noexcept {
    if (window_ == nullptr || window_->form == nullptr) {
        return nullptr;
    }
    return window_->form->windowRow();
}

HWND AccessibleRow::window() const noexcept {
    return window_ != nullptr ? window_->window.get() : nullptr;
}

std::optional<LONG> AccessibleRow::childIdOf(const forms::ItemRow& row, std::size_t index) {
    const std::vector<std::size_t> shown = row.shown();
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == index) {
            return static_cast<LONG>(i + 1);
        }
    }
    return std::nullopt;
}

AccessibleRow::Target AccessibleRow::targetOf(const VARIANT& child) const {
    const forms::ItemRow* r = row();
    if (r == nullptr || child.vt != VT_I4) {
        return {};
    }
    if (child.lVal == CHILDID_SELF) {
        return Target{true, std::nullopt};
    }
    const std::vector<std::size_t> shown = r->shown();
    if (child.lVal < 1 || static_cast<std::size_t>(child.lVal) > shown.size()) {
        return {};
    }
    return Target{true, shown[static_cast<std::size_t>(child.lVal - 1)]};
}

template <class Pick>
HRESULT AccessibleRow::text(const VARIANT& child, BSTR* out, Pick pick) {
    if (out == nullptr) {
        return E_POINTER;
    }
    *out = nullptr;
    if (row() == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    std::string said;
    if (!pick(*row(), target, said)) {
        return S_FALSE;
    }
    *out = library_.string(said);
    return *out != nullptr ? S_OK : E_OUTOFMEMORY;
}

HRESULT AccessibleRow::get_accParent(IDispatch** parent) {
    if (parent == nullptr) {
        return E_POINTER;
    }
    *parent = nullptr;
    if (row() == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    // The window itself, as the system describes it: its frame, title and place among the
    // other windows.
    return library_.standardObject(window(), OBJID_WINDOW, IID_IDispatch,
                                   reinterpret_cast<void**>(parent));
}

HRESULT AccessibleRow::get_accChildCount(LONG* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    const forms::ItemRow* r = row();
    if (r == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    *count = static_cast<LONG>(r->shown().size());
    return S_OK;
}

HRESULT AccessibleRow::get_accChild(VARIANT child, IDispatch** object) {
    if (object == nullptr) {
        return E_POINTER;
    }
    *object = nullptr;
    if (row() == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    // The items are simple elements of this object, not objects of their own.
    return targetOf(child).valid ? S_FALSE : E_INVALIDARG;
}

HRESULT AccessibleRow::get_accName(VARIANT child, BSTR* name) {
    return text(child, name, [](const forms::ItemRow& r, const Target& t, std::string& said) {
        said = t.item ? r.items()[*t.item].name() : r.accessibleName();
        return true;
    });
}

HRESULT AccessibleRow::get_accValue(VARIANT child, BSTR* value) {
    return text(child, value, [](const forms::ItemRow& r, const Target& t, std::string& said) {
        if (!t.item || !r.items()[*t.item].value) {
            return false;
        }
        said = r.items()[*t.item].value();
        return !said.empty();
    });
}

HRESULT AccessibleRow::get_accDescription(VARIANT child, BSTR* description) {
    return text(child, description, [](const auto&, const auto&, auto&) { return false; });
}

HRESULT AccessibleRow::get_accHelp(VARIANT child, BSTR* help) {
    return text(child, help, [](const auto&, const auto&, auto&) { return false; });
}

HRESULT AccessibleRow::get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) {
    return text(child, shortcut, [](const auto&, const auto&, auto&) { return false; });
}

HRESULT AccessibleRow::get_accDefaultAction(VARIANT child, BSTR* action) {
    return text(child, action, [](const auto&, const Target& t, std::string& said) {
        said = kPress;
        return t.item.has_value();
    });
}

HRESULT AccessibleRow::get_accHelpTopic(BSTR* file, VARIANT, LONG* topic) {
    if (file != nullptr) {
        *file = nullptr;
    }
    if (topic != nullptr) {
        *topic = 0;
    }
    return S_FALSE;
}

HRESULT AccessibleRow::get_accRole(VARIANT child, VARIANT* role) {
    if (role == nullptr) {
        return E_POINTER;
    }
    setEmpty(role);
    if (row() == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    setLong(role, target.item ? ROLE_SYSTEM_PUSHBUTTON : ROLE_SYSTEM_TOOLBAR);
    return S_OK;
}

HRESULT AccessibleRow::get_accState(VARIANT child, VARIANT* state) {
    if (state == nullptr) {
        return E_POINTER;
    }
    setEmpty(state);
    const forms::ItemRow* r = row();
    if (r == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    LONG flags = IsWindowVisible(window()) != FALSE ? 0 : STATE_SYSTEM_INVISIBLE;
    if (target.item) {
        flags |= r->takesKeys() ? STATE_SYSTEM_FOCUSABLE : 0;
        flags |= r->focused() && r->current() == target.item ? STATE_SYSTEM_FOCUSED : 0;
    }
    setLong(state, flags);
    return S_OK;
}

HRESULT AccessibleRow::get_accFocus(VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    setEmpty(child);
    const forms::ItemRow* r = row();
    if (r == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    if (!r->focused()) {
        return S_FALSE;
    }
    const std::optional<std::size_t> current = r->current();
    setLong(child, current ? childIdOf(*r, *current).value_or(CHILDID_SELF) : CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleRow::get_accSelection(VARIANT* children) {
    if (children == nullptr) {
        return E_POINTER;
    }
    setEmpty(children);
    return row() != nullptr ? S_FALSE : RPC_E_DISCONNECTED;
}

HRESULT AccessibleRow::accSelect(LONG, VARIANT) {
    return row() != nullptr ? DISP_E_MEMBERNOTFOUND : RPC_E_DISCONNECTED;
}

HRESULT AccessibleRow::accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                   VARIANT child) {
    if (left == nullptr || top == nullptr || width == nullptr || height == nullptr) {
        return E_POINTER;
    }
    *left = *top = *width = *height = 0;
    const forms::ItemRow* r = row();
    if (r == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    if (!target.item) {
        RECT box{};
        if (GetWindowRect(window(), &box) == FALSE) {
            return E_FAIL;
        }
        *left = box.left;
        *top = box.top;
        *width = box.right - box.left;
        *height = box.bottom - box.top;
        return S_OK;
    }
    const PixelBox box = toPixels(r->imageOf(*target.item)->bounds(), window_->dpi);
    POINT corner{box.left, box.top};
    ClientToScreen(window(), &corner);
    *left = corner.x;
    *top = corner.y;
    *width = box.width();
    *height = box.height();
    return S_OK;
}

HRESULT AccessibleRow::accNavigate(LONG direction, VARIANT start, VARIANT* end) {
    if (end == nullptr) {
        return E_POINTER;
    }
    setEmpty(end);
    const forms::ItemRow* r = row();
    if (r == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const Target from = targetOf(start);
    if (!from.valid) {
        return E_INVALIDARG;
    }
    const auto count = static_cast<LONG>(r->shown().size());
    LONG to = 0;
    if (!from.item) {
        to = direction == NAVDIR_FIRSTCHILD ? 1 : direction == NAVDIR_LASTCHILD ? count : 0;
    } else {
        const LONG at = start.lVal;
        if (direction == NAVDIR_NEXT || direction == NAVDIR_RIGHT) {
            to = at + 1;
        } else if (direction == NAVDIR_PREVIOUS || direction == NAVDIR_LEFT) {
            to = at - 1;
        }
    }
    if (to < 1 || to > count) {
        return S_FALSE;
    }
    setLong(end, to);
    return S_OK;
}

HRESULT AccessibleRow::accHitTest(LONG x, LONG y, VARIANT* child) {
    if (child == nullptr) {
        return E_POINTER;
    }
    setEmpty(child);
    const forms::ItemRow* r = row();
    if (r == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    POINT at{x, y};
    RECT client{};
    if (ScreenToClient(window(), &at) == FALSE || GetClientRect(window(), &client) == FALSE ||
        PtInRect(&client, at) == FALSE) {
        return S_FALSE;
    }
    const forms::Point p{pixelsToTwips(at.x, window_->dpi), pixelsToTwips(at.y, window_->dpi)};
    const std::vector<std::size_t> shown = r->shown();
    // Later items lie over earlier ones where they overlap (the settings window's slots over
    // its background).
    for (std::size_t i = shown.size(); i-- > 0;) {
        if (r->imageOf(shown[i])->bounds().contains(p)) {
            setLong(child, static_cast<LONG>(i + 1));
            return S_OK;
        }
    }
    setLong(child, CHILDID_SELF);
    return S_OK;
}

HRESULT AccessibleRow::accDoDefaultAction(VARIANT child) {
    if (row() == nullptr) {
        return RPC_E_DISCONNECTED;
    }
    const Target target = targetOf(child);
    if (!target.valid) {
        return E_INVALIDARG;
    }
    if (!target.item) {
        return DISP_E_MEMBERNOTFOUND;
    }
    return PostMessageW(window(), kAccessibleActionMessage, *target.item, 0) != FALSE ? S_OK
                                                                                      : E_FAIL;
}

HRESULT AccessibleRow::put_accName(VARIANT, BSTR) {
    return E_NOTIMPL;
}

HRESULT AccessibleRow::put_accValue(VARIANT, BSTR) {
    return E_NOTIMPL;
}

}  // namespace quorvel::platform::win32
