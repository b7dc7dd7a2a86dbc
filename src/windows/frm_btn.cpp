#include "windows/frm_btn.h"

#include <string>

#include "settings/bar_dimensions.h"

namespace quorvel::windows {

namespace {
constexpr std::uint32_t kStepMs = 1;
// The bar grows and shrinks by this much per step.
constexpr forms::Twips kWidthStep = 230;
// Opening snaps to the full width once less than this remains to grow.
constexpr forms::Twips kSnapMargin = 250;
// Closing hides the bar once it is narrower than this.
constexpr forms::Twips kHideBelow = 235;
// Pictures parked here wait out of sight below the panel.
constexpr forms::Twips kParkedTop = 960;
// Where the open button stands while the panel is open: right of the four set buttons.
constexpr forms::Twips kOpenLeft = 880;
// The panel slides by this much per step, and snaps to its end once it has slid past these.
constexpr forms::Twips kSlideStep = 100;
constexpr forms::Twips kUnfoldSnapFrom = 1010;
constexpr forms::Twips kFoldSnapFrom = 340;

constexpr forms::Twips kSize = FrmBtn::kFoldedSize;
constexpr forms::Twips kLabelTop = 30;
constexpr forms::Twips kLabelHeight = 255;
constexpr forms::ColorNumber kWhite = 0xFFFFFF;

using K = forms::ControlKind;

// Creation order is stacking order. Each set's built-in button lies under the picture image of
// its set, which takes the pointer even without a picture; the labels lie over both; the open
// button lies over everything, with the four-frames icon on top, so that the folded panel is
// the open button alone.
constexpr forms::ControlRow kLayout[] = {
    {"OpnD", K::Image, {0, kParkedTop, kSize, kSize}, {}, 0, forms::BuiltinPicture::PanelButton},
    {"OpnD2", K::Image, {225, kParkedTop, kSize, kSize}, {}, 0, forms::BuiltinPicture::PanelButton},
    {"OpnD3", K::Image, {435, kParkedTop, kSize, kSize}, {}, 0, forms::BuiltinPicture::PanelButton},
    {"OpnD4", K::Image, {660, kParkedTop, kSize, kSize}, {}, 0, forms::BuiltinPicture::PanelButton},
    {"OpnBtn", K::Image, {0, 0, kSize, kSize}},
    {"OpnBtn2", K::Image, {225, 0, kSize, kSize}},
    {"OpnBtn3", K::Image, {435, 0, kSize, kSize}},
    {"OpnBtn4", K::Image, {660, 0, kSize, kSize}},
    {"Label1", K::Label, {60, kLabelTop, 135, kLabelHeight}, "1"},
    {"Label2", K::Label, {300, kLabelTop, 105, kLabelHeight}, "2"},
    {"Label3", K::Label, {510, kLabelTop, 105, kLabelHeight}, "3"},
    {"Label4", K::Label, {720, kLabelTop, 105, kLabelHeight}, "4"},
    {"OP", K::Image, {kOpenLeft, 0, 255, 255}},
    {"OPD",
     K::Image,
     {kOpenLeft, kParkedTop, kSize, kSize},
     {},
     0,
     forms::BuiltinPicture::PanelButton},
    {"Image1",
     K::Image,
     {kOpenLeft, 0, kSize, kSize},
     {},
     0,
     forms::BuiltinPicture::PanelFourFrames},
    {"Timer1", K::Timer},
    {"Timer2", K::Timer},
    {"Timer3", K::Timer},
    {"Timer4", K::Timer},
    {"Timer5", K::Timer},
    // What a screen reader reads of the panel: its buttons, named after what they open.
    {"Buttons", K::ItemRow, {0, 0, FrmBtn::kOpenWidth, kSize}, {}, forms::kWholeWindow},
};

constexpr std::string_view kAccessibleName = "ランチャーの切替";
constexpr std::string_view kOpenButtonName = "開く";

}  // namespace

FrmBtn::FrmBtn(window_api::Windows& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kFoldedSize, kFoldedSize}, kLayout),
      windows_(windows) {
    setBackColor(kPanelColor);
    Timer1_->onTimer = [this] { Timer1_Timer(); };
    Timer2_->onTimer = [this] { Timer2_Timer(); };
    Timer3_->onTimer = [this] { Timer3_Timer(); };
    Timer4_->onTimer = [this] { Timer4_Timer(); };
    Timer5_->onTimer = [this] { Timer5_Timer(); };
    for (forms::Image* button : {OP_, OPD_, Image1_}) {
        button->events.onClick = [this] { OpenButton_Click(); };
        button->events.onMouseMove = [this](forms::Point) { OpenButton_MouseMove(); };
    }
    for (int k = 1; k <= kSetCount; ++k) {
        const auto click = [this, k] { SetButton_Click(k); };
        OpnBtn_[index(k)]->events.onClick = click;
        OpnD_[index(k)]->events.onClick = click;
        Label_[index(k)]->events.onClick = click;
        Label_[index(k)]->setForeColor(kWhite);
        Label_[index(k)]->events.onMouseDown = [this](forms::MouseButton b, forms::Point) {
            SetButton_MouseDown(b);
        };
    }
    // Of the set buttons only the first one's picture opens the menu, as the labels do.
    OpnBtn_[0]->events.onMouseDown = [this](forms::MouseButton b, forms::Point) {
        SetButton_MouseDown(b);
    };
    describeButtons();
    Load();
    announce();
}

