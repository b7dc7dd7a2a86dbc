#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "platform/ports.h"
#include "settings/record_layout.h"
#include "settings/settings_model.h"
#include "settings_window/option_list.h"
#include "window_api/popups.h"
#include "window_api/windows.h"

namespace quorvel::settings_window {

class FrmDirBox;

// The settings window: a working copy of one launcher set and the dock-wide settings, edited
// on a mock-up of the bar. Nothing reaches the bar or the files before "保存"; choosing another
// number in RNo switches the bar to that set and the window follows it. The window stays on
// the set it shows when the bar is switched from its menu or its panel: every save, reset and
// folder choice of the window acts on that set, never on the one the bar moved to.
class FrmSet final : public forms::Form, public window_api::SettingsWindow {
public:
    static constexpr std::string_view kFormName = "frmSet";
    static constexpr std::string_view kCaption = "設定";
    static constexpr forms::Twips kWidth = 11505;
    static constexpr forms::Twips kHeight = 6960;
    static constexpr std::string_view kMockUpName = "アイテムの選択";

    // Loads the window from the bar's fields (Form_Load).
    explicit FrmSet(window_api::Windows& windows);
    ~FrmSet() override;
    FrmSet(const FrmSet&) = delete;
    FrmSet& operator=(const FrmSet&) = delete;

    // The bar's reload asks for this when the window asked for the restart: the window takes
    // the set just loaded, whether or not the person could press "リセット" now.
    void cmdReset() override;
    // The set the window shows.
    [[nodiscard]] std::string launcherSetNumber() const override { return shownSet_; }

    // The folder chooser's OK: the folder for slot `slot` ("1".."17", as selected when the
    // chooser opened).
    void folderChosen(const std::string& slot, const std::string& path);
    // The folder chooser while it is open, and its closing (by its own buttons, or by this
    // window whenever the set it shows changes, and when it closes itself).
    [[nodiscard]] FrmDirBox* folderChooser() const noexcept { return chooser_.get(); }
    void closeFolderChooser();

    // The item selected for editing: "1".."17", "FRM", "MC", "MD", "RBE", "RBF", "Cls", "Opn",
    // "Sp".
    [[nodiscard]] const std::string& selectedItem() const noexcept { return txtDBtn_; }
    // The window's copy of a stored field by its stored name (what a save would write), or of
    // its own state ("txtCDir", "SvChk", "txtDBtn", "txtDIn").
    [[nodiscard]] std::string field(std::string_view name) const;
    [[nodiscard]] OptionList& option(std::string_view name);
    // Whether nothing changed since the window was filled or saved.
    [[nodiscard]] bool saved() const noexcept { return saved_; }
    // The set shown could not be read: the window holds a stand-in that no save may store.
    [[nodiscard]] bool showsStandIn() const noexcept { return setUnread_; }

private:
    // One mock-up item: the image, the picture field it shows, and what selecting it does.
    struct Item {
        std::string_view code;
        forms::Image* image;
        const settings::FieldLayout* picture;
        int slot;  // 1..17 for a link slot, 0 for the other items
    };
    // A stored field the window shows in an editor of its own rather than in the working copy.
    struct Editor {
        const settings::FieldLayout* field;
        OptionList* option;
        forms::TextBox* box;
    };
    enum class EditorState { Link, Item, Background };
    // The window background, the four special items, the close and open buttons and the
    // separator, before the seventeen slots.
    static constexpr std::size_t kOtherItemCount = 8;

    void wireHandlers();
    void wireMockUp();
    // The keyboard's place on the mock-up follows the item selected, however it was selected.
    void followSelection();
    void Form_Load();
    void unload();

    // The working copy (frm_set_fields.cpp). The stored fields the window edits are those of
    // both records but the set number, the bar's width and the separators, which the save takes
    // from the set as it is stored.
    [[nodiscard]] static bool edited(const settings::FieldLayout& field);
    [[nodiscard]] std::string value(const settings::FieldLayout& field) const;
    // Sets the window's copy of a field; the field's change handler runs when it changes.
    void setValue(const settings::FieldLayout& field, std::string text);
    void workingCopyChanged(const settings::FieldLayout& field);
    [[nodiscard]] const Editor* editorOf(const settings::FieldLayout& field) const;
    [[nodiscard]] const std::string& slotValue(int n, settings::FieldGroup kind) const;
    void setSlotValue(int n, settings::FieldGroup kind, std::string text);
    // Fills the window from `source`: every edited field, the working folder, and the set names.
    void copyFrom(const settings::SettingsModel& source);
    // The set the window shows as the bar or the files hold it now; `unread` says whether it
    // could be read.
    [[nodiscard]] settings::SettingsModel storedContent(bool& unread);
    // Whether the bar holds the set the window shows.
    [[nodiscard]] bool barShowsThisSet() const;

    // Lifecycle (frm_set.cpp).
    void InitSettingsView();
    void RefreshSettingsView();
    void selectBackground(forms::Point marker);
    void loadPicture(forms::Image& image, const std::string& path);
    void setSaved(bool saved);
    void Command26_Click();
    void markUnsaved() { setSaved(false); }

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
    [[nodiscard]] const Item* itemShowing(const settings::FieldLayout& picture) const;

    // Save, switch and reset (frm_set_save.cpp).
    bool Command22_Click();
    void RNo_Click();
    void Reset();
    void applyNameLock();
    [[nodiscard]] bool reportUnstorable(const settings::SettingsModel& record);
    // The separators stored with the set the window shows; false when they could not be read.
    [[nodiscard]] bool separatorsOfShownSet(settings::SettingsModel& record);
    void tell(std::string_view headline, std::string_view reason);

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
    forms::ItemRow* MockUp_ = &itemRow("MockUp");

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
    std::array<forms::Command*, settings::kSlotCount> cmdDel_ =
        getArray<forms::Command, settings::kSlotCount>("cmdDel");

    // The working copy of the fields without an editor of their own: the pictures, the link
    // slots and the working folder.
    settings::SettingsModel working_;
    std::vector<Editor> editors_;

    // Window-only state.
    std::string shownSet_;    // the set the working copy holds
    bool setUnread_ = false;  // that set could not be read: the window shows a stand-in
    std::string txtDBtn_;
    bool saved_ = false;
    bool justInserted_ = false;  // txtDIn

    std::array<Item, kOtherItemCount + settings::kSlotCount> items_;
};

}  // namespace quorvel::settings_window
