#include "windows/frm_btn.h"

#include "bar/bar_numbers.h"
#include "bar/dock.h"
#include "bar/program.h"

namespace quorvel::windows {

namespace {
constexpr std::uint32_t kStepMs = 1;
// The bar grows and shrinks by this much per step.
constexpr forms::Twips kWidthStep = 230;
// Opening snaps to the full width once less than this remains to grow.
constexpr forms::Twips kSnapMargin = 250;
// Closing hides the bar once it is narrower than this.
constexpr forms::Twips kHideBelow = 235;
constexpr forms::Twips kCollapsedBar = 2;
// Pictures parked here wait out of sight below the panel.
constexpr forms::Twips kParkedTop = 960;
constexpr forms::Twips kOpenLeft = 880;
}  // namespace

FrmBtn::FrmBtn(bar::Program& program)
    : forms::Form(std::string(kFormName), program.formServices(),
                  forms::Rect{0, 0, kFoldedSize, kFoldedSize}),
      program_(program) {
    auto& pictures = program.ports().pictures;
    setBackColor(kPanelColor);
    // The four-frames icon is created last so it is drawn over the button it labels.
    OP_ = &addImage("OP", forms::Rect{kOpenLeft, 0, 255, 255});
    OPD_ = &addImage("OPD", forms::Rect{kOpenLeft, kParkedTop, kFoldedSize, kFoldedSize});
    OPD_->setPicture(pictures.builtin(forms::BuiltinPicture::PanelButton));
    Image1_ = &addImage("Image1", forms::Rect{kOpenLeft, 0, kFoldedSize, kFoldedSize});
    Image1_->setPicture(pictures.builtin(forms::BuiltinPicture::PanelFourFrames));
    Dcon_ = &addTextField("Dcon");
    FWdth_ = &addTextField("FWdth");
    addCommand("cmdDLrg", "cmdDLrg").onClick = [this] { cmdDLrg_Click(); };
    addCommand("cmdDSml", "cmdDSml").onClick = [this] { cmdDSml_Click(); };
    Timer1_ = &addTimer("Timer1");
    Timer2_ = &addTimer("Timer2");
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

    const std::string& openPicture = program_.dock().model().OpnB;
    forms::PictureRef custom;
    if (!openPicture.empty()) {
        custom = program_.ports().pictures.load(openPicture);
        OP_->setPicture(custom);
    }
    // Without a readable picture of the user's own, the built-in button shows instead.
    OPD_->setTop(custom ? kParkedTop : OP_->top());
    setTopmost(true);
}

void FrmBtn::OpenButton_Click() {
    if (!program_.dock().visible()) {
        command("cmdDLrg").press();
    }
}

void FrmBtn::cmdDLrg_Click() {
    bar::Dock& dock = program_.dock();
    dock.setWidth(kCollapsedBar);
    dock.show();
    Timer1_->start(kStepMs);
}

void FrmBtn::Timer1_Timer() {
    bar::Dock& dock = program_.dock();
    const forms::Twips full = bar::fullWidthOf(dock.model().FWdth);
    if (full - kSnapMargin < dock.width()) {
        dock.setWidth(full);
        Timer1_->stop();
    } else {
        dock.setWidth(dock.width() + kWidthStep);
    }
}

void FrmBtn::cmdDSml_Click() {
    Timer2_->start(kStepMs);
}

void FrmBtn::Timer2_Timer() {
    bar::Dock& dock = program_.dock();
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
