#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "bar/placement.h"
#include "forms/form.h"
#include "platform/ports.h"
#include "platform/result.h"
#include "platform/screen.h"
#include "settings/settings_files.h"
#include "settings/settings_model.h"
#include "window_api/bar.h"
#include "window_api/windows.h"

namespace quorvel::bar {

struct DroppedLink;

// The launcher bar: a borderless window of fixed item images that owns the settings model.
// Other windows read the settings and drive the bar through the calls of window_api::Bar; the
// hidden fields txtSvSw and txtRBin stay fields because their changes are what they do.
class Dock final : public forms::Form, public window_api::Bar {
public:
    static constexpr std::string_view kFormName = "Dock";
    // The Recycle Bin item asks the system about the bin this often while a query is cheap and
    // the system does not report the bin's changes by itself.
    static constexpr std::uint32_t kBinPollMs = 100;
    // Where the system reports the bin's changes, asking is only a safety net.
    static constexpr std::uint32_t kWatchedBinPollMs = 5000;
    // Asking never waits longer than this, however slow a query (the safety net the second).
    static constexpr std::uint32_t kSlowestBinPollMs = 60000;
    static constexpr std::uint32_t kSlowestWatchedBinPollMs = 600000;
    // A reported change is looked at this soon; changes that follow within it come together.
    static constexpr std::uint32_t kBinChangeDelayMs = 20;
    // Changes that keep coming are looked at once they have paused this long.
    static constexpr std::uint32_t kBinQuietMs = 50;
    // One flash step.
    static constexpr std::uint32_t kFlashStepMs = 400;
    // What the bar is called to a screen reader, and the key that brings it to the keyboard.
    static constexpr std::string_view kAccessibleName = "Quorvel";
    static constexpr forms::Hotkey kHotkey{true, true, false, 'Q'};
    // The items the keyboard steps through: the close button, the taskbar toggle, My Computer,
    // My Documents and the Recycle Bin, then the seventeen link slots.
    static constexpr std::size_t kFixedItemCount = 5;

    explicit Dock(window_api::Windows& windows);
    ~Dock() override;
    Dock(const Dock&) = delete;
    Dock& operator=(const Dock&) = delete;

    [[nodiscard]] settings::SettingsModel& model() noexcept { return model_; }
    [[nodiscard]] const settings::SettingsModel& model() const noexcept { return model_; }

    // --- window_api::Bar ---
    [[nodiscard]] const settings::SettingsModel& settings() const override { return model_; }
    [[nodiscard]] int currentSetNumber() const override { return currentSet_; }
    [[nodiscard]] bool setUnread() const override { return setUnread_; }
    [[nodiscard]] const forms::Form& window() const override { return *this; }
    // Reloads the set in RNo and lays it out again.
    void cmdReStart() override;
    bool cmdDsSave() override;
    // Shows the taskbar and ends the program at once, without saving.
    void cndEnd() override;
    // Applies the taskbar setting, and places a bottom bar by it.
    void cmdBarVis() override;
    void setWindowWidth(forms::Twips width) override { setWidth(width); }
    void showWindow() override { show(); }
    void hideWindow() override { hide(); }
    void restackWindow() override { restack(); }
    void setBinCount(std::int64_t items) override;
    void SepIn() override;
    void LnchPos() override;
    void prepareBackground(bool transparent) override;
    void setBackgroundPicture(std::string path) override;
    void NoBkClr() override;
    void DClr() override;
    void BStrch() override;
    void TBar() override;
    void switchToSet(int n) override;
    void chooseSet(int n) override;
    [[nodiscard]] std::string takeMenuSetChoice() override;
    void settingsWindowSaved(const window_api::SavedSet& saved) override;
    void switchForSettingsWindow(const std::string& number) override;

    // The window's load, after the program made sure it is the only instance: places the
    // 2-twip bar, learns who and where the user is, and loads launcher set RNo.
    void Load();
    // The window closed by other means than the quit command.
    void Unload();

    // The primary taskbar window, looked up afresh each time (0 when the shell has none).
    [[nodiscard]] platform::WindowHandle Handle();

    // The shell made a new taskbar (Explorer restarted): it is measured again and the bar's
    // taskbar setting applied to it, as to the old one.
    void ShellRestarted();
    // The screen or the taskbar changed: the taskbar is measured again (and hidden again, when
    // the bar hides it) and the bar placed as a restart would place it, its switch panel and name
    // popup moving with it. The taskbar may still be moving when the change is announced, so it
    // is measured again for a while.
    void ScreenChanged();
    // How often the taskbar is measured again after a change, and how far apart.
    static constexpr int kScreenRecheckCount = 3;
    static constexpr std::uint32_t kScreenRecheckMs = 500;

    // The number of sets sl.dat held at the last load.
    [[nodiscard]] std::int32_t storedSetCount() const noexcept { return setCount_; }

    [[nodiscard]] forms::Image& slotImage(int n) const { return *slots_.at(n - 1); }
    // The bar's items as the keyboard and screen readers know them.
    [[nodiscard]] forms::ItemRow& items() const noexcept { return *Items_; }
    // The global key: the bar comes up (opening first if it was folded) and takes the keyboard,
    // on the first link or the item that had it last.
    void HotKey();
    [[nodiscard]] forms::Image& separatorImage(int n) const { return *separators_.at(n - 1); }

    // How long the bin poll waits now (follows the cost of the last query).
    [[nodiscard]] std::uint32_t binPollInterval() const noexcept;
    [[nodiscard]] bool binWatched() const noexcept { return binWatched_; }

private:
    void wireHandlers();
    void wireHover();
    void wirePointer();
    void wireKeyboard();

