#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "forms/form.h"
#include "platform/ports.h"
#include "platform/result.h"
#include "platform/screen.h"
#include "settings/settings_files.h"
#include "settings/settings_model.h"

namespace quorvel::windows {
class WindowSet;
}

namespace quorvel::bar {

// The launcher bar: a borderless window of fixed item images that holds the settings model
// every other window reads and writes. Other windows drive it through its hidden fields and
// commands (cmdReStart, cmdDsSave, cndEnd, cmdBarVis, txtSvSw, txtRBin).
class Dock final : public forms::Form {
public:
    static constexpr std::string_view kFormName = "Dock";
    // The Recycle Bin item looks at the bin this often.
    static constexpr std::uint32_t kBinPollMs = 100;

    explicit Dock(windows::WindowSet& windows);

    [[nodiscard]] settings::SettingsModel& model() noexcept { return model_; }
    [[nodiscard]] const settings::SettingsModel& model() const noexcept { return model_; }

    // The window's load, after the program made sure it is the only instance: places the
    // 2-twip bar, learns who and where the user is, and loads launcher set RNo.
    void Load();
    // The window closed by other means than the quit command.
    void Unload();

    // The taskbar window, looked up afresh each time (0 when the shell has none).
    [[nodiscard]] platform::WindowHandle Handle();

    // Record number of the launcher set in memory (0 after first-start defaults) and the
    // number of sets sl.dat held at the last load.
    [[nodiscard]] int currentSetNumber() const noexcept { return currentSet_; }
    [[nodiscard]] std::int32_t storedSetCount() const noexcept { return setCount_; }

    [[nodiscard]] forms::Image& slotImage(int n) const { return *slots_.at(n - 1); }
    [[nodiscard]] forms::Image& separatorImage(int n) const { return *separators_.at(n - 1); }

private:
    void wireHandlers();
    void wireHover();

    // Commands and events.
    void cmdReStart_Click();
    void cmdDsSave_Click();
    void cndEnd_Click();
    void cmdBarVis_Click();
    void TaskBDwn_Click();
    void TaskBUp_Click();
    void ClsBtn_Click();
    void txtSvSw_Change();
    void tmeRBin_Timer();

    // Loading a launcher set.
    void loadCurrentSet();
    void readStoredSet(settings::SettingsFiles& files);
    void finishLoad();
    void firstStartDefaults();
    void missingSetDefaults();
    // The settings window asked for this reload: refresh it. True when the load ends here.
    bool settingsWindowHandshake();
    void applyDockDefaults();
    void placeDefaultPicturesOverItems();
    void coverWithDefaultBackground();
    void parkDefaultBackground();
    void setOpaqueBackground();
    void applyAppearanceDefaults();
    void centreAtDefaultWidth();

    // Laying it out.
    void ApplyLayout();
    void applySpecialItemPictures();
    void applySeparatorPictures();
    void placeVertically();
    void applyTaskbarState();
    void showSwitchPanel();
    void showNamePopup();
    [[nodiscard]] forms::Twips topEdgeTop();
    [[nodiscard]] forms::Twips centredLeft(forms::Twips width);

    void hoverOver(const forms::Image& item, const std::string& name);
    void showTaskbar(platform::ShowState state);

    [[nodiscard]] settings::SettingsFiles settingsFiles();
    void report(std::string_view headline, const platform::Error& error);
    void report(const platform::Error& settingsFileError);
    [[nodiscard]] platform::Ports& ports() const noexcept;

    windows::WindowSet& windows_;
    settings::SettingsModel model_;
    int currentSet_ = 0;
    // The start could not make the settings folder and said so; the missing files that follow
    // are the same trouble and are not reported again.
    bool folderFailureReported_ = false;
    // The set on screen is an empty one shown for an RNo that names no set (empty, 0, text).
    bool shownUnderNoNumber_ = false;
    int dockRecord_ = 1;
    std::int32_t setCount_ = 0;

    forms::Image* IFBk_ = &image("IFBk");
    forms::Image* FBKD_ = &image("FBKD");
    forms::Image* ClsBtn_ = &image("ClsBtn");
    forms::Image* ClsD_ = &image("ClsD");
    forms::Image* TaskBDwn_ = &image("TaskBDwn");
    forms::Image* TaskBUp_ = &image("TaskBUp");
    forms::Image* ImgMC_ = &image("ImgMC");
    forms::Image* MCD_ = &image("MCD");
    forms::Image* ImgMD_ = &image("ImgMD");
    forms::Image* MDD_ = &image("MDD");
    forms::Image* ImgRBinEmp_ = &image("ImgRBinEmp");
    forms::Image* RBED_ = &image("RBED");
    forms::Image* ImgRBinFll_ = &image("ImgRBinFll");
    forms::Image* RBFD_ = &image("RBFD");
    forms::Image* Divid1_ = &image("Divid1");
    forms::Image* DivD_ = &image("DivD");
    std::array<forms::Image*, settings::kSlotCount> slots_ =
        getArray<forms::Image, settings::kSlotCount>("IL");
    std::array<forms::Image*, settings::kSeparatorCount> separators_ =
        getArray<forms::Image, settings::kSeparatorCount>("Sep");
    forms::TextField* txtRBin_ = &textField("txtRBin");
    forms::TextField* txtSvSw_ = &textField("txtSvSw");
    forms::Command* cmdReStart_ = &command("cmdReStart");
    forms::Command* cmdDsSave_ = &command("cmdDsSave");
    forms::Command* cndEnd_ = &command("cndEnd");
    forms::Command* cmdBarVis_ = &command("cmdBarVis");
    forms::Timer* tmeRBin_ = &timer("tmeRBin");
};

}  // namespace quorvel::bar
