#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "found.h"
#include "sim_settings_window_fixture.h"

namespace quorvel::testing {
namespace {

using platform::MessageAnswer;
using platform::MessageButtons;

class SlotEditor : public SettingsWindowFixture {
protected:
    // The names of slots 1..17, "" for an empty one.
    std::vector<std::string> names() {
        std::vector<std::string> out;
        for (int n = 1; n <= settings::kSlotCount; ++n) {
            out.push_back(slotField(n, 'N'));
        }
        return out;
    }
    static std::vector<std::string> named(std::vector<std::string> first) {
        first.resize(settings::kSlotCount);
        return first;
    }
};

// The mock-up is the first stop of the Tab order; there the arrows choose items as clicks do.
TEST_F(SlotEditor, TheArrowsChooseItemsOfTheMockUpAsClicksDo) {
    startWith(5);
    forms::ItemRow& mockUp = win().itemRow("MockUp");
    EXPECT_EQ(mockUp.tabIndex(), 0);
    sim.dispatch([&] { mockUp.focusChanged(true); });
    const auto key = [&](forms::Key k) { sim.dispatch([&] { mockUp.keyDown({k}); }); };
    EXPECT_EQ(field("txtDBtn"), "FRM");
    key(forms::Key::Home);
    EXPECT_EQ(field("txtDBtn"), "Opn");
    key(forms::Key::End);
    EXPECT_EQ(field("txtDBtn"), "17");
    clickSlot(3);  // the keyboard goes on from what the pointer chose
    key(forms::Key::Right);
    key(forms::Key::Right);
    EXPECT_EQ(field("txtDBtn"), "5");
    EXPECT_EQ(win().textBox("LN").text(), "リンク5");
    EXPECT_TRUE(mockUp.showsFocus());
    EXPECT_EQ(mockUp.currentImage(), &win().image("IL5"));
    EXPECT_TRUE(saved());  // choosing is no edit
}

struct SelectionCase {
    const char* image;
    const char* code;
    forms::Point marker;
    const char* name;   // what LN shows
    const char* state;  // "link", "item" or "background"
};

class ItemSelection : public SlotEditor, public ::testing::WithParamInterface<SelectionCase> {};

TEST_P(ItemSelection, MovesTheMarkerAndSwitchesTheEditors) {
    auto set = sampleSet(5);
    set.txtMcIc = "C:\\icons\\mc.ico";
    set.txtFBk = "C:\\pics\\back.bmp";
    store(set, 1);
    startOpen();
    open();
    clickSlot(2);  // start from another state than the one under test
    click(GetParam().image);

    const std::string state = GetParam().state;
    EXPECT_EQ(win().selectedItem(), GetParam().code);
    EXPECT_EQ(marker(), GetParam().marker);
    EXPECT_EQ(win().textBox("LN").text(), GetParam().name);
    EXPECT_EQ(win().comboBox("LT").enabled(), state == "link");
    EXPECT_EQ(win().textBox("LN").enabled(), state == "link");
    EXPECT_EQ(win().textBox("LP").enabled(), state == "link");
    for (const char* b : {"Command12", "Command27", "cmdItmIn"}) {
        EXPECT_EQ(win().button(b).visible(), state == "link") << b;
    }
    EXPECT_EQ(win().button("Command1").visible(), state == "background");
    for (const char* c : {"FTop", "BkStrch", "Clr"}) {
        EXPECT_EQ(win().comboBox(c).visible(), state == "background") << c;
    }
    EXPECT_EQ(win().label("lblClr").visible(), state == "background");
    // The picture editor and its button work for every item.
    EXPECT_TRUE(win().textBox("LI").enabled());
    EXPECT_TRUE(win().button("Command28").visible());
    if (state != "link") {
        EXPECT_EQ(field("LT"), "");
        EXPECT_EQ(win().textBox("LP").text(), "");
    }
    // Looking is no edit.
    EXPECT_TRUE(saved());
}

INSTANTIATE_TEST_SUITE_P(
    Items, ItemSelection,
    ::testing::Values(SelectionCase{"IL4", "4", {3000 + 480 * 3 + 120, 1080}, "リンク4", "link"},
                      SelectionCase{"IL17", "17", {3000 + 480 * 16 + 120, 1080}, "", "link"},
                      SelectionCase{"Image1", "FRM", {480, 1200}, "ウインドウの背景", "background"},
                      SelectionCase{"ImgMC", "MC", {960, 1080}, "マイ コンピュータ", "item"},
                      SelectionCase{"ImgMD", "MD", {1440, 1080}, "マイ ドキュメント", "item"},
                      SelectionCase{"ImgRBinEmp", "RBE", {1920, 1080}, "ごみ箱（空）", "item"},
                      SelectionCase{
                          "ImgRBinFll", "RBF", {2400, 1080}, "ごみ箱（いっぱい）", "item"},
                      SelectionCase{"ClsBtn", "Cls", {510, 720}, "隠す", "item"},
                      SelectionCase{"OpnBtn", "Opn", {150, 840}, "開く", "item"},
                      SelectionCase{"Divid1", "Sp", {2760, 1080}, "セパレータ", "item"}));

TEST_F(SlotEditor, SelectingASlotFillsTheEditorsFromIt) {
    startWith(5);
    clickSlot(3);
    EXPECT_EQ(field("LT"), "ﾌｧｲﾙ");
    EXPECT_EQ(win().comboBox("LT").text(), "ﾌｧｲﾙ");
    EXPECT_EQ(win().textBox("LN").text(), "リンク3");
    EXPECT_EQ(win().textBox("LI").text(), "C:\\icons\\3.ico");
    EXPECT_EQ(win().textBox("LP").text(), "C:\\docs\\3.txt");
    click("ImgMC");
    EXPECT_EQ(win().textBox("LI").text(), "");
}

TEST_F(SlotEditor, TheEditorsWriteThroughIntoTheSelectedSlot) {
    startWith(5);
    clickSlot(3);
    type("LN", "メモ帳");
    EXPECT_EQ(slotField(3, 'N'), "メモ帳");
    EXPECT_FALSE(saved());
    type("LP", "notepad.exe");
    ASSERT_TRUE(choose("LT", "ｱﾌﾟﾘｹｰｼｮﾝ"));
    type("LI", "");
    EXPECT_EQ(slotField(3, 'P'), "notepad.exe");
    EXPECT_EQ(slotField(3, 'T'), "ｱﾌﾟﾘｹｰｼｮﾝ");
    EXPECT_EQ(slotField(3, 'I'), "");
    EXPECT_EQ(win().image("IL3").borderStyle(), 1);
    // The other slots and the bar are untouched until a save.
    EXPECT_EQ(slotField(4, 'N'), "リンク4");
    EXPECT_EQ(model().L[2].N, "リンク3");

    // For the other items only the picture path reaches a field.
    click("ImgMC");
    EXPECT_FALSE(win().textBox("LN").typeText("名前"));
    type("LI", "C:\\icons\\pc.ico");
    EXPECT_EQ(field("txtMcIc"), "C:\\icons\\pc.ico");
    EXPECT_EQ(win().image("ImgMC").borderStyle(), 0);
    click("Image1");
    type("LI", "C:\\pics\\sky.jpg");
    EXPECT_EQ(field("txtFBk"), "C:\\pics\\sky.jpg");
}

TEST_F(SlotEditor, TypingStopsAtWhatTheFileCanHold) {
    startWith(2);
    clickSlot(1);
    type("LN", std::string(21, 'a') + std::string(25, 'b'));  // 46 half-width
    EXPECT_EQ(slotField(1, 'N'), std::string(21, 'a') + std::string(19, 'b'));
    std::string fullWidth;
    for (int i = 0; i < 21; ++i) {
        fullWidth += "あ";
    }
    type("LN", fullWidth);
    EXPECT_EQ(win().textBox("LN").text(), fullWidth.substr(0, 20 * 3));
    type("LN1", "ランチャーの名前が長すぎる");  // 13 full-width, 10 fit
    EXPECT_EQ(field("LN1"), "ランチャーの名前が長");
}

TEST_F(SlotEditor, TheTargetChooserFollowsTheLinkType) {
    startWith(6);
    // No type: a beep and a message, no dialog.
    clickSlot(6);
    sim.dispatch([this] { win().option("LT").set(""); });
    press("Command27");
    EXPECT_EQ(sim.dialogs.beeps, 1);
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text, "リンク先の種類を選択してください");
    EXPECT_EQ(sim.dialogs.messages[0].buttons, MessageButtons::Ok);
    EXPECT_TRUE(sim.dialogs.fileRequests.empty());

