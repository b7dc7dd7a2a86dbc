#include <string>
#include <string_view>

#include "bar/dock.h"
#include "bar/item_names.h"

namespace quorvel::bar {

void Dock::wireHover() {
    auto fixedName = [this](forms::Image* image, std::string_view name) {
        image->events.onMouseMove = [this, image, name](forms::Point) {
            hoverOver(*image, std::string(name));
        };
    };
    fixedName(ImgMC_, names::kMyComputer);
    fixedName(MCD_, names::kMyComputer);
    fixedName(ImgMD_, names::kMyDocuments);
    fixedName(MDD_, names::kMyDocuments);
    for (forms::Image* bin : {ImgRBinEmp_, ImgRBinFll_, RBED_, RBFD_}) {
        fixedName(bin, names::kRecycleBin);
    }
    for (int n = 0; n < settings::kSlotCount; ++n) {
        forms::Image* slot = slots_[n];
        slot->events.onMouseMove = [this, slot, n](forms::Point) {
            hoverOver(*slot, model_.L[n].N);
        };
    }
}

void Dock::hoverOver(const forms::Image& item, const std::string& name) {
    window_api::NamePopup& popup = windows_.namePopup();
    forms::Form& window = popup.window();
    // Centred over the item, unless that would put part of it off the screen.
    forms::Rect wanted = window.bounds();
    wanted.left = item.left() + left() + item.width() / 2 - window.width() / 2;
    window.setLeft(forms::keptOn(ports().screen.bounds(), wanted).left);
    if (popup.name() != name) {
        popup.setName("");
        popup.Stp();
        popup.setName(name);
        popup.Strt();
    } else {
        popup.ShowAgain();
    }
}

}  // namespace quorvel::bar
