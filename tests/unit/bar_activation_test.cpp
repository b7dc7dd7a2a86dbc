#include <gtest/gtest.h>

#include <string>

#include "bar/command_line.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

class BarActivation : public BarFixture {
protected:
    // Slot 1 holds a link of the given type and target (set in memory, as the settings
    // window leaves them, so the words are compared exactly as given); the rest as usual.
    void startWithLink(const std::string& type, const std::string& target) {
        store(sampleSet(3), 1);
        startOpen();
        model().L[0].T = type;
        model().L[0].P = target;
        sim.log.clear();
    }
    void clickSlot(int n) { userClick(dock(), {settings::slotLeft(n) + 10, 200}); }
};

struct TypeCase {
    const char* type;
    bool opensThroughTheShell;
};

class LinkTypes : public BarActivation, public ::testing::WithParamInterface<TypeCase> {};

TEST_P(LinkTypes, OnlyTheThreeShellWordsOpenTheTarget) {
    startWithLink(GetParam().type, "C:\\docs\\報告書.txt");
    clickSlot(1);
    EXPECT_EQ(model().Text1, "L1");  // it flashes whatever the type
    if (GetParam().opensThroughTheShell) {
        ASSERT_EQ(sim.shell.executed.size(), 1U);
        const platform::ShellRequest& r = sim.shell.executed[0];
        EXPECT_EQ(r.owner, &dock());
        EXPECT_EQ(r.verb, "");
        EXPECT_EQ(r.file, "C:\\docs\\報告書.txt");
        EXPECT_EQ(r.parameters, "");
        EXPECT_EQ(r.directory, "C:\\docs\\報告書.txt");
        EXPECT_EQ(r.show, 1);
    } else {
        EXPECT_TRUE(sim.shell.executed.empty());
    }
    EXPECT_TRUE(sim.shell.started.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Words, LinkTypes,
    ::testing::Values(TypeCase{"ﾌｧｲﾙ", true}, TypeCase{"ﾌｫﾙﾀﾞ", true}, TypeCase{"ﾎｰﾑﾍﾟｰｼﾞ", true},
                      // full-width katakana, trailing blanks, empty
                      TypeCase{"ファイル", false}, TypeCase{"アプリケーション", false},
                      TypeCase{"ﾌｧｲﾙ ", false}, TypeCase{"", false}, TypeCase{"file", false}));

TEST_F(BarActivation, TrailingBlanksOfTheStoredTypeAreTrimmedByTheLoad) {
    // The settings file pads every field to its width; the load trims them again.
    store(sampleSet(3), 1);
    startOpen();
    clickSlot(2);
    ASSERT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_EQ(sim.shell.executed[0].file, "C:\\docs\\2.txt");
}

TEST_F(BarActivation, AnApplicationRunsAsACommandLineOfProgramAndArguments) {
    sim.shell.programs = {{"C:\\Tools\\conv.exe", "C:\\Tools\\conv.exe"}};
    startWithLink("ｱﾌﾟﾘｹｰｼｮﾝ", "C:\\Tools\\conv.exe -o 出力.txt \"入 力.txt\"");
    clickSlot(1);
    ASSERT_EQ(sim.shell.started.size(), 1U);
    EXPECT_EQ(sim.shell.started[0].program, "C:\\Tools\\conv.exe");
    EXPECT_EQ(sim.shell.started[0].arguments, "-o 出力.txt \"入 力.txt\"");
    EXPECT_TRUE(sim.shell.executed.empty());
}

// "C:\Program Files\App\app.exe -x" must never start a "C:\Program.exe" that happens to exist.
TEST_F(BarActivation, AnUnquotedPathWithBlanksStartsExactlyTheFileItNames) {
    sim.shell.programs = {{"C:\\Program", "C:\\Program.exe"},
                          {"C:\\Program Files\\App\\app.exe", "C:\\Program Files\\App\\app.exe"}};
    startWithLink("ｱﾌﾟﾘｹｰｼｮﾝ", "C:\\Program Files\\App\\app.exe -x");
    clickSlot(1);
    ASSERT_EQ(sim.shell.started.size(), 1U);
    EXPECT_EQ(sim.shell.started[0].program, "C:\\Program Files\\App\\app.exe");
    EXPECT_EQ(sim.shell.started[0].arguments, "-x");
}

TEST_F(BarActivation, AProgramThatCannotBeFoundStartsNothingAndSaysNothing) {
    startWithLink("ｱﾌﾟﾘｹｰｼｮﾝ", "C:\\gone\\app.exe");
    clickSlot(1);
    EXPECT_TRUE(sim.shell.started.empty());
    EXPECT_TRUE(sim.dialogs.messages.empty());
    // The flash runs to its end all the same.
    sim.clock.advance(2400);
    EXPECT_EQ(model().txtCount, "6");
}

TEST_F(BarActivation, AFailedLaunchSaysNothing) {
    sim.shell.failing = {"C:\\docs\\gone.txt"};
    startWithLink("ﾌｧｲﾙ", "C:\\docs\\gone.txt");
    clickSlot(1);
    EXPECT_EQ(sim.shell.executed.size(), 1U);
    EXPECT_TRUE(sim.dialogs.messages.empty());
}

TEST_F(BarActivation, MyComputerAndMyDocumentsOpenTheirFolders) {
    sim.identity.documents = "C:\\Users\\太郎\\Documents";
    startWithLink("ﾌｧｲﾙ", "C:\\docs\\a.txt");
    userClick(dock(), {400, 200});
    userClick(dock(), {1000, 200});
    ASSERT_EQ(sim.shell.executed.size(), 2U);
    EXPECT_EQ(sim.shell.executed[0].file, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(sim.shell.executed[0].directory, "::{20D04FE0-3AEA-1069-A2D8-08002B30309D}");
    EXPECT_EQ(sim.shell.executed[0].owner, &dock());
    EXPECT_EQ(sim.shell.executed[1].file, "C:\\Users\\太郎\\Documents");
    EXPECT_EQ(sim.shell.executed[1].directory, "C:\\Users\\太郎\\Documents");
    EXPECT_EQ(model().Text1, "MDD");
}

TEST_F(BarActivation, APressWithoutReleaseOnTheSameItemOpensNothing) {
    startWithLink("ﾌｧｲﾙ", "C:\\docs\\a.txt");
    sim.dispatch([&] { dock().mouseDown(forms::MouseButton::Left, {2300, 200}); });
    sim.dispatch([&] { dock().mouseUp(forms::MouseButton::Left, {2900, 200}); });
    EXPECT_TRUE(sim.shell.executed.empty());
}

// A double-click acts once on every item, whether the item acts on the click (a link), on the
// press (the Recycle Bin) or swaps itself for its twin under the pointer (the taskbar buttons).
// A late second click (here when the flash shows the item again) acts again.
struct Clicks {
    const char* name;
    int count;
    std::uint64_t gapMs;
    std::size_t actions;
};

class BarClicks : public BarActivation, public ::testing::WithParamInterface<Clicks> {};

TEST_P(BarClicks, AQuickRunOfClicksOnAnItemActsOnce) {
    const Clicks& c = GetParam();
    sim.shell.programs = {{"notepad.exe", "C:\\Windows\\notepad.exe"}};
    startWithLink("ｱﾌﾟﾘｹｰｼｮﾝ", "notepad.exe");
    userClicks(dock(), {settings::slotLeft(1) + 100, 300}, c.count, c.gapMs);
    EXPECT_EQ(sim.shell.started.size(), c.actions);
    userClicks(dock(), {1700, 300}, c.count, c.gapMs);
    EXPECT_EQ(sim.shell.executed.size(), c.actions) << "the Recycle Bin opened";
    userClicks(dock(), {150, 450}, c.count, c.gapMs);
    EXPECT_EQ(model().TaskB, c.actions % 2 == 1 ? "非表示" : "表示");
    EXPECT_EQ(sim.screen.taskbarVisible, c.actions % 2 == 0);
}

INSTANTIATE_TEST_SUITE_P(Runs, BarClicks,
                         ::testing::Values(Clicks{"Double", 2, 150, 1}, Clicks{"Triple", 3, 200, 1},
                                           Clicks{"SecondOneLate", 2, 900, 2}),
                         [](const auto& p) { return std::string(p.param.name); });

// --- the split itself -------------------------------------------------------------------

struct SplitCase {
    const char* text;
    const char* program;  // null: nothing to start
    const char* arguments;
};

class CommandLineSplit : public ::testing::TestWithParam<SplitCase> {};

TEST_P(CommandLineSplit, TakesTheLongestPartThatNamesAProgram) {
    const auto find = [](const std::string& name) -> std::optional<std::string> {
        for (const char* existing :
             {"notepad.exe", "C:\\Program", "C:\\Program Files\\App\\app.exe", "cmd",
              "C:\\My Tools\\run me.exe"}) {
            if (name == existing) {
                return "found:" + name;
            }
        }
        return std::nullopt;
    };
    const auto split = bar::splitCommandLine(GetParam().text, find);
    if (GetParam().program == nullptr) {
        EXPECT_FALSE(split.has_value()) << split->program;
        return;
    }
    ASSERT_TRUE(split.has_value());
    EXPECT_EQ(split->program, std::string("found:") + GetParam().program);
    EXPECT_EQ(split->arguments, GetParam().arguments);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CommandLineSplit,
    ::testing::Values(
        SplitCase{"notepad.exe", "notepad.exe", ""},
        SplitCase{"notepad.exe C:\\a b.txt", "notepad.exe", "C:\\a b.txt"},
        SplitCase{"C:\\Program Files\\App\\app.exe -x", "C:\\Program Files\\App\\app.exe", "-x"},
        SplitCase{"C:\\Program Files\\Other\\x.exe", "C:\\Program", "Files\\Other\\x.exe"},
        SplitCase{"\"C:\\My Tools\\run me.exe\" -a  -b", "C:\\My Tools\\run me.exe", "-a  -b"},
        SplitCase{"  cmd   /c dir", "cmd", "/c dir"},
        SplitCase{"\"C:\\My Tools\\run me.exe", "C:\\My Tools\\run me.exe", ""},
        SplitCase{"\"C:\\Program\" Files\\App\\app.exe", "C:\\Program", "Files\\App\\app.exe"},
        SplitCase{"\"\"", nullptr, ""}, SplitCase{"", nullptr, ""}, SplitCase{"   ", nullptr, ""},
        SplitCase{"missing.exe -x", nullptr, ""}));

}  // namespace
}  // namespace quorvel::testing
