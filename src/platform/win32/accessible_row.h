#pragma once

#include <cstddef>
#include <optional>

#include "forms/item_row.h"
#include "platform/win32/accessibility_library.h"
#include "platform/win32/host_messages.h"
#include "platform/win32/win32.h"
// clang-format off
#include <oleacc.h>
// clang-format on

namespace quorvel::platform::win32 {

struct HostedWindow;

// A window's own item row as a screen reader reads it: a tool bar named after the row, whose
// children are the items on the window, each a push button with its name, value, place on the
// screen, focus and default action (the click). The children are numbered 1..n in the order
// they stand; an item that is not on the window is no child.
//
// The object reads the window afresh on every call, so what it says is what the screen shows.
// The one call that acts, the default action, is posted to the window and runs there as any
// other event, after the screen reader's call has returned (a click may open a message box,
// which must not wait inside that call). The window disconnects the object when it goes; a
// screen reader that still holds it is told so.
class AccessibleRow final : public IAccessible {
public:
    AccessibleRow(HostedWindow& window, AccessibilityLibrary& library) noexcept
        : window_(&window), library_(library) {}
    AccessibleRow(const AccessibleRow&) = delete;
    AccessibleRow& operator=(const AccessibleRow&) = delete;

    void disconnect() noexcept { window_ = nullptr; }

    // The child that stands for a row's item, while it is on the window.
    [[nodiscard]] static std::optional<LONG> childIdOf(const forms::ItemRow& row,
                                                       std::size_t index);

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;

    // IDispatch: screen readers call IAccessible directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override;
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override;

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override;
    HRESULT STDMETHODCALLTYPE get_accChildCount(LONG* count) override;
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override;
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override;
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override;
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT child, BSTR* description) override;
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override;
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override;
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT child, BSTR* help) override;
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT child, LONG* topic) override;
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT child, BSTR* shortcut) override;
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* children) override;
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override;
    HRESULT STDMETHODCALLTYPE accSelect(LONG flags, VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accLocation(LONG* left, LONG* top, LONG* width, LONG* height,
                                          VARIANT child) override;
    HRESULT STDMETHODCALLTYPE accNavigate(LONG direction, VARIANT start, VARIANT* end) override;
    HRESULT STDMETHODCALLTYPE accHitTest(LONG x, LONG y, VARIANT* child) override;
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override;
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT child, BSTR name) override;
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT child, BSTR value) override;

private:
    ~AccessibleRow() = default;  // through Release only

    // What a child id names: the row itself, one of its items (by index), or nothing.
    struct Target {
        bool valid = false;
        std::optional<std::size_t> item;
    };
    [[nodiscard]] const forms::ItemRow* row() const noexcept;
    [[nodiscard]] Target targetOf(const VARIANT& child) const;
    // A string property: `pick` gives it for the target, or nothing (S_FALSE).
    template <class Pick>
    HRESULT text(const VARIANT& child, BSTR* out, Pick pick);
    [[nodiscard]] HWND window() const noexcept;

    LONG references_ = 1;
    HostedWindow* window_;
    AccessibilityLibrary& library_;
};

}  // namespace quorvel::platform::win32
