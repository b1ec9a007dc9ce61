#include "support/ProgramFolder.h"

namespace {

class InstallTest : public ProgramFolderTest {
protected:
    Text game;

    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        MakeLibrary();
        MakeFile("Mod资源文件\\工业2.jar", "ic2");
        MakeFile("Mod资源文件\\plain.jar", "plain");
        MakeFolder("Mod配置文件\\工业2.jar");
        MakeFile("Mod配置文件\\工业2.jar\\IC2.cfg", "new");
        MakeFolder("Mod配置文件\\工业2.jar\\sub");
        MakeFile("Mod配置文件\\工业2.jar\\sub\\deep.cfg", "deep");
        game = MakeGame("game");
        WriteSettings("[目录设置]\r\n游戏根目录=" + game + "\r\n");
        ASSERT_TRUE(CreateMainWindow());
    }
    static void Select(const Text& name) { ProgramFolderTest::Select(资源库列表框, name); }
    Text LastNotice() const { return FakeNotices().empty() ? Text() : FakeNotices().back().text; }
};

TEST_F(InstallTest, InstallsTheFileAndMergesItsConfiguration)
{
    MakeFile("game\\.minecraft\\config\\IC2.cfg", "old");
    MakeFile("game\\.minecraft\\config\\other.cfg", "other");
    Select("工业2.jar");
    EXPECT_TRUE(FakeClick(按钮3));
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\mods\\工业2.jar")), "ic2");
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\config\\IC2.cfg")), "new");
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\config\\sub\\deep.cfg")), "deep");
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\config\\other.cfg")), "other");
    EXPECT_EQ(GetAttributes(At("game\\.minecraft\\config\\工业2.jar")), -1) << "no folder named after the mod";
    EXPECT_EQ(LastNotice(), "添加Mod文件及其配置成功！");
    EXPECT_EQ(Items(已有Mod列表框), (std::vector<Text>{"工业2.jar"}));
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_GT(FakeProcessEventsCalls(), 0) << "the configuration copy lets the window repaint";
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(InstallTest, AModWithoutConfigurationSaysSo)
{
    MakeFile("Mod配置文件\\plain.jar", "a file is no configuration folder");
    Select("plain.jar");
    FakeClick(按钮3);
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\mods\\plain.jar")), "plain");
    EXPECT_EQ(LastNotice(), "添加Mod文件成功，配置文件因不存在添加失败！");
}

TEST_F(InstallTest, AnEmptyConfigurationFolderStillCounts)
{
    MakeFolder("Mod配置文件\\plain.jar");
    Select("plain.jar");
    FakeClick(按钮3);
    EXPECT_EQ(LastNotice(), "添加Mod文件及其配置成功！");
}

TEST_F(InstallTest, NothingSelectedMakesTheGameFoldersThenComplains)
{
    RemoveDirectory(At("game\\.minecraft\\mods"));
    RemoveDirectory(At("game\\.minecraft\\config"));
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮3);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "请先选择Mod文件");
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_EQ(GetAttributes(At("game\\.minecraft\\mods")), kAttrFolder);
    EXPECT_EQ(GetAttributes(At("game\\.minecraft\\config")), kAttrFolder);
    EXPECT_TRUE(FakeNotices().empty());
}

TEST_F(InstallTest, AModThatCannotBeCopiedIsReportedNotPraised)
{
    // The game is gone: no mods folder can be made one level below it.
    RemoveDirectory(At("game\\.minecraft"));
    Select("工业2.jar");
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮3);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "添加Mod文件失败！");
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_TRUE(FakeNotices().empty());
    EXPECT_EQ(ListItemCount(已有Mod列表框), 0);
}

TEST_F(InstallTest, AModInUseByTheGameIsReported)
{
    MakeFile("game\\.minecraft\\mods\\工业2.jar", "running");
    ASSERT_TRUE(SandboxHoldOpen(At("game\\.minecraft\\mods\\工业2.jar")));
    InitialiseFromSettings();
    Select("工业2.jar");
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮3);
    SandboxRelease(At("game\\.minecraft\\mods\\工业2.jar"));
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "添加Mod文件失败！");
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\mods\\工业2.jar")), "running");
    EXPECT_EQ(GetAttributes(At("game\\.minecraft\\config\\IC2.cfg")), -1) << "no configuration for a mod not installed";
}

TEST_F(InstallTest, AConfigurationThatFailsPartWayIsReported)
{
    MakeFile("game\\.minecraft\\config\\IC2.cfg", "old");
    ASSERT_TRUE(SandboxHoldOpen(At("game\\.minecraft\\config\\IC2.cfg")));
    Select("工业2.jar");
    FakeClick(按钮3);
    SandboxRelease(At("game\\.minecraft\\config\\IC2.cfg"));
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\mods\\工业2.jar")), "ic2");
    EXPECT_EQ(LastNotice(), "Mod文件已添加，配置文件复制失败！");
}

void ClickClearConfig() { FakeClick(按钮5); }

TEST_F(InstallTest, NoOtherHandlerRunsInsideTheConfigurationCopy)
{
    MakeFile("game\\.minecraft\\config\\keep.cfg", "keep");
    FakeOnProcessEvents(ClickClearConfig);
    Select("工业2.jar");
    FakeClick(按钮3);
    FakeOnProcessEvents(nullptr);
    EXPECT_TRUE(FakeBoxes().empty()) << "the clear question never came up";
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\config\\keep.cfg")), "keep");
    EXPECT_EQ(LastNotice(), "添加Mod文件及其配置成功！");
}

TEST_F(InstallTest, InstallingAgainReplacesTheGameFile)
{
    Select("plain.jar");
    FakeClick(按钮3);
    MakeFile("Mod资源文件\\plain.jar", "v2");
    Select("plain.jar");
    FakeClick(按钮3);
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\mods\\plain.jar")), "v2");
}

}  // namespace
