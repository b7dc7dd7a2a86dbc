#include "windows/frm_ver_info.h"

#include <algorithm>
#include <string>

namespace quorvel::windows {

namespace {

using K = forms::ControlKind;

constexpr std::string_view kTitleFace = "GungsuhChe";
constexpr std::string_view kLatinFace = "Comic Sans MS";
constexpr std::string_view kJapaneseFace = "HG創英角ｺﾞｼｯｸUB";

// Colours as &HBBGGRR.
constexpr forms::ColorNumber kTitleShadow = 0xFCB358;  // RGB (88, 179, 252)
constexpr forms::ColorNumber kTitleBlue = 0xD76202;    // RGB (2, 98, 215)
constexpr forms::ColorNumber kGreen = 0x00C000;        // RGB (0, 192, 0)
constexpr forms::ColorNumber kGrey = 0x808080;         // RGB (128, 128, 128)
constexpr forms::ColorNumber kLinkBlue = 0xFF0000;     // RGB (0, 0, 255)

// Creation order is stacking order: the title's lighter copy lies behind the darker one, a
// little up and to the left, as its shadow; the click area lies over the address, 240 twips
// in from either end. The title's face is rarely installed, and the Japanese faces that stand
// in for it are wider: it stays on one line, above the version, drawn smaller where it must.
constexpr forms::ControlRow kLayout[] = {
    {"Image1", K::Image, {280, 100, 855, 855}, {}, 0, forms::BuiltinPicture::ProgramIcon},
    {"Label6", K::Label, {1260, 120, 3225, 855}, FrmVerInfo::kTitle, forms::kOneLine},
    {"Label2", K::Label, {1280, 150, 3255, 855}, FrmVerInfo::kTitle, forms::kOneLine},
    {"Label1", K::Label, {1800, 900, 1335, 495}, FrmVerInfo::kVersion},
    {"Label3", K::Label, {525, 1485, 2895, 375}, FrmVerInfo::kAuthor, forms::kRightAligned},
    {"Label4", K::Label, {3525, 1515, 735, 375}, FrmVerInfo::kAuthorSuffix},
    {"Label5", K::Label, {240, 1920, 4335, 255}, FrmVerInfo::kHomePage, forms::kCentred},
    {"Image2", K::Image, {480, 1965, 3855, 255}},
    {"Command1",
     K::Button,
     {1800, 2400, 1215, 375},
     "O K",
     forms::kDefaultButton | forms::kCancelButton},
    // The address from the keyboard: after "O K" in the Tab order, so that Enter still closes
    // the window as it opens.
    {"Address", K::ItemRow, {480, 1965, 3855, 255}},
};

struct LabelLook {
    std::string_view name;
    std::string_view face;
    double sizePt;
    bool bold;
    forms::ColorNumber color;
};

constexpr LabelLook kLooks[] = {
    {"Label6", kTitleFace, 20.25, true, kTitleShadow},
    {"Label2", kTitleFace, 20.25, true, kTitleBlue},
    {"Label1", kLatinFace, 14.25, true, kGreen},
    {"Label3", kLatinFace, 11.25, true, kGrey},
    {"Label4", kJapaneseFace, 12, false, kGrey},
    {"Label5", kLatinFace, 9.75, true, kLinkBlue},
};

}  // namespace

FrmVerInfo::FrmVerInfo(window_api::Windows& windows)
    : forms::Form(std::string(kFormName), windows.formServices(),
                  forms::Rect{0, 0, kWidth, kHeight}, kLayout),
      windows_(windows) {
    setStyle(forms::FormStyle::Dialog);
    setCaption(std::string(kCaption));
    setBackColor(kBackColor);
    // Faces the system lacks are replaced by the host, as for the bar's names.
    for (const LabelLook& look : kLooks) {
        forms::Label& l = label(look.name);
        l.setFont(forms::Font{std::string(look.face), look.sizePt, look.bold, false});
        l.setForeColor(look.color);
    }
    button("Command1").setFont(forms::Font{std::string(kJapaneseFace), 11.25, false, false});
    image("Image2").setMousePointer(forms::MousePointer::Hand);
    image("Image2").events.onClick = [this] { Image2_Click(); };
    forms::Image* address = &image("Image2");
    forms::ItemRow& row = itemRow("Address");
    row.setAccessibleName(std::string(kHomePage));
    row.setItems(
        {forms::RowItem{[address] { return address; }, [] { return std::string(kHomePage); }, {}}});
    row.setCurrent(0);
    button("Command1").onClick = [this] { Command1_Click(); };
    onCloseRequest = [this] { Command1_Click(); };
    Form_Load();
    announce();
}

void FrmVerInfo::Form_Load() {
    // Centred as the whole window, title bar and frame included; on a screen smaller than the
    // window its corner stays on the screen.
    const forms::Point at = forms::centredIn(windows_.ports().screen.bounds(), windowSize());
    setTop(at.y);
    setLeft(at.x);
}

void FrmVerInfo::Command1_Click() {
    windows_.unloadAbout();
}

void FrmVerInfo::Image2_Click() {
    platform::ShellRequest request;
    request.owner = this;
    request.file = std::string(kHomePage);
    // Whether a browser came up is the shell's business: the window closes either way.
    static_cast<void>(windows_.ports().shell.execute(request));
    windows_.unloadAbout();
}

}  // namespace quorvel::windows
