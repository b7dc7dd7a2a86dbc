#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "forms/form.h"
#include "window_api/popups.h"
#include "window_api/windows.h"

namespace quorvel::windows {

// The small panel against the bar's left end. Folded it is one button; pointed at, it slides
// open to the left and shows a button for each of the four launcher sets, and it folds again
// by itself a while later. A set button switches the bar to that set; the panel's own button
// and the current set's bring a closed bar back. The panel also hosts the bar's opening and
// closing animation (cmdDLrg, cmdDSml), which the bar and the set buttons use.
class FrmBtn final : public forms::Form, public window_api::SwitchPanel {
public:
    static constexpr std::string_view kFormName = "frmBTN";
    static constexpr forms::Twips kFoldedSize = kFoldedWidth;
    static constexpr forms::ColorNumber kPanelColor = 0xC0C0C0;
    static constexpr int kSetCount = 4;
    // The panel folds this long after it was made (it then snaps against the bar), and this
    // long after it has opened.
    static constexpr std::uint32_t kFirstFoldDelayMs = 3000;
    static constexpr std::uint32_t kFoldDelayMs = 4500;
    static constexpr std::uint32_t kSlideStepMs = 10;

    explicit FrmBtn(window_api::Windows& windows);

    // --- window_api::SwitchPanel ---
    [[nodiscard]] forms::Form& window() override { return *this; }
    void cmdDLrg(forms::Twips fullWidth) override;
    void cmdDSml(AfterClosing after) override;
    // The width the last opening grew the bar to, and what the last closing ends in.
    [[nodiscard]] forms::Twips openingWidth() const noexcept { return fullWidth_; }
    [[nodiscard]] AfterClosing afterClosing() const noexcept override { return afterClosing_; }
    [[nodiscard]] bool closing() const noexcept override { return Timer2_->running(); }

    // The pictures of set k (1..4): the user's open-button picture and the built-in button.
    [[nodiscard]] forms::Image& setButton(int k) const { return *OpnBtn_.at(index(k)); }
    [[nodiscard]] forms::Image& builtinSetButton(int k) const { return *OpnD_.at(index(k)); }

private:
    static std::size_t index(int k) { return static_cast<std::size_t>(k - 1); }

    void describeButtons();
    void Load();
    void markCurrentSet(int k);
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();
    void Timer5_Timer();
    void OpenButton_MouseMove();
    void OpenButton_Click();
    void SetButton_Click(int k);
    void SetButton_MouseDown(forms::MouseButton button);
    void moveOpenButton(forms::Twips left);

    window_api::Windows& windows_;
    std::array<forms::Image*, kSetCount> OpnBtn_{&image("OpnBtn"), &image("OpnBtn2"),
                                                 &image("OpnBtn3"), &image("OpnBtn4")};
    std::array<forms::Image*, kSetCount> OpnD_{&image("OpnD"), &image("OpnD2"), &image("OpnD3"),
                                               &image("OpnD4")};
    std::array<forms::Label*, kSetCount> Label_ = getArray<forms::Label, kSetCount>("Label");
    forms::Image* OP_ = &image("OP");
    forms::Image* OPD_ = &image("OPD");
    forms::Image* Image1_ = &image("Image1");
    // What the bar's closing ends in, and the width its opening grows to.
    AfterClosing afterClosing_ = AfterClosing::Restart;
    forms::Twips fullWidth_ = 0;
    forms::Timer* Timer1_ = &timer("Timer1");
    forms::Timer* Timer2_ = &timer("Timer2");
    forms::Timer* Timer3_ = &timer("Timer3");
    forms::Timer* Timer4_ = &timer("Timer4");
    forms::Timer* Timer5_ = &timer("Timer5");
    forms::ItemRow* Buttons_ = &itemRow("Buttons");
};

}  // namespace quorvel::windows
