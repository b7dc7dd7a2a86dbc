#include "windows/frm_btn.h"

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "settings/bar_dimensions.h"
#include "windows/window_set.h"

namespace quorvel::windows {

namespace {
constexpr std::uint32_t kStepMs = 1;
// The bar grows and shrinks by this much per step.
constexpr forms::Twips kWidthStep = 230;
// Opening snaps to the full width once less than this remains to grow.
constexpr forms::Twips kSnapMargin = 250;
// Closing hides the bar once it is narrower than this.
constexpr forms::Twips kHideBelow = 235;
// Pictures parked here wait out of sight below the panel.
constexpr forms::Twips kParkedTop = 960;
constexpr forms::Twips kOpenLeft = 880;

using K = forms::ControlKind;

// The four-frames icon is created last so it is drawn over the button it labels.
constexpr forms::ControlRow kLayout[] = {
    {"OP", K::Image, {kOpenLeft, 0, 255, 255}},
    {"OPD",
     K::Image,
     {kOpenLeft, kParkedTop, FrmBtn::kFoldedSize, FrmBtn::kFoldedSize},
     {},
     0,
     forms::BuiltinPicture::PanelButton},
    {"Image1",
     K::Image,
     {kOpenLeft, 0, FrmBtn::kFoldedSize, FrmBtn::kFoldedSize},
     {},
     0,
     forms::BuiltinPicture::PanelFourFrames},
    {"Dcon", K::TextField},
    {"FWdth", K::TextField},
    {"cmdDLrg", K::Command, {}, "cmdDLrg"},
    {"cmdDSml", K::Command, {}, "cmdDSml"},
    {"Timer1", K::Timer},
    {"Timer2", K::Timer},
};

}  // namespace

FrmBtn::FrmBtn(WindowSet& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kFoldedSize, kFoldedSize}, kLayout),
      windows_(windows) {
    setBackColor(kPanelColor);
    command("cmdDLrg").onClick = [this] { cmdDLrg_Click(); };
    command("cmdDSml").onClick = [this] { cmdDSml_Click(); };
    Timer1_->onTimer = [this] { Timer1_Timer(); };
    Timer2_->onTimer = [this] { Timer2_Timer(); };
    for (forms::Image* button : {OP_, OPD_, Image1_}) {
        button->events.onClick = [this] { OpenButton_Click(); };
    }
    Load();
    announce();
}

void FrmBtn::Load() {
    setWidth(kFoldedSize);
    setHeight(kFoldedSize);
    OP_->setLeft(0);
    OPD_->setLeft(0);
    Image1_->setLeft(0);

    const std::string& openPicture = windows_.dock().model().OpnB;
    forms::PictureRef custom;
    if (!openPicture.empty()) {
        custom = windows_.ports().pictures.load(openPicture);
        OP_->setPicture(custom);
    }
    // Without a readable picture of the user's own, the built-in button shows instead.
    OPD_->setTop(custom ? kParkedTop : OP_->top());
    setTopmost(true);
}

void FrmBtn::OpenButton_Click() {
    if (!windows_.dock().visible()) {
        command("cmdDLrg").press();
    }
}

void FrmBtn::cmdDLrg_Click() {
    bar::Dock& dock = windows_.dock();
    // Opening and closing take turns: with both timers running, one would add what the other
    // takes away and the bar would stay half open for good.
    Timer2_->stop();
    dock.setWidth(settings::kCollapsedBarWidth);
    dock.show();
    Timer1_->start(kStepMs);
}

void FrmBtn::Timer1_Timer() {
    bar::Dock& dock = windows_.dock();
    const forms::Twips full = bar::fullWidthOf(dock.model().FWdth);
    if (full - kSnapMargin < dock.width()) {
        dock.setWidth(full);
        Timer1_->stop();
    } else {
        dock.setWidth(dock.width() + kWidthStep);
    }
}

void FrmBtn::cmdDSml_Click() {
    Timer1_->stop();
    Timer2_->start(kStepMs);
}

void FrmBtn::Timer2_Timer() {
    bar::Dock& dock = windows_.dock();
    if (dock.width() >= kHideBelow) {
        dock.setWidth(dock.width() - kWidthStep);
        return;
    }
    dock.hide();
    Timer2_->stop();
    if (Dcon_->text() != "on") {
        // A set change closed the bar: it comes back with the set now in RNo. The restart
        // unloads this panel, which lives on until the event is over.
        dock.command("cmdReStart").press();
    }
}

}  // namespace quorvel::windows
