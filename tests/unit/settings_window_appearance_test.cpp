#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "found.h"
#include "sim_settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using platform::FontChoice;

class Appearance : public SettingsWindowFixture {};

constexpr const char* kPictureFilter =
    "アイコン (*.ico)|*.ico|ビットマップ (*.bmp)|*.bmp|JPEGイメージ (*.JPG)|*.JPG|"
    "GIFイメージ (*.GIF)|*.GIF|すべてのピクチャファイル (*.*)|*.*|";

TEST_F(Appearance, ThePictureDialogStartsOnAllPicturesOnlyForTheBackground) {
    startWith(3);
    click("Image1");
    press("Command28");
    clickSlot(2);
    press("Command28");
    click("ClsBtn");
    press("Command28");
    ASSERT_EQ(sim.dialogs.fileRequests.size(), 3U);
    for (const auto& asked : sim.dialogs.fileRequests) {
        EXPECT_EQ(asked.filter, kPictureFilter);
        EXPECT_EQ(asked.initialFolder, kCwd);
        EXPECT_TRUE(asked.hideReadOnly);
    }
    EXPECT_EQ(sim.dialogs.fileRequests[0].filterIndex, 5);
    EXPECT_EQ(sim.dialogs.fileRequests[1].filterIndex, 1);
    EXPECT_EQ(sim.dialogs.fileRequests[2].filterIndex, 1);
    // All three were cancelled: nothing changed.
    EXPECT_TRUE(saved());
}

struct PictureCase {
    const char* image;
    const char* field;
};

class PictureChoice : public Appearance, public ::testing::WithParamInterface<PictureCase> {};

TEST_P(PictureChoice, SetsTheFieldTheEditorAndThePicture) {
    startWith(3);
    click(GetParam().image);
    sim.dialogs.fileAnswers.push_back("C:\\絵\\new.ico");
    press("Command28");
    EXPECT_EQ(field(GetParam().field), "C:\\絵\\new.ico");
    EXPECT_EQ(win().textBox("LI").text(), "C:\\絵\\new.ico");
    forms::Image& image = win().image(GetParam().image);
    ASSERT_NE(image.picture(), nullptr);
    EXPECT_EQ(pictureSource(image), "C:\\絵\\new.ico");
    EXPECT_EQ(image.borderStyle(), 0);
    EXPECT_FALSE(saved());
}

INSTANTIATE_TEST_SUITE_P(
    Items, PictureChoice,
    ::testing::Values(PictureCase{"IL3", "L3I"}, PictureCase{"IL9", "L9I"},
                      PictureCase{"ImgMC", "txtMcIc"}, PictureCase{"ImgMD", "txtMdIc"},
                      PictureCase{"ImgRBinEmp", "txtRbeIc"}, PictureCase{"ImgRBinFll", "txtRbfIc"},
                      PictureCase{"ClsBtn", "ClsB"}, PictureCase{"OpnBtn", "OpnB"},
                      PictureCase{"Divid1", "SepIcn"}, PictureCase{"Image1", "txtFBk"}));

TEST_F(Appearance, AChosenPictureThatCannotBeLoadedLeavesAFramedBox) {
    startWith(3);
    clickSlot(1);
    sim.pictures.bad.insert("C:\\notes.txt");
    sim.dialogs.fileAnswers.push_back("C:\\notes.txt");
    press("Command28");
    EXPECT_EQ(slotField(1, 'I'), "C:\\notes.txt");
    EXPECT_EQ(win().image("IL1").picture(), nullptr);
    EXPECT_EQ(win().image("IL1").borderStyle(), 1);
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

TEST_F(Appearance, EmptyingAPictureFieldFramesTheItemAndKeepsThePictureUntilARefresh) {
    auto set = sampleSet(3);
    set.SepIcn = "C:\\icons\\sep.ico";
    store(set, 1);
    startOpen();
    open();
    click("Divid1");
    type("LI", "");
    EXPECT_EQ(field("SepIcn"), "");
    EXPECT_EQ(win().image("Divid1").borderStyle(), 1);
    EXPECT_NE(win().image("Divid1").picture(), nullptr);
    EXPECT_FALSE(saved());
}

TEST_F(Appearance, ClearingTheBackgroundOfATransparentBar) {
    auto set = sampleSet(2);
    set.txtFBk = "C:\\pics\\back.jpg";
    set.Clr = "する";
    store(set, 1);
    startOpen();
    open();
    EXPECT_EQ(win().textBox("LI").text(), "C:\\pics\\back.jpg");
    press("Command1");
    EXPECT_EQ(field("txtFBk"), "");
    EXPECT_EQ(win().textBox("LI").text(), "");
    EXPECT_FALSE(win().image("Image2").visible());
    EXPECT_EQ(win().image("Image1").picture(), nullptr);
    EXPECT_EQ(win().image("Image1").borderStyle(), 1);
    EXPECT_EQ(field("BkStrch"), "しない");
    EXPECT_FALSE(saved());
}

struct FontCase {
    bool bold;
    bool italic;
    const char* style;
};

class FontStyle : public Appearance, public ::testing::WithParamInterface<FontCase> {};

TEST_P(FontStyle, ComesFromTheChosenWeightAndSlant) {
    startWith(1);
    sim.dialogs.fontAnswers.push_back(
        FontChoice{"IPAゴシック", 12, GetParam().bold, GetParam().italic});
    press("Command3");
    ASSERT_EQ(sim.dialogs.fontPresets.size(), 1U);
    EXPECT_EQ(sim.dialogs.fontPresets[0], (FontChoice{"ＭＳ Ｐゴシック", 9, false, false}));
    EXPECT_EQ(field("FntName"), "IPAゴシック");
    EXPECT_EQ(field("FStyle"), GetParam().style);
}

INSTANTIATE_TEST_SUITE_P(Styles, FontStyle,
                         ::testing::Values(FontCase{false, false, "標準"},
                                           FontCase{true, false, "太字"},
                                           FontCase{false, true, "斜体"},
                                           FontCase{true, true, "太字 斜体"}));

// A font or colour choice used to leave the window "saved", so closing lost it without a
// question, and a cancelled dialog threw away an earlier choice. Both are edits kept now.
TEST_F(Appearance, FontAndColourChoicesAreEditsThatACancelKeeps) {
    startWith(1);
    sim.dialogs.fontAnswers.push_back(FontChoice{"IPAゴシック", 9, true, false});
    press("Command3");
    EXPECT_FALSE(saved());
    press("Command3");  // cancelled
    EXPECT_EQ(field("FntName"), "IPAゴシック");
    EXPECT_EQ(field("FStyle"), "太字");

    sim.dialogs.colorAnswers.push_back(0x123456U);
    press("Command2");
    EXPECT_EQ(field("FrColor"), std::to_string(0x123456));
    press("Command2");  // cancelled
    EXPECT_EQ(field("FrColor"), std::to_string(0x123456));

    sim.dialogs.answers.push_back(platform::MessageAnswer::No);
    press("Command26");
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text, kNotSavedQuestion);
}

