#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "found.h"
#include "sim_bar_fixture.h"

namespace quorvel::testing {
namespace {

using platform::sim::FileOp;
using platform::sim::ProgramEnded;

class BarStartup : public BarFixture {};

TEST_F(BarStartup, AsksTheSystemInOrderAndFillsTheRunTimeFields) {
    start();
    const auto& log = sim.log;
    std::vector<std::string> steps = {"claimInstance",
                                      "formCreated Dock",
                                      "userName",
                                      "documentsFolder",
                                      "currentDirectory",
                                      "directoryExists " + usrData,
                                      "createDirectory " + usrData,
                                      "taskbarRect",
                                      "ensureFile " + setsPath,
                                      "formCreated frmBTN",
                                      "formCreated LnkName"};
    std::size_t at = 0;
    for (const auto& step : steps) {
        auto found = log.find(step, at);
        ASSERT_TRUE(found.has_value()) << step << " missing or out of order";
        at = *found + 1;
    }
    EXPECT_EQ(model().txtUsr, "taro");
    EXPECT_EQ(model().txtMDPth, "C:\\Users\\taro\\Documents");
    EXPECT_EQ(model().txtCDir, "C:\\w");
    EXPECT_EQ(model().BarSize, "450");  // 30 pixels
    EXPECT_TRUE(dock().timer("tmeRBin").running());
    EXPECT_EQ(dock().timer("tmeRBin").interval(), 100U);
    EXPECT_TRUE(image("RBED").visible());
    EXPECT_FALSE(image("RBFD").visible());
    EXPECT_FALSE(image("ImgRBinFll").visible());
}

TEST_F(BarStartup, SecondInstanceOnlySaysSoAndEnds) {
    sim.instance.otherInstanceRunning = true;
    EXPECT_THROW(start(), ProgramEnded);
    EXPECT_EQ(sim.log.entries(),
              (std::vector<std::string>{"claimInstance", "messageBox 既に起動されています。",
                                        "exitNow"}));
    EXPECT_EQ(sim.windows.creations("Dock"), 0);
}

TEST_F(BarStartup, WithoutAUserNameTheBarStaysASliverAndReadsNothing) {
    sim.identity.user.reset();
    start();
    sim.clock.advance(settle);
    EXPECT_EQ(dock().width(), 2);
    EXPECT_EQ(dock().height(), 735);
    EXPECT_EQ(dock().top(), 15360 / 995);
    EXPECT_EQ(dock().left(), 19200 / 9);
    EXPECT_FALSE(sim.log.contains("currentDirectory"));
    EXPECT_FALSE(sim.log.contains("ensureFile"));
    EXPECT_FALSE(sim.log.contains("readAt"));
    EXPECT_EQ(sim.windows.creations("frmBTN"), 0);
}

TEST_F(BarStartup, BarSizeStaysEmptyWhenTheShellDoesNotAnswer) {
    sim.screen.rect.reset();
    startOpen();
    EXPECT_EQ(model().BarSize, "");
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 2280);
}

TEST_F(BarStartup, FirstStartOpensAnEmptyBarCentredWithDefaultNames) {
    startOpen();
    ASSERT_TRUE(sim.disk.fileBytes(setsPath).has_value());
    EXPECT_EQ(sim.disk.fileBytes(setsPath)->size(), 0U);
    EXPECT_FALSE(sim.disk.fileExists(dockPath));
    EXPECT_EQ(model().LN[0], "ランチャー1");
    EXPECT_EQ(model().LN[3], "ランチャー4");
    EXPECT_EQ(model().txtRun, "");
    EXPECT_EQ(model().FWdth, "2280");
    EXPECT_EQ(dock().left(), 19200 / 2 - 1140);
    EXPECT_EQ(dock().width(), 2280);
    EXPECT_TRUE(dock().topmost());
    EXPECT_EQ(image("FBKD").bounds(), (forms::Rect{0, 0, 2280, 735}));
    EXPECT_EQ(pos(image("MCD").bounds()), pos(image("ImgMC").bounds()));
    EXPECT_EQ(pos(image("DivD").bounds()), pos(image("Divid1").bounds()));
    EXPECT_EQ(panel().left(), dock().left() - 225);
    EXPECT_EQ(panel().top(), dock().top() + 50);
    EXPECT_FALSE(sim.log.contains("loadPicture"));
}

TEST_F(BarStartup, AFolderThatCannotBeCreatedIsReportedAndTheBarStillOpens) {
    sim.files.failures[FileOp::CreateDirectory] = {5, "アクセスが拒否されました。"};
    EXPECT_NO_THROW(startOpen());
    // Said once: the settings files that cannot be made in the missing folder are the same
    // trouble, not a second one.
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.dialogs.messages[0].text,
              "設定フォルダーを作成できませんでした。\rアクセスが拒否されました。");
    EXPECT_TRUE(dock().visible());
    EXPECT_EQ(dock().width(), 2280);
    restart();
    EXPECT_EQ(sim.dialogs.messages.size(), 1U);
}

