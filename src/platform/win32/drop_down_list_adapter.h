#pragma once

#include "forms/list_control.h"
#include "platform/win32/list_adapter.h"

namespace quorvel::platform::win32 {

// A drop-down list of fixed items as a COMBOBOX. The choice is made when the list closes on a
// new entry, or when the selection moves while it is closed.
class DropDownListAdapter final : public ListAdapter {
public:
    using Model = forms::ComboBox;
    DropDownListAdapter(forms::ComboBox& list, ChildId id, const ControlServices& services)
        : ListAdapter(list, id, services,
                      {CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL, CB_GETCURSEL}),
          list_(list) {}

    bool command(UINT code) override;
    [[nodiscard]] bool isFocusNotice(UINT code) const override { return code == CBN_SETFOCUS; }

private:
    [[nodiscard]] ChildClass childClass() const override {
        return {L"COMBOBOX", kChildStyle | WS_VSCROLL | CBS_DROPDOWNLIST, 0};
    }
    [[nodiscard]] PixelBox windowBox(PixelBox field) const override;

    forms::ComboBox& list_;
};

}  // namespace quorvel::platform::win32
