#include "windows/lnk_name.h"

#include <utility>
#include <vector>

namespace quorvel::windows {

namespace w = settings::words;

namespace {
constexpr std::uint32_t kSlideStepMs = 10;
constexpr std::uint32_t kHideDelayMs = 500;
constexpr forms::Twips kSlideStep = 10;
// Where the name rests: just below a top bar, or just above a bottom one.
constexpr forms::Twips kGapBelowBar = 20;
constexpr forms::Twips kRestAboveBar = 200;
// The slide stops once the name has passed the bar's far edge by these margins.
constexpr forms::Twips kTopSlideMargin = 5;
constexpr forms::Twips kBottomSlideMargin = 180;
constexpr int kNameSizePt = 9;

using K = forms::ControlKind;
constexpr forms::ControlRow kLayout[] = {
    {"LNm", K::Label, {30, 30, 4035, 180}, {}, forms::kCentred},
    {"txtStp", K::TextField},
    {"Tim1", K::Timer},
    {"Tim2", K::Timer},
    {"Tim3", K::Timer},
};

}  // namespace

LnkName::LnkName(window_api::Windows& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kWidth, kHeight}, kLayout),
      windows_(windows) {
    LNm_->setFont(forms::Font{std::string(w::kDefaultFont), kNameSizePt, true, false});
    LNm_->setForeColor(kDefaultTextColor);
    Tim1_->onTimer = [this] { Tim1_Timer(); };
    Tim2_->onTimer = [this] { Tim2_Timer(); };
    Tim3_->onTimer = [this] { Tim3_Timer(); };
    Load();
    announce();
}

void LnkName::Load() {
    hide();
    setHeight(kHeight);
    // Only the name itself is seen: the background is keyed out.
    setBackColor(forms::kTransparentKey);
    setColorKey(forms::kTransparentKey);
    // While the name slides out across the bar, a press on the bar where the name's letters
    // are must still reach the bar.
    letPointerThrough();
    setTopmost(true);
}

void LnkName::LNmStyle() {
    const settings::SettingsModel& m = windows_.bar().settings();
    forms::Font font = LNm_->font();
    font.name = m.FntName;
    if (m.FStyle == w::kRegular) {
        font.bold = false;
        font.italic = false;
    } else if (m.FStyle == w::kItalic) {
        font.bold = false;
        font.italic = true;
    } else if (m.FStyle == w::kBold) {
        font.bold = true;
        font.italic = false;
    } else if (m.FStyle == w::kBoldItalic) {
        font.bold = true;
        font.italic = true;
    }
    font.sizePt = kNameSizePt;
    LNm_->setFont(font);
    // Colour numbers are 32-bit; the text may hold anything, so it is clamped to that range
    // and taken bit for bit (negative numbers name system colours).
    LNm_->setForeColor(m.FrColor.empty()
                           ? kDefaultTextColor
                           : static_cast<forms::ColorNumber>(settings::toInt32(m.FrColor)));
}

void LnkName::Stp() {
    LNm_->setCaption("");
}

bool LnkName::slides() const {
    const settings::SettingsModel& m = windows_.bar().settings();
    return !(m.Clr == w::kNo && (m.DockPos == w::kTop || m.DockPos == w::kBottom));
}

void LnkName::ShowAgain() {
    show();
    if (Tim1_->running() && txtStp_->text() != "1") {
        return;  // still sliding: the end of the slide arms the hide
    }
    // A hide already on its way keeps its time (half a second after the name first showed);
    // only a name that had gone gets a hide of its own.
    forms::Timer* hide = slides() ? Tim2_ : Tim3_;
    if (!hide->running()) {
        hide->start(kHideDelayMs);
    }
}

void LnkName::restAt(forms::Twips top) {
    // The name never rests off the screen: a bar kept where it was at the other edge (a set
    // shown without its settings does not move it) has it on the screen's edge instead.
    forms::Rect wanted = bounds();
    wanted.top = top;
    setTop(forms::keptOn(windows_.ports().screen.bounds(), wanted).top);
}

