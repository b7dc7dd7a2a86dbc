#pragma once

#include <array>
#include <string>
#include <string_view>

#include "forms/form.h"
#include "window_api/popups.h"
#include "window_api/windows.h"

namespace quorvel::menu {

using window_api::MenuSource;

// The bar's one menu, `File`, on a hidden window of its own. Every press on the bar sets the
// entries that depend on what was pressed; the right button then pops the menu up at the
// pointer, where `File`'s click prepares captions, checks and disabled entries from the
// settings just before it shows. The tool entries start Windows tools; the cleanup entries
// clear the user's traces, showing this same window as a small notice while they work; the
// quick edits ask the bar to change its settings and apply them.
class FrmMenu final : public forms::Form, public window_api::Menu {
public:
    static constexpr std::string_view kFormName = "frmMenu";
    // The notice's client width.
    static constexpr forms::Twips kNoticeWidth = 1800;

    explicit FrmMenu(window_api::Windows& windows);

    // Shows or hides the seven entries that depend on the pressed item (some sources keep
    // what the previous press left).
    void showEntriesFor(MenuSource source) override;
    // Pops `File` up at the pointer (or beside the item the keyboard pressed); the chosen
    // entry's command runs when it has closed.
    void popUp(const std::optional<forms::Rect>& beside) override;

private:
    class Notice;

    void Load();
    void wireTools();
    void wireCleanup();
    void wireEdits();
    void File_Click();
    void SysIfo_Click();
    void DkStg_Click();
    void VInfo_Click();
    void AppEnd_Click();
    void launchTool(std::string_view item);

    // Cleanup.
    void TIFDel_Click();
    void DelIHstry_Click();
    void FleDel_Click();
    void ClipBoadClr_Click();
    void Emp_Click();
    void cmdRBinEmp_Click();
    void showNotice();
    void closeNotice();
    void message(const std::string& text);

    // Quick edits.
    void SepIn_Click();
    void LnchPos_Click();
    void BkClrOff_Click();
    void BkClrOn_Click();
    void NoBkClr_Click();
    void DClr_Click();
    void BStrch_Click();
    void TBar_Click();
    void TBarrrSave_Click();
    void Set_Click(int n);
    void WinClse_Click();
    void ChoosePicture();

    // Starting with Windows.
    void WinStart_Click();

    window_api::Windows& windows_;
    forms::MenuItem* File_ = &menuItem("File");
    forms::MenuItem* Emp_ = &menuItem("Emp");
    forms::MenuItem* CtPanel_ = &menuItem("CtPanel");
    forms::MenuItem* SysIfo_ = &menuItem("SysIfo");
    forms::MenuItem* tmgr_ = &menuItem("tmgr");
    forms::MenuItem* SepIn_ = &menuItem("SepIn");
    forms::MenuItem* ClnUp_ = &menuItem("ClnUp");
    forms::MenuItem* ClipBoadClr_ = &menuItem("ClipBoadClr");
    forms::MenuItem* LnchPos_ = &menuItem("LnchPos");
    forms::MenuItem* DClr_ = &menuItem("DClr");
    forms::MenuItem* BStrch_ = &menuItem("BStrch");
    forms::MenuItem* TBar_ = &menuItem("TBar");
    forms::MenuItem* DkStg_ = &menuItem("DkStg");
    forms::MenuItem* AppEnd_ = &menuItem("AppEnd");
    forms::MenuItem* WinStart_ = &menuItem("WinStart");
    forms::Command* cmdRBinEmp_ = &command("cmdRBinEmp");
    std::array<forms::MenuItem*, 4> Set_{&menuItem("Set1"), &menuItem("Set2"), &menuItem("Set3"),
                                         &menuItem("Set4")};
};

}  // namespace quorvel::menu
