#include "platform/win32/button_adapter.h"

#include "platform/win32/strconv.h"

namespace quorvel::platform::win32 {

bool ButtonAdapter::command(UINT code) {
    if (code != BN_CLICKED) {
        return false;
    }
    button_.press();
    return true;
}

void ButtonAdapter::applyState() {
    if (caption_ == button_.caption()) {
        return;
    }
    failures().check(SetWindowTextW(window(), toWide(button_.caption()).c_str()),
                     "SetWindowTextW (control " + button_.name() + ")");
    caption_ = button_.caption();
}

void ButtonAdapter::showDefault(const ControlAdapter* focusedButton) {
    const bool wanted = focusedButton != nullptr ? focusedButton == this : button_.isDefault();
    const auto type = static_cast<DWORD>(GetWindowLongPtrW(window(), GWL_STYLE)) &
                      static_cast<DWORD>(BS_TYPEMASK);
    if ((type == BS_DEFPUSHBUTTON) != wanted) {
        SendMessageW(window(), BM_SETSTYLE, wanted ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    }
}

}  // namespace quorvel::platform::win32
