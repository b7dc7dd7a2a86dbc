#pragma once

#include "forms/list_control.h"
#include "platform/win32/list_adapter.h"

namespace quorvel::platform::win32 {

// A list that stays open as a LISTBOX: a click chooses an item, a double-click or Enter
// activates it.
class ListBoxAdapter final : public ListAdapter {
public:
    using Model = forms::ListBox;
    ListBoxAdapter(forms::ListBox& list, ChildId id, const ControlServices& services)
        : ListAdapter(list, id, services,
                      {LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL}),
          list_(list) {}

    bool command(UINT code) override;
    [[nodiscard]] bool isFocusNotice(UINT code) const override { return code == LBN_SETFOCUS; }
    bool enter() override;

private:
    [[nodiscard]] ChildClass childClass() const override {
        return {L"LISTBOX", kChildStyle | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT,
                WS_EX_CLIENTEDGE};
    }

    forms::ListBox& list_;
};

}  // namespace quorvel::platform::win32