TEST_F(Appearance, TheColourDialogStartsOnTheColourAndTheFieldShowsItAsASwatch) {
    startWith(1);
    press("Command2");
    ASSERT_EQ(sim.dialogs.colorStarts.size(), 1U);
    // "-2147483630" is the system's button-text colour; the dialog port shows what it stands for.
    EXPECT_EQ(sim.dialogs.colorStarts[0], forms::kButtonText);
    EXPECT_EQ(win().textBox("FrColor").backColor(), forms::kButtonText);

    sim.dialogs.colorAnswers.push_back(0x00FF8000U);
    press("Command2");
    EXPECT_EQ(field("FrColor"), "16744448");
    EXPECT_EQ(win().textBox("FrColor").backColor(), 0x00FF8000U);
    EXPECT_EQ(win().textBox("FrColor").foreColor(), 0x00FF8000U);
    press("Command2");
    EXPECT_EQ(sim.dialogs.colorStarts[2], 0x00FF8000U);
}

TEST_F(Appearance, EveryBarOptionIsAnEditThatResetReverts) {
    startWith(1);
    struct Row {
        const char* option;
        const char* chosen;
        const char* bar;
    };
    for (const Row& row :
         {Row{"DockPos", "下", "上"}, Row{"TaskB", "非表示", "表示"}, Row{"FTop", "しない", "する"},
          Row{"BkStrch", "しない", "する"}, Row{"Clr", "する", "しない"}}) {
        ASSERT_TRUE(saved());
        ASSERT_TRUE(choose(row.option, row.chosen)) << row.option;
        EXPECT_EQ(field(row.option), row.chosen);
        EXPECT_FALSE(saved()) << row.option;
        press("cmdReset");
        EXPECT_EQ(field(row.option), row.bar);
    }
}

TEST_F(Appearance, TransparencyHidesThePreviewBackground) {
    startWith(1);
    ASSERT_TRUE(choose("Clr", "する"));
    EXPECT_FALSE(win().image("Image2").visible());
    EXPECT_TRUE(win().image("Image3").visible());
    ASSERT_TRUE(choose("Clr", "しない"));
    EXPECT_TRUE(win().image("Image2").visible());
}

TEST_F(Appearance, AWordTheListLacksShowsNoSelectionAndIsSavedUnchanged) {
    auto set = sampleSet(1);
    set.DockPos = "xyz";
    set.FTop = "たぶん";
    store(set, 1);
    startOpen();
    open();
    EXPECT_EQ(win().comboBox("DockPos").listIndex(), -1);
    EXPECT_EQ(field("DockPos"), "xyz");
    EXPECT_EQ(win().comboBox("FTop").listIndex(), -1);
    clickSlot(1);
    type("LN", "改名");
    press("Command22");
    EXPECT_EQ(stored(1, "DockPos"), "xyz");
    EXPECT_EQ(stored(1, "FTop"), "たぶん");
    // Picking a word replaces it.
    ASSERT_TRUE(choose("DockPos", "下"));
    press("Command22");
    EXPECT_EQ(stored(1, "DockPos"), "下");
}

}  // namespace
}  // namespace quorvel::testing