    // Events.
    void TaskBDwn_Click();
    void TaskBUp_Click();
    void ClsBtn_Click();
    void txtSvSw_Change();

    // Click flash.
    void BeginClickBlink();
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void flashStep(int timer, bool visible);
    [[nodiscard]] forms::Image* imageOfCode(std::string_view code) const;

    // The keyboard (dock_keyboard.cpp).
    [[nodiscard]] forms::RowItem fixedItem(forms::Image* item, forms::Image* builtin,
                                           std::string_view name) const;
    [[nodiscard]] forms::RowItem slotItem(int n) const;
    [[nodiscard]] bool slotShown(int n) const;
    [[nodiscard]] std::size_t firstLinkOrItem() const;
    void showCurrentName();
    bool Items_KeyDown(const forms::KeyPress& key);
    void Items_Focus(bool focused);
    // Pops the menu up where the press was: at the pointer, or beside the item the keyboard
    // pressed, which then takes the keyboard back.
    void popUpMenu();

    // Presses and clicks on the items.
    void pressOn(window_api::MenuSource source, forms::MouseButton button);
    void IL_MouseDown(int n, forms::MouseButton button);
    void IL_Click(int n);
    void special_Click(std::string_view code, const std::string& target);
    [[nodiscard]] std::string myComputerTarget() const;
    [[nodiscard]] std::string myDocumentsTarget() const;
    void shellOpen(const std::string& path);
    void runCommandLine(const std::string& commandLine);

    // The Recycle Bin item.
    void tmeRBin_Timer();
    void txtRBin_Change();
    void showBinPictures();
    void RecycleBin_MouseDown(std::string_view code, forms::MouseButton button);
    void RecycleBin_Drop(const std::vector<std::string>& files);
    void watchRecycleBin();
    void binChanged();
    void queryRecycleBin();

    // Links made of what is dropped on the background, the divider and the separators.
    [[nodiscard]] forms::DropEffect linksDropEffect(const forms::DragData& data) const;
    void Background_Drop(const forms::DragData& data);
    [[nodiscard]] int lastSlotInUse() const;
    void refuseLinks(std::string_view reason);
    // Writes the picture file a new link shows, when it is not there yet; `picture` becomes the
    // built-in link picture's file where the target has none. False (and said why) when no
    // picture could be written.
    bool writePicture(const DroppedLink& link, std::string& picture, const std::string& fallback);
    void tmeNewLinks_Timer();
    void stopNewLinksFlash();

    // Loading a launcher set.
    void loadCurrentSet();
    void takeStoredSet(settings::SettingsFiles& files, settings::SettingsModel stored);
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
    [[nodiscard]] forms::Twips placedLeft(forms::Twips fullWidth);
    // The taskbar as last measured, where it stands on the screen as it is now.
    [[nodiscard]] Taskbar taskbar();

    void hoverOver(const forms::Image& item, const std::string& name);
    void showTaskbar(platform::ShowState state);
    void measureTaskbar();
    void keepTaskbarAsSet();
    void placeOnScreen();
    template <class Popup>
    void keepBesideBar(Popup* popup, forms::Twips oldLeft, forms::Twips oldTop);
    void tmeScreen_Timer();

    [[nodiscard]] settings::SettingsFiles settingsFiles();
    void report(std::string_view headline, const platform::Error& error);
    void report(const settings::StorageError& error);
    [[nodiscard]] platform::Ports& ports() const noexcept;

    // The quick edits' way of applying a change: saved, and the bar built afresh from the
    // files; when the save fails, built afresh from the settings in memory instead, so that
    // the change the person just made stays (and a later save may still store it).
    void saveAndRestart();
    // The restart's teardown followed by the layout of the settings in memory.
    void relayout();
    void tearDownForRestart();

    window_api::Windows& windows_;
    settings::SettingsModel model_;
    // The bin poll: after each query it rests a while (changes reported meanwhile wait until
    // they pause), then idles until the next poll is due; a change reported while idle is
    // looked at soon.
    enum class BinPhase { Idle, Soon, Resting };
    BinPhase binPhase_ = BinPhase::Idle;
    bool binChangePending_ = false;
    bool binWatched_ = false;
    std::uint32_t binQueryCostUs_ = 0;

    // The slots a drop just added, flashed once while the bar opens with them.
    std::vector<int> newLinks_;
    bool newLinksHidden_ = false;

    int screenRechecks_ = 0;
    // Where the shell last said the taskbar is; kept when it does not answer.
    std::optional<platform::PixelRect> taskbarRect_;
    int currentSet_ = 0;
    // The start could not make the settings folder and said so; the missing files that follow
    // are the same trouble and are not reported again.
    bool folderFailureReported_ = false;
    // The set on screen is an empty one shown for an RNo that names no set (empty, 0, text).
    bool shownUnderNoNumber_ = false;
    // The set on screen stands in for one that could not be read: saving it would write an
    // empty set (or the set shown before) over what is stored.
    bool setUnread_ = false;
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
    forms::Timer* tmeRBin_ = &timer("tmeRBin");
    forms::Timer* tmeScreen_ = &timer("tmeScreen");
    forms::Timer* tmeNewLinks_ = &timer("tmeNewLinks");
    std::array<forms::Timer*, 4> Timer_ = getArray<forms::Timer, 4>("Timer");
    forms::ItemRow* Items_ = &itemRow("Items");
};

}  // namespace quorvel::bar
