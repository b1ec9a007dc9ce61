#include "support/ProgramFolder.h"

namespace {

class GameRootTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        MakeLibrary();
        MakeFile("Mod资源文件\\a.jar");
        ASSERT_TRUE(CreateMainWindow());
    }
    Text Settings() const { return ReadWholeFile(At("配置.ini")); }
};

TEST_F(GameRootTest, AnAcceptedRootIsStoredAndSetsTheWindowUp)
{
    const Text root = MakeGame("我的世界");
    MakeFile("我的世界\\.minecraft\\mods\\m.jar");
    SetWindowWidth(931);
    FakeQueueFolder(root);
    EXPECT_TRUE(FakeClick(按钮1));
    EXPECT_EQ(FakeFolderPrompts(), (std::vector<Text>{"请选择MC根目录"}));
    EXPECT_TRUE(FakeBoxes().empty());
    EXPECT_EQ(Settings(), "[目录设置]\r\n游戏根目录=" + root + "\r\n游戏启动文件路径=请先设置....\r\n");
    EXPECT_EQ(AppState.GameRoot, root);
    EXPECT_EQ(AppState.GameModsDir, root + "\\.minecraft\\mods");
    EXPECT_EQ(ControlText(标签1), root);
    EXPECT_EQ(ControlText(标签2), "请先设置....");
    EXPECT_EQ(WindowWidth(), 588);
    EXPECT_FALSE(IsControlDisabled(分组框2));
    EXPECT_TRUE(FakeControlUsable(按钮8));
    EXPECT_EQ(Items(资源库列表框), (std::vector<Text>{"a.jar"}));
    EXPECT_EQ(Items(已有Mod列表框), (std::vector<Text>{"m.jar"}));
}

TEST_F(GameRootTest, TheSameRootAgainResetsTheLaunchProgram)
{
    const Text root = MakeGame("mc");
    WriteSettings("[目录设置]\r\n游戏根目录=" + root + "\r\n游戏启动文件路径=C:\\launcher.exe\r\n");
    InitialiseFromSettings();
    ASSERT_EQ(ControlText(标签2), "C:\\launcher.exe");
    FakeQueueFolder(root);
    FakeClick(按钮1);
    EXPECT_EQ(ReadIniValue(At("配置.ini"), "目录设置", "游戏启动文件路径"), "请先设置....");
    EXPECT_EQ(ControlText(标签2), "请先设置....");
    EXPECT_EQ(AppState.LaunchFile, "请先设置....");
    EXPECT_TRUE(FakeControlUsable(按钮8));
}

TEST_F(GameRootTest, ARootWithoutMinecraftIsRejectedWithItsBox)
{
    MakeFolder("not a game");
    const Text root = MakeGame("mc");
    WriteSettings("[目录设置]\r\n游戏根目录=" + root + "\r\n");
    InitialiseFromSettings();
    const Text before = Settings();
    for (const Text& chosen : {At("not a game"), Text()}) {
        FakeQueueFolder(chosen);
        FakeQueueAnswer(kAnswerOk);
        FakeClick(按钮1);
        ASSERT_FALSE(FakeBoxes().empty());
        EXPECT_EQ(FakeBoxes().back().text, "目录不正确，请重新选择");
        EXPECT_EQ(FakeBoxes().back().title, "错误");
        EXPECT_EQ(FakeBoxes().back().kind, kBoxOk);
        EXPECT_EQ(ControlText(标签1), chosen) << "the label shows the rejected choice";
        EXPECT_EQ(AppState.GameRoot, root);
        EXPECT_EQ(Settings(), before);
        EXPECT_FALSE(IsControlDisabled(分组框2)) << "the panel keeps working on the old root";
    }
}

TEST_F(GameRootTest, MinecraftAsAFilePassesTheCheck)
{
    MakeFolder("odd");
    MakeFile("odd\\.minecraft");
    FakeQueueFolder(At("odd"));
    FakeClick(按钮1);
    EXPECT_TRUE(FakeBoxes().empty()) << ".minecraft may be a file";
    EXPECT_EQ(AppState.GameRoot, At("odd"));
    EXPECT_FALSE(IsControlDisabled(分组框2));
}

TEST_F(GameRootTest, ARootEndingInASeparatorIsUsedAsReturned)
{
    // The picker gives a drive root with its "\"; the paths are joined
    // as they are, with two separators in a row.
    MakeGame("mc");
    FakeQueueFolder(At("mc\\"));
    FakeClick(按钮1);
    EXPECT_TRUE(FakeBoxes().empty());
    EXPECT_EQ(ReadIniValue(At("配置.ini"), "目录设置", "游戏根目录"), At("mc\\"));
    EXPECT_EQ(AppState.GameModsDir, At("mc\\") + "\\.minecraft\\mods");
}

TEST_F(GameRootTest, AnEmptyRootThatPassesIsStoredThenRejected)
{
    // Cancelling the picker gives empty text; when the current drive's root
    // holds .minecraft the check passes, and the settings then reject it.
    if (!SandboxFaultsSupported())
        GTEST_SKIP() << "needs a drive root of the test's own";
    ASSERT_TRUE(MakeDirectory("\\.minecraft"));
    FakeQueueFolder("");
    FakeClick(按钮1);
    RemoveDirectory("\\.minecraft");
    EXPECT_TRUE(FakeBoxes().empty());
    EXPECT_FALSE(SettingsExist());
    EXPECT_TRUE(IsControlDisabled(分组框2));
    EXPECT_TRUE(IsControlDisabled(按钮8));
}

TEST_F(GameRootTest, UnwritableSettingsFallBackToWhatTheFileHolds)
{
    if (!SandboxFaultsSupported())
        GTEST_SKIP() << "needs fault injection";
    const Text old = MakeGame("old");
    const Text chosen = MakeGame("new");
    WriteSettings("[目录设置]\r\n游戏根目录=" + old + "\r\n");
    InitialiseFromSettings();
    SandboxFailOperation("WriteWholeFile", At("配置.ini"));
    FakeQueueFolder(chosen);
    FakeClick(按钮1);
    EXPECT_EQ(AppState.GameRoot, old) << "the window returns to the stored root";
    EXPECT_EQ(ControlText(标签1), old);
}

}  // namespace
