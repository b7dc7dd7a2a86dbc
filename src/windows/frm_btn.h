#pragma once

#include <cstdint>
#include <string_view>

#include "forms/form.h"

namespace quorvel::bar {
class Program;
}

namespace quorvel::windows {

// The small panel against the bar's left end. It hosts the bar's opening and closing
// animation (cmdDLrg, cmdDSml) and the open button that brings a closed bar back.
class FrmBtn final : public forms::Form {
public:
    static constexpr std::string_view kFormName = "frmBTN";
    static constexpr forms::Twips kFoldedSize = 225;
    static constexpr forms::ColorNumber kPanelColor = 0xC0C0C0;

    explicit FrmBtn(bar::Program& program);

private:
    void Load();
    void cmdDLrg_Click();
    void cmdDSml_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void OpenButton_Click();

    bar::Program& program_;
    forms::Image* OP_ = nullptr;
    forms::Image* OPD_ = nullptr;
    forms::Image* Image1_ = nullptr;
    forms::TextField* Dcon_ = nullptr;
    forms::TextField* FWdth_ = nullptr;
    forms::Timer* Timer1_ = nullptr;
    forms::Timer* Timer2_ = nullptr;
};

}  // namespace quorvel::windows