void LnkName::Strt() {
    const forms::Form& dock = windows_.bar().window();
    const settings::SettingsModel& m = windows_.bar().settings();
    if (!slides()) {
        // Over an opaque bar the name cannot hide behind the items, so it does not slide; it
        // shows on the next pointer move over the same item.
        restAt(m.DockPos == w::kTop ? dock.top() + dock.height() + kGapBelowBar
                                    : dock.top() - kRestAboveBar);
        setCoveredAreas({});
        restack();
        Tim3_->start(kHideDelayMs);
        return;
    }
    setTop(dock.top() + dock.height() / 2 - height() / 2);
    crossing_ = true;
    passBehindBar();
    show();
    Tim1_->start(kSlideStepMs);
}

// The name emerges from behind the items: while it crosses the bar, nothing of it is drawn
// where one of the bar's pictures lies, as if it were stacked below the bar. Stacking it there
// would take restacking the bar too (some window systems only ever raise a window), and the bar
// must stay where its setting stacks it, under or over other programs' windows.
void LnkName::passBehindBar() {
    const forms::Form& dock = windows_.bar().window();
    const forms::Rect barWindow{0, 0, dock.width(), dock.height()};
    std::vector<forms::Rect> covered;
    for (const auto& control : dock.controls()) {
        const auto* image = dynamic_cast<const forms::Image*>(control.get());
        if (image == nullptr || !image->visible() || !image->picture()) {
            continue;
        }
        forms::Rect shown = forms::intersection(image->bounds(), barWindow);
        shown.left += dock.left() - left();
        shown.top += dock.top() - top();
        if (const forms::Rect over = forms::intersection(shown, {0, 0, width(), height()});
            over.width > 0 && over.height > 0) {
            covered.push_back(over);
        }
    }
    setCoveredAreas(std::move(covered));
}

void LnkName::Tim1_Timer() {
    if (txtStp_->text() == "1") {
        // Nothing to slide until the hide timer clears the flag; that timer wakes this one
        // again. Ticking a hundred times a second for nothing would keep an idle bar busy.
        Tim1_->stop();
        return;
    }
    const forms::Form& dock = windows_.bar().window();
    const std::string& pos = windows_.bar().settings().DockPos;
    // A bar kept at the other edge has no room for the name beyond it: the slide ends where
    // the screen does.
    const forms::Rect screen = windows_.ports().screen.bounds();
    if (pos == w::kTop) {
        if (top() <= dock.top() + dock.height() - kTopSlideMargin &&
            top() + kSlideStep + height() <= screen.top + screen.height) {
            setTop(top() + kSlideStep);
            passBehindBar();
            return;
        }
        restAt(dock.top() + dock.height() + kGapBelowBar);
    } else if (pos == w::kBottom) {
        if (top() >= dock.top() - kBottomSlideMargin && top() - kSlideStep >= screen.top) {
            setTop(top() - kSlideStep);
            passBehindBar();
            return;
        }
        restAt(dock.top() - kRestAboveBar);
    } else {
        return;
    }
    if (crossing_) {
        // Clear of the bar, the name comes to the front.
        crossing_ = false;
        setCoveredAreas({});
        restack();
    }
    txtStp_->setText("1");
    Tim2_->start(kHideDelayMs);
}

void LnkName::Tim2_Timer() {
    // The name rests hidden past the bar until it is pointed at again: a move over the same
    // item shows it there and arms this timer anew (ShowAgain), another item starts a new
    // slide. Nothing runs meanwhile; a slide step woken every half second would keep an idle
    // bar busy for nothing.
    hide();
    txtStp_->setText("");
    Tim2_->stop();
}

void LnkName::Tim3_Timer() {
    hide();
    Tim3_->stop();
}

}  // namespace quorvel::windows
