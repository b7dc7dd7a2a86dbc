#pragma once

#include <cstdint>
#include <string_view>

#include "forms/form.h"

namespace quorvel::windows {

class WindowSet;

// The name of the item under the pointer, in a see-through window next to the bar. Over a
// transparent bar the name slides out from behind the items; over an opaque bar it simply
// appears beside it. Either way it hides itself half a second later.
class LnkName final : public forms::Form {
public:
    static constexpr std::string_view kFormName = "LnkName";
    static constexpr forms::Twips kWidth = 4095;
    static constexpr forms::Twips kHeight = 240;
    static constexpr forms::ColorNumber kDefaultTextColor = 0x808080;

    explicit LnkName(WindowSet& windows);

    // The pointer moved over the item whose name this already holds: the name shows again
    // where it rests and goes half a second later at the most, as it went the first time.
    // (Shown without a hide to follow, it would stay on the screen over an opaque bar until
    // another item was pointed at.)
    void ShowAgain();

private:
    [[nodiscard]] bool slides() const;
    void Load();
    void LNmStyle_Click();
    void Stp_Click();
    void Strt_Click();
    void Tim1_Timer();
    void Tim2_Timer();
    void Tim3_Timer();

    WindowSet& windows_;
    forms::Label* LNm_ = &label("LNm");
    forms::TextField* txtStp_ = &textField("txtStp");
    forms::Timer* Tim1_ = &timer("Tim1");
    forms::Timer* Tim2_ = &timer("Tim2");
    forms::Timer* Tim3_ = &timer("Tim3");
};

}  // namespace quorvel::windows
