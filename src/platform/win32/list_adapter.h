#pragma once

#include <optional>
#include <string>
#include <vector>

#include "forms/list_control.h"
#include "platform/win32/control_adapter.h"

namespace quorvel::platform::win32 {

// The messages a list kind takes for its items and its selection.
struct ListMessages {
    UINT reset;
    UINT add;
    UINT setSelection;
    UINT getSelection;
};

// What a drop-down list and a list box share: the model's items in the model's order (no
// sorting: the indices of choose() count in it) and its selection, written without a report.
class ListAdapter : public ControlAdapter {
public:
    ListAdapter(forms::ListControl& list, ChildId id, const ControlServices& services,
                ListMessages messages)
        : ControlAdapter(list, id, services), list_(list), messages_(messages) {}

protected:
    void applyState() override;
    // The entry the window has selected (-1: none), now taken as the model's.
    int takeSelection();
    [[nodiscard]] int selection() const;

    [[nodiscard]] const forms::ListControl& list() const noexcept { return list_; }
    [[nodiscard]] std::optional<int> listIndex() const noexcept { return listIndex_; }

private:
    forms::ListControl& list_;
    ListMessages messages_;
    std::optional<std::vector<std::string>> items_;
    std::optional<int> listIndex_;
};

}  // namespace quorvel::platform::win32