// The set buttons are there while the panel stands open; folded, it is its open button alone.
// The keyboard does not step through them: the bar's own keys bring a folded bar back.
void FrmBtn::describeButtons() {
    Buttons_->setAccessibleName(std::string(kAccessibleName));
    Buttons_->setTakesKeys(false);
    std::vector<forms::RowItem> items;
    for (int k = 1; k <= kSetCount; ++k) {
        forms::Image* picture = OpnBtn_[index(k)];
        forms::Image* builtin = OpnD_[index(k)];
        items.push_back(forms::RowItem{[this, picture, builtin] {
                                           if (width() < kOpenWidth) {
                                               return static_cast<forms::Image*>(nullptr);
                                           }
                                           return builtin->top() == picture->top() ? builtin
                                                                                   : picture;
                                       },
                                       [this, k] { return windows_.bar().settings().LN[index(k)]; },
                                       {}});
    }
    items.push_back(forms::RowItem{
        [this] { return Image1_; }, [] { return std::string(kOpenButtonName); }, {}});
    Buttons_->setItems(std::move(items));
}

void FrmBtn::Load() {
    setWidth(kFoldedSize);
    setHeight(kFoldedSize);
    moveOpenButton(0);

    const settings::SettingsModel& m = windows_.bar().settings();
    forms::PictureRef custom;
    if (!m.OpnB.empty()) {
        custom = windows_.ports().pictures.load(m.OpnB);
        OP_->setPicture(custom);
        for (forms::Image* button : OpnBtn_) {
            button->setPicture(custom);
        }
    }
    // Without a readable picture of the user's own, the built-in buttons show instead.
    OPD_->setTop(custom ? kParkedTop : OP_->top());
    for (int k = 1; k <= kSetCount; ++k) {
        OpnD_[index(k)]->setTop(custom ? kParkedTop : OpnBtn_[index(k)]->top());
    }

    for (int k = 1; k <= kSetCount; ++k) {
        if (m.RNo == std::to_string(k)) {
            markCurrentSet(k);
        }
    }
    setTopmost(true);
    // Made against a bar that is still opening, the panel snaps to its left edge a little
    // later; from then on it folds a while after each opening.
    Timer5_->start(kFirstFoldDelayMs);
}

// The current set's button is drawn without a frame, the others with a thin one.
void FrmBtn::markCurrentSet(int k) {
    for (int n = 1; n <= kSetCount; ++n) {
        const int style = n == k ? 0 : 1;
        OpnBtn_[index(n)]->setBorderStyle(style);
        OpnD_[index(n)]->setBorderStyle(style);
    }
}

void FrmBtn::moveOpenButton(forms::Twips left) {
    OP_->setLeft(left);
    OPD_->setLeft(left);
    Image1_->setLeft(left);
}

