#pragma once

#include <memory>
#include <vector>

#include "platform/ports.h"

namespace quorvel::windows {
class LnkName;
class FrmBtn;
}  // namespace quorvel::windows

namespace quorvel::bar {

class Dock;
class SettingsWindowLink;

// The application object: owns the bar window and the windows it loads on demand, and holds
// the ports. The host creates one, calls start(), and after every event it dispatched calls
// afterEvent() (windows unloaded inside a handler are destroyed there, never under the feet
// of the handler that unloaded them).
class Program {
public:
    explicit Program(platform::Ports ports);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The bar window's load: the start-up sequence.
    void start();
    // The bar window closed by other means than the quit command: shows the taskbar again.
    void unload();
    void afterEvent();

    [[nodiscard]] platform::Ports& ports() noexcept { return ports_; }
    // What every window of the program is realised and timed with.
    [[nodiscard]] forms::FormServices formServices() noexcept {
        return forms::FormServices{ports_.windows, ports_.timers};
    }
    [[nodiscard]] Dock& dock() noexcept { return *dock_; }

    // The link-name popup and the switch panel, loaded on first use.
    windows::LnkName& lnkName();
    windows::FrmBtn& frmBtn();
    [[nodiscard]] windows::LnkName* lnkNameIfLoaded() noexcept { return lnkName_.get(); }
    [[nodiscard]] windows::FrmBtn* frmBtnIfLoaded() noexcept { return frmBtn_.get(); }
    void unloadLnkName();
    void unloadFrmBtn();

    void setSettingsWindow(SettingsWindowLink* link) noexcept { settingsWindow_ = link; }
    [[nodiscard]] SettingsWindowLink* settingsWindow() const noexcept { return settingsWindow_; }

private:
    platform::Ports ports_;
    std::unique_ptr<Dock> dock_;
    std::unique_ptr<windows::LnkName> lnkName_;
    std::unique_ptr<windows::FrmBtn> frmBtn_;
    std::vector<std::unique_ptr<forms::Form>> retired_;
    SettingsWindowLink* settingsWindow_ = nullptr;
};

}  // namespace quorvel::bar
