#pragma once

#include <optional>

#include "forms/item_row.h"
#include "platform/win32/control_adapter.h"

namespace quorvel::platform::win32 {

// An item row among a window's real controls, as a child window of its own that Tab steps to.
// It takes the arrows, Home, End and Space itself (Enter reaches it through the dialog
// manager), and tells the row when it gets and loses the focus, through notifications to its
// window as every control's. It lets the pointer through to the window beneath and shows what
// that window paints there: the window draws the items and the focus mark, as it draws them
// everywhere else.
class ItemRowAdapter final : public ControlAdapter {
public:
    using Model = forms::ItemRow;
    static constexpr wchar_t kClassName[] = L"Quorvel.ItemRow";

    ItemRowAdapter(forms::ItemRow& row, ChildId id, const ControlServices& services)
        : ControlAdapter(row, id, services), row_(row) {}

    bool command(UINT code) override;
    [[nodiscard]] bool isFocusNotice(UINT code) const override;
    bool enter() override;

    // The class's window procedure: it holds no state, and reports to its parent.
    static LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wp, LPARAM lp);

    // The notifications it sends (WM_COMMAND's code).
    static constexpr UINT kSetFocus = 1;
    static constexpr UINT kKillFocus = 2;
    static constexpr UINT kFirstKey = 0x100;  // then one per key (and digit)
    [[nodiscard]] static UINT keyNotice(const forms::KeyPress& key) noexcept;
    [[nodiscard]] static std::optional<forms::KeyPress> keyOfNotice(UINT code) noexcept;

private:
    [[nodiscard]] ChildClass childClass() const override;
    // Whatever changed on the window may have changed what it paints under the row.
    void applyState() override;

    forms::ItemRow& row_;
};

}  // namespace quorvel::platform::win32
