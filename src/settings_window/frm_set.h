#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "forms/form.h"
#include "platform/ports.h"
#include "settings/settings_model.h"
#include "settings_window/option_list.h"
#include "window_api/popups.h"
#include "window_api/windows.h"

namespace quorvel::settings_window {

class FrmDirBox;

// The settings window: a working copy of one launcher set and the dock-wide settings, edited
// on a mock-up of the bar. Nothing reaches the bar or the files before "保存"; choosing another
// number in RNo switches the bar to that set and the window follows it.
class FrmSet final : public forms::Form, public window_api::SettingsWindow {
public:
    static constexpr std::string_view kFormName = "frmSet";
    static constexpr std::string_view kCaption = "設定";
    static constexpr forms::Twips kWidth = 11505;
    static constexpr forms::Twips kHeight = 6960;

    // Loads the window from the bar's fields (Form_Load).
    explicit FrmSet(window_api::Windows& windows);
    ~FrmSet() override;
    FrmSet(const FrmSet&) = delete;
    FrmSet& operator=(const FrmSet&) = delete;

    // The bar's reload asks for this when the window asked for the restart: the window takes
    // the set just loaded, whether or not the person could press "リセット" now.
    void cmdReset() override;
    [[nodiscard]] std::string launcherSetNumber() const override;

    // The folder chooser's OK: the folder for slot `slot` ("1".."17", as selected when the
    // chooser opened).
    void folderChosen(const std::string& slot, const std::string& path);
    // The folder chooser while it is open, and its closing (by its own buttons, or by this
    // window when the set it shows changes or it closes itself).
    [[nodiscard]] FrmDirBox* folderChooser() const noexcept { return chooser_.get(); }
    void closeFolderChooser();

    // The item selected for editing: "1".."17", "FRM", "MC", "MD", "RBE", "RBF", "Cls", "Opn",
    // "Sp".
    [[nodiscard]] const std::string& selectedItem() const noexcept { return txtDBtn_->text(); }
    // The window's copy of a stored field, by its stored name (what a save would write).
    [[nodiscard]] std::string field(std::string_view name) const;
    [[nodiscard]] OptionList& option(std::string_view name);

private:
    // One mock-up item: the image, the picture field it shows, and what selecting it does.
    struct Item {
        std::string_view code;
        forms::Image* image;
        forms::TextField* picture;
        int slot;  // 1..17 for a link slot, 0 for the other items
    };
    enum class EditorState { Link, Item, Background };
    // The window background, the four special items, the close and open buttons and the
    // separator, before the seventeen slots.
    static constexpr std::size_t kOtherItemCount = 8;

    void wireHandlers();
    void Form_Load();
    void unload();

    // Lifecycle (frm_set.cpp).
    void InitSettingsView();
    void RefreshSettingsView();
    void copyPictureFields();
    void copyDockFields();
    void copySlots();
    void selectBackground(forms::Point marker);
    void loadPicture(forms::Image& image, const std::string& path);
    void SvChk_Change();
    void Command26_Click();
    void markUnsaved();

    // Slot editor (frm_set_slots.cpp).
    void ChooseTarget();
    void PullUpSlot(int j);
    bool ConfirmInsert();
    void InsertSlot();
    void selectSlot(int n);
    void selectItem(const Item& item);
    void showEditors(EditorState state);
    void LN_Change();
    void LP_Change();
    void LT_Change();
    void LI_Change();
    void Command27_Click();
    void Command12_Click();
    void cmdDel_Click(int k);
    void cmdItmIn_Click();
    void copySlot(int from, int to);
    void emptySlot(int n);
    [[nodiscard]] std::optional<int> selectedSlot() const;

    // Pictures and appearance (frm_set_appearance.cpp).
    void ChoosePicture();
    void ShowTransparency();
    void PlaceBarPreview();
    void ShowTaskbarPreview();
    void picture_Change(const Item& item);
    void txtFBk_Change();
    void Command1_Click();
    void Command3_Click();
    void Command2_Click();
    void FrColor_Change();
    void DockPos_Change();
    void TaskB_Change();
    void FTop_Change();
    void Clr_Change();
    void applyBackgroundStretch();
    void moveBarPreview(forms::Twips top);
    [[nodiscard]] const Item* itemOf(std::string_view code) const;

    // Save, switch and reset (frm_set_save.cpp).
    bool Command22_Click();
    void RNo_Click();
    void Reset();
    void applyNameLock();
    [[nodiscard]] settings::SettingsModel recordToSave(const settings::SettingsModel& bar) const;
    [[nodiscard]] bool reportUnstorable(const settings::SettingsModel& record);
    [[nodiscard]] std::array<std::string, settings::kSeparatorCount> separatorsOfSet(
        int set, const settings::SettingsModel& bar);

    [[nodiscard]] const settings::SettingsModel& bar() const;
    [[nodiscard]] platform::Ports& ports() const noexcept;
    [[nodiscard]] bool ask(std::string_view first, std::string_view second);