TEST_F(BarStartup, UnreadableSetsFileIsReportedAndDefaultsApply) {
    store(sampleSet(3), 1);
    sim.files.failures[FileOp::ReadAt] = {32, "共有違反です。"};
    EXPECT_NO_THROW(startOpen());
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_TRUE(sim.dialogs.messages[0].text.starts_with("設定ファイルを読み込めませんでした。\r"));
    EXPECT_EQ(model().L[0].P, "");
    EXPECT_EQ(dock().width(), 2280);
}

TEST_F(BarStartup, QuitRestoresAHiddenTaskbarBeforeEndingWithoutSaving) {
    auto set = sampleSet(2);
    set.TaskB = "非表示";
    store(set, 1);
    startOpen();
    ASSERT_FALSE(sim.screen.taskbarVisible);
    const int writes = sim.disk.replaceCount();
    EXPECT_THROW(dock().cndEnd(), ProgramEnded);
    EXPECT_TRUE(sim.screen.taskbarVisible);
    EXPECT_LT(entryAt(sim.log, "showWindow taskbar Normal", sim.log.entries().size() - 3),
              entryAt(sim.log, "exitNow"));
    EXPECT_EQ(sim.disk.replaceCount(), writes);
}

TEST_F(BarStartup, UnloadRestoresTheTaskbar) {
    auto set = sampleSet(2);
    set.TaskB = "非表示";
    store(set, 1);
    startOpen();
    ASSERT_FALSE(sim.screen.taskbarVisible);
    program->unload();
    EXPECT_TRUE(sim.screen.taskbarVisible);
}

TEST_F(BarStartup, AFailedSaveIsReportedAndTheSettingsStayInMemory) {
    startOpen();
    model().L[0] = {"ﾌｧｲﾙ", "メモ", "", "C:\\memo.txt"};
    sim.files.failures[FileOp::ReplaceFile] = {112, "ディスクに十分な空き領域がありません。"};
    dock().cmdDsSave();
    ASSERT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_TRUE(sim.dialogs.messages[0].text.starts_with("設定ファイルを保存できませんでした。\r"));
    // One headline, not the bar's and the file store's both.
    const std::string& text = sim.dialogs.messages[0].text;
    EXPECT_EQ(text.find("できませんでした。", text.find("できませんでした。") + 1),
              std::string::npos);
    EXPECT_NE(sim.dialogs.messages[0].text.find("ディスクに十分な空き領域がありません。"),
              std::string::npos);
    EXPECT_EQ(model().L[0].P, "C:\\memo.txt");

    // Once the disk has room again the same settings reach it.
    sim.files.failures.clear();
    dock().cmdDsSave();
    EXPECT_EQ(sim.dialogs.messages.size(), 1U);
    EXPECT_EQ(sim.disk.fileBytes(setsPath)->size(), settings::kSetRecordLength);
    EXPECT_TRUE(sim.disk.fileExists(dockPath));
}

TEST_F(BarStartup, RestartRecreatesThePanelAndDropsTheOldOneAfterTheEvent) {
    startOpen();
    windows::FrmBtn* before = &panel();
    dock().cmdReStart();
    EXPECT_EQ(sim.windows.creations("frmBTN"), 2);
    EXPECT_FALSE(before->visible());
    EXPECT_FALSE(before->timer("Timer1").running());
    program->afterEvent();
    EXPECT_EQ(sim.windows.live("frmBTN"), &panel());
    EXPECT_NE(&panel(), before);
}

TEST_F(BarStartup, OnlyANonEmptyRestartRequestRestarts) {
    startOpen();
    dock().textField("txtSvSw").setText("1");
    EXPECT_EQ(sim.windows.creations("frmBTN"), 2);
    dock().textField("txtSvSw").setText("");
    EXPECT_EQ(sim.windows.creations("frmBTN"), 2);
}

}  // namespace
}  // namespace quorvel::testing
