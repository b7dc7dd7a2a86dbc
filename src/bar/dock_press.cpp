#include <string>

#include "bar/dock.h"

namespace quorvel::bar {

void Dock::wirePointer() {
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        forms::Image* slot = slots_[static_cast<std::size_t>(n - 1)];
        slot->events.onMouseDown = [this, n](forms::MouseButton b, forms::Point) {
            IL_MouseDown(n, b);
        };
        slot->events.onClick = [this, n] { IL_Click(n); };
    }

    using Target = std::string (Dock::*)() const;
    const auto special = [this](forms::Image* image, window_api::MenuSource source,
                                std::string_view code, Target target) {
        image->events.onMouseDown = [this, source](forms::MouseButton b, forms::Point) {
            pressOn(source, b);
        };
        image->events.onClick = [this, code, target] { special_Click(code, (this->*target)()); };
    };
    special(ImgMC_, window_api::MenuSource::MyComputer, "MC", &Dock::myComputerTarget);
    special(MCD_, window_api::MenuSource::MyComputer, "MCD", &Dock::myComputerTarget);
    special(ImgMD_, window_api::MenuSource::MyDocuments, "MD", &Dock::myDocumentsTarget);
    special(MDD_, window_api::MenuSource::MyDocuments, "MDD", &Dock::myDocumentsTarget);

    const auto bin = [this](forms::Image* image, std::string_view code) {
        image->events.onMouseDown = [this, code](forms::MouseButton b, forms::Point) {
            RecycleBin_MouseDown(code, b);
        };
        image->events.dropEffect = [](const forms::DragData& data) {
            return data.paths.empty() ? forms::DropEffect::None : forms::DropEffect::Move;
        };
        image->events.onDrop = [this](const forms::DragData& data) { RecycleBin_Drop(data.paths); };
    };
    bin(ImgRBinEmp_, "RBE");
    bin(RBED_, "RBED");
    bin(ImgRBinFll_, "RBF");
    bin(RBFD_, "RBFD");

    // The background pictures and the dividers are the bar's background to the user.
    // What is dropped there becomes links; links themselves and the other items take nothing.
    const auto takeLinks = [this](forms::PointerHandlers& events) {
        events.onMouseDown = [this](forms::MouseButton b, forms::Point) {
            pressOn(window_api::MenuSource::Background, b);
        };
        events.dropEffect = [this](const forms::DragData& data) { return linksDropEffect(data); };
        events.onDrop = [this](const forms::DragData& data) { Background_Drop(data); };
    };
    takeLinks(backgroundEvents);
    for (forms::Image* decoration : {IFBk_, FBKD_, Divid1_, DivD_}) {
        takeLinks(decoration->events);
    }
    for (forms::Image* separator : separators_) {
        takeLinks(separator->events);
    }
}

std::string Dock::myComputerTarget() const {
    return std::string(platform::kMyComputerPath);
}

// Filled in at start-up from the system's personal-folder lookup.
std::string Dock::myDocumentsTarget() const {
    return model_.txtMDPth;
}

// Every press sets the entries that fit the pressed item, whichever the button; only the
// right button opens the menu.
void Dock::pressOn(window_api::MenuSource source, forms::MouseButton button) {
    windows_.menu().showEntriesFor(source);
    if (button == forms::MouseButton::Right) {
        popUpMenu();
    }
}

void Dock::IL_MouseDown(int n, forms::MouseButton button) {
    windows_.menu().showEntriesFor(n == 1 ? window_api::MenuSource::FirstSlot
                                          : window_api::MenuSource::OtherSlot);
    if (n >= 2) {
        // The separator the menu would insert or remove is the one just in front of this slot.
        model_.SNo = std::to_string(n - 1);
    }
    if (button == forms::MouseButton::Right) {
        popUpMenu();
    }
}

}  // namespace quorvel::bar