    window_api::Windows& windows_;
    std::unique_ptr<FrmDirBox> chooser_;

    // The mock-up of the bar.
    forms::Image* Image1_ = &image("Image1");
    forms::Image* OpnBtn_ = &image("OpnBtn");
    forms::Image* ClsBtn_ = &image("ClsBtn");
    forms::Image* ImgMC_ = &image("ImgMC");
    forms::Image* ImgMD_ = &image("ImgMD");
    forms::Image* ImgRBinEmp_ = &image("ImgRBinEmp");
    forms::Image* ImgRBinFll_ = &image("ImgRBinFll");
    forms::Image* Divid1_ = &image("Divid1");
    std::array<forms::Image*, settings::kSlotCount> IL_ =
        getArray<forms::Image, settings::kSlotCount>("IL");
    forms::Image* LkUp_ = &image("LkUp");

    // The launcher set and its names.
    OptionList RNo_{comboBox("RNo")};
    std::array<forms::TextBox*, settings::kSetCount> LN_ =
        getArray<forms::TextBox, settings::kSetCount>("LN");
    forms::Label* lblNameLock_ = &label("lblNameLock");

    // The editors of the selected item.
    OptionList LT_{comboBox("LT")};
    forms::TextBox* LNEdit_ = &textBox("LN");
    forms::TextBox* LI_ = &textBox("LI");
    forms::TextBox* LP_ = &textBox("LP");
    forms::Button* Command28_ = &button("Command28");
    forms::Button* Command27_ = &button("Command27");
    forms::Button* cmdItmIn_ = &button("cmdItmIn");
    forms::Button* Command12_ = &button("Command12");

    // Font, colour and the bar options.
    forms::TextBox* FntName_ = &textBox("FntName");
    forms::TextBox* FStyle_ = &textBox("FStyle");
    forms::TextBox* FrColor_ = &textBox("FrColor");
    forms::Button* Command3_ = &button("Command3");
    forms::Button* Command2_ = &button("Command2");
    OptionList DockPos_{comboBox("DockPos")};
    OptionList TaskB_{comboBox("TaskB")};
    OptionList FTop_{comboBox("FTop")};
    OptionList BkStrch_{comboBox("BkStrch")};
    OptionList Clr_{comboBox("Clr")};
    std::array<forms::Label*, 3> backgroundOptionLabels_ = {&label("lblFTop"), &label("lblBkStrch"),
                                                            &label("lblClr")};

    // The screen preview.
    forms::Image* Picture1_ = &image("Picture1");
    forms::Image* Picture2_ = &image("Picture2");
    forms::Image* Image2_ = &image("Image2");
    forms::Image* Image3_ = &image("Image3");

    forms::Button* Command1_ = &button("Command1");
    forms::Button* cmdReset_ = &button("cmdReset");
    forms::Button* Command22_ = &button("Command22");
    forms::Button* Command26_ = &button("Command26");

    // The working copy.
    forms::TextField* txtCDir_ = &textField("txtCDir");
    forms::TextField* txtFBk_ = &textField("txtFBk");
    forms::TextField* txtMcIc_ = &textField("txtMcIc");
    forms::TextField* txtMdIc_ = &textField("txtMdIc");
    forms::TextField* txtRbeIc_ = &textField("txtRbeIc");
    forms::TextField* txtRbfIc_ = &textField("txtRbfIc");
    forms::TextField* ClsB_ = &textField("ClsB");
    forms::TextField* OpnB_ = &textField("OpnB");
    forms::TextField* SepIcn_ = &textField("SepIcn");
    std::array<forms::TextField*, settings::kSlotCount> LTField_ =
        getArray<forms::TextField, settings::kSlotCount>("L", "T");
    std::array<forms::TextField*, settings::kSlotCount> LNField_ =
        getArray<forms::TextField, settings::kSlotCount>("L", "N");
    std::array<forms::TextField*, settings::kSlotCount> LIField_ =
        getArray<forms::TextField, settings::kSlotCount>("L", "I");
    std::array<forms::TextField*, settings::kSlotCount> LPField_ =
        getArray<forms::TextField, settings::kSlotCount>("L", "P");
    std::array<forms::Command*, settings::kSlotCount> cmdDel_ =
        getArray<forms::Command, settings::kSlotCount>("cmdDel");

    // Window-only state.
    forms::TextField* txtDBtn_ = &textField("txtDBtn");
    forms::TextField* SvChk_ = &textField("SvChk");
    forms::TextField* txtDIn_ = &textField("txtDIn");
    forms::TextField* txtPasBtn_ = &textField("txtPasBtn");
    forms::TextField* txtGfcBtn_ = &textField("txtGfcBtn");

    std::array<Item, kOtherItemCount + settings::kSlotCount> items_;
};

}  // namespace quorvel::settings_window
