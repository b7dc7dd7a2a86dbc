#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forms/form.h"
#include "platform/folders.h"
#include "window_api/windows.h"

namespace quorvel::settings_window {

class FrmSet;

// The folder chooser of the settings window: a path field, a drive list and a folder list.
// "OK" hands the path to the settings window for the link slot it was opened for; "キャンセル"
// and the close box write nothing. The settings window owns it and closes it whenever the set
// it shows changes, so a choice never lands in another set.
class FrmDirBox final : public forms::Form {
public:
    static constexpr std::string_view kFormName = "frmDirBox";
    static constexpr std::string_view kCaption = "Form2";
    static constexpr forms::Twips kWidth = 4935;
    static constexpr forms::Twips kHeight = 4800;

    FrmDirBox(window_api::Windows& windows, FrmSet& owner);

    // Shows the chooser for link slot `slot` ("1".."17") of the settings window and brings it
    // forward. The slot is fixed now: selecting another item in the settings window meanwhile
    // does not move the choice to it (asking again from another slot does).
    void openFor(std::string slot);
    [[nodiscard]] const std::string& slot() const noexcept { return slot_; }

    // The folder the list is open on, and the full path of each of its entries.
    [[nodiscard]] const std::string& folder() const noexcept { return folder_; }
    [[nodiscard]] const std::vector<std::string>& entryPaths() const noexcept {
        return entryPaths_;
    }

private:
    void Form_Load();
    void Drive1_Change();
    void Dir1_Click();
    void Dir1_DblClick();
    void cmdOK_Click();
    void cmdCnl_Click();
    void openFolder(const std::string& path);
    [[nodiscard]] int driveIndexOf(const std::string& path) const;

    window_api::Windows& windows_;
    FrmSet& owner_;
    forms::TextBox* txtFldrPas_ = &textBox("txtFldrPas");
    forms::ComboBox* Drive1_ = &comboBox("Drive1");
    forms::ListBox* Dir1_ = &listBox("Dir1");
    forms::Button* cmdOK_ = &button("cmdOK");
    forms::Button* cmdCnl_ = &button("cmdCnl");

    std::vector<platform::Drive> drives_;
    int drive_ = -1;  // the drive the folder list shows
    bool restoringDrive_ = false;
    std::string folder_;
    std::vector<std::string> entryPaths_;
    std::string slot_;
};

}  // namespace quorvel::settings_window
