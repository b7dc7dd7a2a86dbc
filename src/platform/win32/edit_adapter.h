#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

#include "forms/text_box.h"
#include "platform/win32/control_adapter.h"

namespace quorvel::platform::win32 {

// A text box as an EDIT. What the person types goes to the model (typeText), and the box then
// shows at once what the model kept: a field that holds no more than its stored width never
// shows the characters it dropped, and the caret stays where the person typed.
class EditAdapter final : public ControlAdapter {
public:
    using Model = forms::TextBox;
    EditAdapter(forms::TextBox& box, ChildId id, const ControlServices& services)
        : ControlAdapter(box, id, services), box_(box) {}

    bool command(UINT code) override;
    [[nodiscard]] bool isFocusNotice(UINT code) const override { return code == EN_SETFOCUS; }
    [[nodiscard]] std::optional<LRESULT> color(HDC dc) override;

private:
    // The box as the person's edit left it.
    struct Typed {
        std::wstring shown;
        DWORD caret = 0;
    };

    [[nodiscard]] ChildClass childClass() const override {
        return {L"EDIT", kChildStyle | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    }
    void applyState() override;
    void applyText();

    forms::TextBox& box_;
    std::optional<bool> readOnly_;
    std::optional<std::size_t> maxLength_;
    std::optional<std::string> text_;  // what the box shows
    std::optional<Typed> typed_;       // an edit the box has not yet been brought in line with
    std::optional<std::pair<forms::ColorNumber, forms::ColorNumber>> colours_;  // back, fore
};

}  // namespace quorvel::platform::win32