    ASSERT_TRUE(choose("LT", "ﾎｰﾑﾍﾟｰｼﾞ"));
    press("Command27");
    EXPECT_EQ(sim.dialogs.beeps, 2);
    EXPECT_EQ(sim.dialogs.messages.back().text, "URLを入力してください。");
    EXPECT_TRUE(sim.dialogs.fileRequests.empty());

    // A file or program: the file dialog from My Computer; the path, not the name, changes.
    ASSERT_TRUE(choose("LT", "ﾌｧｲﾙ"));
    sim.dialogs.fileAnswers.push_back("D:\\書類\\予定.xlsx");
    press("Command27");
    ASSERT_EQ(sim.dialogs.fileRequests.size(), 1U);
    const auto& asked = sim.dialogs.fileRequests[0];
    EXPECT_EQ(asked.filter, "すべてのファイル (*.*)|*.*|");
    EXPECT_EQ(asked.filterIndex, 1);
    EXPECT_EQ(asked.initialFolder, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_TRUE(asked.hideReadOnly);
    EXPECT_EQ(slotField(6, 'P'), "D:\\書類\\予定.xlsx");
    EXPECT_EQ(win().textBox("LP").text(), "D:\\書類\\予定.xlsx");
    EXPECT_EQ(slotField(6, 'N'), "リンク6");

    // Cancelled: nothing changes.
    ASSERT_TRUE(choose("LT", "ｱﾌﾟﾘｹｰｼｮﾝ"));
    press("Command27");
    EXPECT_EQ(sim.dialogs.fileRequests.size(), 2U);
    EXPECT_EQ(slotField(6, 'P'), "D:\\書類\\予定.xlsx");

    // A folder: the folder chooser, for this slot.
    ASSERT_TRUE(choose("LT", "ﾌｫﾙﾀﾞ"));
    press("Command27");
    ASSERT_NE(chooser(), nullptr);
    EXPECT_TRUE(chooser()->visible());
    EXPECT_EQ(sim.dialogs.fileRequests.size(), 2U);
}

struct DeleteCase {
    std::vector<std::string> before;  // names of slots 1.., each with a path
    int selected;
    std::vector<std::string> after;
};

class SlotDelete : public SlotEditor, public ::testing::WithParamInterface<DeleteCase> {};

TEST_P(SlotDelete, LaterSlotsMoveUpAndTheLastBecomesEmpty) {
    settings::SettingsModel set = sampleSet(0);
    const auto& before = GetParam().before;
    for (std::size_t i = 0; i < before.size(); ++i) {
        set.L[i] = {"ﾌｧｲﾙ", before[i], "C:\\i\\" + std::to_string(i + 1) + ".ico",
                    "C:\\p\\" + std::to_string(i + 1)};
    }
    store(set, 1);
    startOpen();
    open();
    clickSlot(GetParam().selected);
    press("Command12");
    EXPECT_EQ(names(), named(GetParam().after));
    EXPECT_TRUE(sim.dialogs.messages.empty());
    EXPECT_EQ(slotField(17, 'P'), "");
    EXPECT_EQ(win().image("IL17").picture(), nullptr);
    // The editors show what moved into the selected slot.
    const int k = GetParam().selected;
    EXPECT_EQ(win().selectedItem(), std::to_string(k));
    EXPECT_EQ(win().textBox("LN").text(), slotField(k, 'N'));
    EXPECT_EQ(win().textBox("LP").text(), slotField(k, 'P'));
    EXPECT_FALSE(saved());
}

std::vector<std::string> numbered(int from, int to) {
    std::vector<std::string> v;
    for (int n = from; n <= to; ++n) {
        v.push_back("n" + std::to_string(n));
    }
    return v;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SlotDelete,
    ::testing::Values(
        DeleteCase{{"n1", "n2", "n3", "n4", "n5"}, 3, {"n1", "n2", "n4", "n5"}},
        DeleteCase{numbered(1, 17), 17, numbered(1, 16)},
        DeleteCase{numbered(1, 17), 16,
                   [] {
                       auto v = numbered(1, 15);
                       v.push_back("n17");
                       return v;
                   }()},
        DeleteCase{numbered(1, 17), 1, numbered(2, 17)},
        // Slot 4 has a path but no name: the step that empties it is overwritten by the next.
        DeleteCase{{"n1", "n2", "n3", "", "n5", "n6"}, 2, {"n1", "n3", "", "n5", "n6"}}));

TEST_F(SlotEditor, DeletingMovesPathsAndPicturesWithTheNames) {
    startWith(5);
    clickSlot(2);
    press("Command12");
    EXPECT_EQ(slotField(2, 'P'), "C:\\docs\\3.txt");
    EXPECT_EQ(pictureSource(win().image("IL2")), "C:\\icons\\3.ico");
    EXPECT_EQ(win().image("IL5").picture(), nullptr);
    EXPECT_EQ(win().image("IL5").borderStyle(), 1);
    // Nothing is deleted while no slot is selected.
    click("ImgMD");
    press("Command12");
    EXPECT_EQ(slotField(2, 'N'), "リンク3");
}

struct InsertCase {
    int selected;
    bool slot17HasPath;
    MessageAnswer answer;
    bool asked;
    bool inserted;
};

class SlotInsert : public SlotEditor, public ::testing::WithParamInterface<InsertCase> {};

TEST_P(SlotInsert, MovesLaterSlotsDownAfterAskingForSlot17) {
    const auto& c = GetParam();
    settings::SettingsModel set = sampleSet(c.slot17HasPath ? 17 : 16);
    store(set, 1);
    startOpen();
    open();
    const auto before = names();
    clickSlot(c.selected);
    sim.dialogs.answers.push_back(c.answer);
    press("cmdItmIn");

    EXPECT_EQ(sim.dialogs.messages.size(), c.asked ? 1U : 0U);
    if (c.asked) {
        EXPECT_EQ(sim.dialogs.messages[0].text,
                  "リンク１７の設定が削除されます。\rよろしいですか？");
        EXPECT_EQ(sim.dialogs.messages[0].buttons, MessageButtons::YesNo);
    }
    if (!c.inserted) {
        EXPECT_EQ(names(), before);
        EXPECT_TRUE(saved());
        return;
    }
    auto expected = before;
    expected.insert(expected.begin() + (c.selected - 1), "");
    expected.resize(settings::kSlotCount);
    EXPECT_EQ(names(), expected);
    for (char kind : {'T', 'I', 'P'}) {
        EXPECT_EQ(slotField(c.selected, kind), "") << kind;
    }
    // The empty slot stays selected, with empty editors.
    EXPECT_EQ(win().selectedItem(), std::to_string(c.selected));
    EXPECT_EQ(win().textBox("LN").text(), "");
    EXPECT_EQ(win().textBox("LP").text(), "");
    EXPECT_EQ(field("LT"), "");
    EXPECT_EQ(field("txtDIn"), "");
    // Inserting at an empty slot 17 changes nothing, and so leaves the window saved.
    EXPECT_EQ(saved(), expected == before);
}

INSTANTIATE_TEST_SUITE_P(Cases, SlotInsert,
                         ::testing::Values(InsertCase{1, false, MessageAnswer::Yes, false, true},
                                           InsertCase{1, true, MessageAnswer::No, true, false},
                                           InsertCase{1, true, MessageAnswer::Yes, true, true},
                                           InsertCase{9, false, MessageAnswer::No, false, true},
                                           InsertCase{16, true, MessageAnswer::Yes, true, true},
                                           InsertCase{17, false, MessageAnswer::No, false, true},
                                           InsertCase{17, true, MessageAnswer::Yes, true, true},
                                           InsertCase{17, true, MessageAnswer::No, true, false}));

TEST_F(SlotEditor, InsertingMovesEveryFieldOfTheSlots) {
    startWith(3);
    clickSlot(2);
    press("cmdItmIn");
    EXPECT_EQ(slotField(3, 'P'), "C:\\docs\\2.txt");
    EXPECT_EQ(slotField(3, 'I'), "C:\\icons\\2.ico");
    EXPECT_EQ(slotField(3, 'T'), "ﾌｧｲﾙ");
    EXPECT_EQ(slotField(4, 'N'), "リンク3");
    EXPECT_EQ(pictureSource(win().image("IL4")), "C:\\icons\\3.ico");
    EXPECT_EQ(win().image("IL2").picture(), nullptr);
}

}  // namespace
}  // namespace quorvel::testing
