#include "bar/program.h"

#include <string>
#include <utility>

#include "bar/dock.h"
#include "bar/dock_messages.h"
#include "windows/frm_btn.h"
#include "windows/lnk_name.h"

namespace quorvel::bar {

namespace {

// A window unloaded from inside one of its own handlers (the restart pressed by the panel's
// closing timer unloads that very panel) must not be destroyed under the running handler.
// It goes quiet at once: no more ticks, nothing on screen, and is destroyed after the event.
template <class W>
void retire(std::unique_ptr<W>& window, std::vector<std::unique_ptr<forms::Form>>& retired) {
    if (!window) {
        return;
    }
    for (const auto& control : window->controls()) {
        if (control->kind() == forms::ControlKind::Timer) {
            static_cast<forms::Timer&>(*control).stop();
        }
    }
    window->hide();
    retired.push_back(std::move(window));
}

}  // namespace

Program::Program(platform::Ports ports) : ports_(ports) {}

Program::~Program() {
    // The popups reach into the bar while they live, so they go first.
    lnkName_.reset();
    frmBtn_.reset();
    retired_.clear();
    dock_.reset();
}

void Program::start() {
    if (!ports_.instance.claim()) {
        // Nothing of this instance is created: the running bar is left alone.
        ports_.dialogs.messageBox(std::string(messages::kAlreadyRunning),
                                  platform::MessageButtons::Ok);
        ports_.process.exitNow();
    }
    dock_ = std::make_unique<Dock>(*this);
    dock_->load();
}

void Program::unload() {
    if (dock_) {
        dock_->unload();
    }
}

void Program::afterEvent() {
    retired_.clear();
}

windows::LnkName& Program::lnkName() {
    if (!lnkName_) {
        lnkName_ = std::make_unique<windows::LnkName>(*this);
    }
    return *lnkName_;
}

windows::FrmBtn& Program::frmBtn() {
    if (!frmBtn_) {
        frmBtn_ = std::make_unique<windows::FrmBtn>(*this);
    }
    return *frmBtn_;
}

void Program::unloadLnkName() {
    retire(lnkName_, retired_);
}

void Program::unloadFrmBtn() {
    retire(frmBtn_, retired_);
}

}  // namespace quorvel::bar
