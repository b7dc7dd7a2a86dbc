#pragma once

#include <cstdint>
#include <string_view>

#include "forms/form.h"
#include "window_api/popups.h"
#include "window_api/windows.h"

namespace quorvel::windows {

// The name of the item under the pointer, in a see-through window next to the bar. Over a
// transparent bar the name slides out from behind the items; over an opaque bar it simply
// appears beside it. Either way it hides itself half a second later.
class LnkName final : public forms::Form, public window_api::NamePopup {
public:
    static constexpr std::string_view kFormName = "LnkName";
    static constexpr forms::Twips kWidth = 4095;
    static constexpr forms::Twips kHeight = 240;
    static constexpr forms::ColorNumber kDefaultTextColor = 0x808080;

    explicit LnkName(window_api::Windows& windows);

    // --- window_api::NamePopup ---
    [[nodiscard]] forms::Form& window() override { return *this; }
    [[nodiscard]] const std::string& name() const override { return LNm_->caption(); }
    void setName(std::string name) override { LNm_->setCaption(std::move(name)); }
    void LNmStyle() override;
    void Stp() override;
    void Strt() override;
    // The pointer moved over the item whose name this already holds: the name shows again
    // where it rests and goes half a second later at the most, as it went the first time.
    // (Shown without a hide to follow, it would stay on the screen over an opaque bar until
    // another item was pointed at.)
    void ShowAgain() override;

private:
    [[nodiscard]] bool slides() const;
    void restAt(forms::Twips top);
    void passBehindBar();
    void Load();
    void Tim1_Timer();
    void Tim2_Timer();
    void Tim3_Timer();

    window_api::Windows& windows_;
    forms::Label* LNm_ = &label("LNm");
    forms::TextField* txtStp_ = &textField("txtStp");
    forms::Timer* Tim1_ = &timer("Tim1");
    forms::Timer* Tim2_ = &timer("Tim2");
    forms::Timer* Tim3_ = &timer("Tim3");
    bool crossing_ = false;  // sliding across the bar, behind its pictures
};

}  // namespace quorvel::windows
