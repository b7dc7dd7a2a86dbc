#include <string>
#include <string_view>

#include "bar/dock.h"

namespace quorvel::bar {

namespace {
// The flash is over once the counter has reached this many steps (three hides, three shows).
constexpr int kFlashSteps = 6;
}  // namespace

forms::Image* Dock::imageOfCode(std::string_view code) const {
    struct Coded {
        std::string_view code;
        forms::Image* image;
    };
    const Coded fixed[] = {{"MC", ImgMC_},       {"MCD", MCD_},        {"MD", ImgMD_},
                           {"MDD", MDD_},        {"RBE", ImgRBinEmp_}, {"RBED", RBED_},
                           {"RBF", ImgRBinFll_}, {"RBFD", RBFD_}};
    for (const Coded& c : fixed) {
        if (c.code == code) {
            return c.image;
        }
    }
    for (int n = 1; n <= settings::kSlotCount; ++n) {
        if (code == "L" + std::to_string(n)) {
            return slots_[static_cast<std::size_t>(n - 1)];
        }
    }
    return nullptr;
}

void Dock::BeginClickBlink() {
    showBinPictures();
    for (forms::Image* item : {ImgMC_, MCD_, ImgMD_, MDD_}) {
        item->setVisible(true);
    }
    for (forms::Image* slot : slots_) {
        slot->setVisible(true);
    }
    // A click during a flash starts the new one from its first step: a step of the old flash
    // still on its way would otherwise hide the new item out of turn.
    for (forms::Timer* step : Timer_) {
        step->stop();
    }
    Timer_[0]->start(kFlashStepMs);
}

// One step of the flash: the timer that ran stops itself (each step fires once), the step
// before it is disarmed, the counter moves on and the flashed image is hidden or shown.
void Dock::flashStep(int timer, bool visible) {
    Timer_[static_cast<std::size_t>(timer - 1)]->stop();
    Timer_[static_cast<std::size_t>((timer + 2) % 4)]->stop();
    model_.txtCount = std::to_string(settings::toInt32(model_.txtCount) + 1);
    if (forms::Image* image = imageOfCode(model_.Text1)) {
        image->setVisible(visible);
    }
}

void Dock::Timer1_Timer() {
    flashStep(1, false);
    Timer_[1]->start(kFlashStepMs);
}

void Dock::Timer2_Timer() {
    flashStep(2, true);
    if (settings::numericValue(model_.txtCount) >= kFlashSteps) {
        model_.Text1.clear();
        return;
    }
    Timer_[2]->start(kFlashStepMs);
}

void Dock::Timer3_Timer() {
    flashStep(3, false);
    Timer_[3]->start(kFlashStepMs);
}

void Dock::Timer4_Timer() {
    flashStep(4, true);
    Timer_[0]->start(kFlashStepMs);
}

}  // namespace quorvel::bar
