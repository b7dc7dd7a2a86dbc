#include "platform/win32/control_adapters.h"

#include "platform/win32/button_adapter.h"
#include "platform/win32/drop_down_list_adapter.h"
#include "platform/win32/edit_adapter.h"
#include "platform/win32/item_row_adapter.h"
#include "platform/win32/list_box_adapter.h"

namespace quorvel::platform::win32 {

namespace {

using MakeAdapter = std::unique_ptr<ControlAdapter> (*)(forms::Control&, ChildId,
                                                        const ControlServices&);

template <class Adapter>
std::unique_ptr<ControlAdapter> make(forms::Control& control, ChildId id,
                                     const ControlServices& services) {
    return std::make_unique<Adapter>(static_cast<typename Adapter::Model&>(control), id, services);
}

// A row that is the whole window's has no window of its own: the window takes its keys.
std::unique_ptr<ControlAdapter> makeItemRow(forms::Control& control, ChildId id,
                                            const ControlServices& services) {
    auto& row = static_cast<forms::ItemRow&>(control);
    if (row.wholeWindow()) {
        return nullptr;
    }
    return std::make_unique<ItemRowAdapter>(row, id, services);
}

struct AdapterRow {
    forms::ControlKind kind;
    MakeAdapter make;
};

// One row per kind that is a real control: a new kind is its adapter's file and a row here.
constexpr AdapterRow kAdapters[] = {
    {forms::ControlKind::TextBox, &make<EditAdapter>},
    {forms::ControlKind::ComboBox, &make<DropDownListAdapter>},
    {forms::ControlKind::ListBox, &make<ListBoxAdapter>},
    {forms::ControlKind::Button, &make<ButtonAdapter>},
    {forms::ControlKind::ItemRow, &makeItemRow},
};

}  // namespace

std::unique_ptr<ControlAdapter> adapterFor(forms::Control& control, ChildId id,
                                           const ControlServices& services) {
    for (const AdapterRow& row : kAdapters) {
        if (row.kind == control.kind()) {
            return row.make(control, id, services);
        }
    }
    return nullptr;
}

}  // namespace quorvel::platform::win32