void FrmBtn::OpenButton_MouseMove() {
    // Pointing at the panel while it slides or stands open does not start it again.
    if (width() != kFoldedSize) {
        return;
    }
    // The fold that the creation or an opening scheduled may be about to take its first step
    // at this very width; unfolding and folding never run together, or each would undo the
    // other's steps and the panel would shake for good.
    Timer3_->stop();
    Timer4_->start(kSlideStepMs);
}

// One unfolding step: the window grows to the left while the open button moves right by the
// same amount, so it stays under the pointer and the set buttons come out from under it.
void FrmBtn::Timer4_Timer() {
    const forms::Twips barLeft = windows_.bar().window().left();
    if (width() < kUnfoldSnapFrom) {
        moveOpenButton(Image1_->left() + kSlideStep);
        setWidth(width() + kSlideStep);
        setLeft(left() - kSlideStep);
        return;
    }
    moveOpenButton(kOpenLeft);
    setWidth(kOpenWidth);
    setLeft(barLeft - kOpenWidth);
    Timer4_->stop();
    Timer5_->start(kFoldDelayMs);
}

void FrmBtn::Timer5_Timer() {
    // The first fold comes a fixed time after creation, whatever the pointer did meanwhile:
    // while the panel is still unfolding it waits for the delay that the unfolding's end sets.
    if (Timer4_->running()) {
        return;
    }
    Timer5_->stop();
    Timer3_->start(kSlideStepMs);
}

void FrmBtn::Timer3_Timer() {
    const forms::Twips barLeft = windows_.bar().window().left();
    if (width() > kFoldSnapFrom) {
        moveOpenButton(Image1_->left() - kSlideStep);
        setWidth(width() - kSlideStep);
        setLeft(left() + kSlideStep);
        return;
    }
    moveOpenButton(0);
    setWidth(kFoldedSize);
    setLeft(barLeft - kFoldedSize);
    Timer3_->stop();
}

void FrmBtn::SetButton_Click(int k) {
    window_api::Bar& bar = windows_.bar();
    if (bar.settings().RNo != std::to_string(k)) {
        // The closing that follows ends in the restart on set k.
        bar.chooseSet(k);
        markCurrentSet(k);
        cmdDSml(AfterClosing::Restart);
    } else if (!bar.window().visible()) {
        cmdDLrg(fullWidth_);
    }
}

void FrmBtn::SetButton_MouseDown(forms::MouseButton button) {
    if (button != forms::MouseButton::Right) {
        return;
    }
    // The panel is the bar's background to the menu: no item entries.
    window_api::Menu& menu = windows_.menu();
    menu.showEntriesFor(window_api::MenuSource::Background);
    menu.popUp();
}

void FrmBtn::OpenButton_Click() {
    if (!windows_.bar().window().visible()) {
        cmdDLrg(fullWidth_);
    }
}

void FrmBtn::cmdDLrg(forms::Twips fullWidth) {
    window_api::Bar& bar = windows_.bar();
    fullWidth_ = fullWidth;
    // Opening and closing take turns: with both timers running, one would add what the other
    // takes away and the bar would stay half open for good.
    Timer2_->stop();
    bar.setWindowWidth(settings::kCollapsedBarWidth);
    bar.showWindow();
    Timer1_->start(kStepMs);
}

void FrmBtn::Timer1_Timer() {
    window_api::Bar& bar = windows_.bar();
    const forms::Twips width = bar.window().width();
    if (fullWidth_ - kSnapMargin < width) {
        bar.setWindowWidth(fullWidth_);
        Timer1_->stop();
    } else {
        bar.setWindowWidth(width + kWidthStep);
    }
}

void FrmBtn::cmdDSml(AfterClosing after) {
    afterClosing_ = after;
    Timer1_->stop();
    Timer2_->start(kStepMs);
}

void FrmBtn::Timer2_Timer() {
    window_api::Bar& bar = windows_.bar();
    const forms::Twips width = bar.window().width();
    if (width >= kHideBelow) {
        bar.setWindowWidth(width - kWidthStep);
        return;
    }
    bar.hideWindow();
    Timer2_->stop();
    if (afterClosing_ == AfterClosing::Restart) {
        // A set change closed the bar: it comes back with the set now in RNo. The restart
        // unloads this panel, which lives on until the event is over.
        bar.cmdReStart();
    }
}

}  // namespace quorvel::windows
