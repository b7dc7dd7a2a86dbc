#pragma once

#include <cstdint>
#include <string_view>

#include "forms/form.h"

namespace quorvel::windows {

class WindowSet;

// The small panel against the bar's left end. It hosts the bar's opening and closing
// animation (cmdDLrg, cmdDSml) and the open button that brings a closed bar back.
class FrmBtn final : public forms::Form {
public:
    static constexpr std::string_view kFormName = "frmBTN";
    static constexpr forms::Twips kFoldedSize = 225;
    static constexpr forms::ColorNumber kPanelColor = 0xC0C0C0;

    explicit FrmBtn(WindowSet& windows);

private:
    void Load();
    void cmdDLrg_Click();
    void cmdDSml_Click();
    void Timer1_Timer();
    void Timer2_Timer();
    void OpenButton_Click();

    WindowSet& windows_;
    forms::Image* OP_ = &image("OP");
    forms::Image* OPD_ = &image("OPD");
    forms::Image* Image1_ = &image("Image1");
    forms::TextField* Dcon_ = &textField("Dcon");
    forms::TextField* FWdth_ = &textField("FWdth");
    forms::Timer* Timer1_ = &timer("Timer1");
    forms::Timer* Timer2_ = &timer("Timer2");
};

}  // namespace quorvel::windows
