#include "support/LibraryFixture.h"

namespace {

const Text kDesignText = "Mod名称： \r\n\r\n主要功能：\r\n\r\n添加时间：\r\n\r\nBug：";
const Text kQuestion = "查到资源库里有相同名称的Mod文件，是否替换？\r\n替换将会替换Mod文件及其配置！";

class AddModTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        MakeFolder("下载");
        MakeFile("下载\\新Mod.jar", "new mod");
        MakeFolder("下载\\配置");
        MakeFile("下载\\配置\\a.cfg", "a");
        MakeFolder("下载\\配置\\sub");
        MakeFile("下载\\配置\\sub\\b.cfg", "b");
    }
    void Pick(const Text& file, const Text& folder)
    {
        FakeQueueOpenFile(file);
        FakeClick(按钮12);
        if (!folder.empty()) {
            FakeQueueFolder(folder);
            FakeClick(按钮13);
        }
    }
    void ExpectPanelReset() const
    {
        EXPECT_EQ(PendingAddition.PendingModFile, "");
        EXPECT_EQ(PendingAddition.PendingConfigDir, "");
        EXPECT_EQ(ControlText(标签3), " Mod文件路径....");
        EXPECT_EQ(ControlText(标签4), " Mod配置文件的文件夹路径....");
        EXPECT_EQ(ControlText(编辑框3), NOTE_TEMPLATE);
    }
};

TEST_F(AddModTest, AddsTheFileItsConfigurationAndItsNote)
{
    Start();
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    EXPECT_EQ(ControlText(标签3), At("下载\\新Mod.jar"));
    EXPECT_EQ(ControlText(标签4), At("下载\\配置"));
    EXPECT_EQ(FakeFolderPrompts().back(), "请选择Mod的配置文件夹");
    FakeUserTypes(编辑框3, "Mod名称：新\r\n");
    FakeClick(按钮14);
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\新Mod.jar")), "new mod");
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\新Mod.jar\\a.cfg")), "a");
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\新Mod.jar\\sub\\b.cfg")), "b");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\新Mod.jar.txt")), "Mod名称：新\r\n");
    EXPECT_EQ(Items(资源库列表框), (std::vector<Text>{"新Mod.jar"}));
    ExpectPanelReset();
    EXPECT_TRUE(FakeBoxes().empty());
    EXPECT_TRUE(FakeNotices().empty()) << "no success message";
}

TEST_F(AddModTest, WithoutAFolderTheModGetsAnEmptyOneAndTheDesignTextAsNote)
{
    Start();
    Pick(At("下载\\新Mod.jar"), "");
    FakeClick(按钮14);
    EXPECT_EQ(GetAttributes(At("Mod配置文件\\新Mod.jar")), kAttrFolder);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\新Mod.jar.txt")), kDesignText) << "before the first reset";
}

TEST_F(AddModTest, NothingPickedOnlySaysSo)
{
    Start();
    FakeUserTypes(编辑框3, "kept");
    FakeClick(按钮14);
    EXPECT_EQ(LastNotice(), "请先选择要添加的新Mod文件");
    EXPECT_EQ(ControlText(编辑框3), "kept");
}

TEST_F(AddModTest, CancelledPicksShowThePlaceholderButKeepTheEarlierChoice)
{
    Start();
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    FakeQueueFolder("");
    FakeClick(按钮13);
    EXPECT_EQ(ControlText(标签4), " Mod配置文件的文件夹路径....");
    EXPECT_EQ(PendingAddition.PendingConfigDir, At("下载\\配置"));
    FakeQueueOpenFile("");
    FakeClick(按钮12);
    EXPECT_EQ(ControlText(标签3), At("下载\\新Mod.jar")) << "the dialog keeps its last confirmed name";
    FakeClick(按钮14);
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\新Mod.jar\\a.cfg")), "a") << "the earlier folder is copied";
}

TEST_F(AddModTest, ADuplicateRefusedChangesNothing)
{
    MakeMod("新Mod.jar", true, true, "old note");
    Start();
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    FakeQueueAnswer(kAnswerNo);
    FakeClick(按钮14);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, kQuestion);
    EXPECT_EQ(FakeBoxes()[0].title, "提示");
    EXPECT_EQ(FakeBoxes()[0].kind, kBoxYesNo);
    EXPECT_EQ(LastNotice(), "请先查看对照信息！");
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\新Mod.jar")), "mod 新Mod.jar");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\新Mod.jar.txt")), "old note");
    EXPECT_FALSE(Exists("Mod配置文件\\新Mod.jar\\a.cfg"));
    ExpectPanelReset();
}

TEST_F(AddModTest, ADuplicateReplacedWithAFolderMergesAndReplacesTheNote)
{
    MakeMod("新Mod.jar", true, true, "old note");
    Start();
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    FakeUserTypes(编辑框3, "new note");
    FakeQueueAnswer(kAnswerYes);
    FakeClick(按钮14);
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\新Mod.jar")), "new mod");
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\新Mod.jar\\a.cfg")), "a");
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\新Mod.jar\\c.cfg")), "cfg 新Mod.jar") << "nothing removes the old";
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\新Mod.jar.txt")), "new note");
    ExpectPanelReset();
}

TEST_F(AddModTest, ADuplicateReplacedWithoutAFolderKeepsConfigurationAndNote)
{
    MakeMod("新Mod.jar", true, true, "old note");
    Start();
    Pick(At("下载\\新Mod.jar"), "");
    FakeUserTypes(编辑框3, "dropped");
    FakeQueueAnswer(kAnswerYes);
    FakeClick(按钮14);
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\新Mod.jar")), "new mod");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\新Mod.jar.txt")), "old note");
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\新Mod.jar\\c.cfg")), "cfg 新Mod.jar");
    ExpectPanelReset();
}

TEST_F(AddModTest, TheLibraryFolderDecidesADuplicateToo)
{
    // Without a game root the list is empty, and a name in other letter case
    // names the same file: both would overwrite a mod without a question.
    MakeMod("新Mod.jar", false, true, "old note");
    MakeMod("UPPER.JAR", false, true, "upper note");
    MakeFile("下载\\upper.jar", "lower");
    RemoveFile(At("配置.ini"));
    Start();
    ASSERT_EQ(ListItemCount(资源库列表框), 0);
    for (const Text& file : {At("下载\\新Mod.jar"), At("下载\\upper.jar")}) {
        Pick(file, "");
        FakeQueueAnswer(kAnswerNo);
        FakeClick(按钮14);
        EXPECT_EQ(FakeBoxes().back().text, kQuestion) << file;
    }
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\新Mod.jar")), "mod 新Mod.jar");
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\UPPER.JAR")), "mod UPPER.JAR");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\UPPER.JAR.txt")), "upper note");
}

TEST_F(AddModTest, AModFileThatCannotBeCopiedLeavesNoPiecesAndKeepsThePicks)
{
    Start();
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    ASSERT_TRUE(RemoveFile(At("下载\\新Mod.jar")));  // gone before the click
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮14);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_FALSE(Exists("Mod资源文件\\新Mod.jar"));
    EXPECT_FALSE(Exists("Mod配置文件\\新Mod.jar"));
    EXPECT_FALSE(Exists("Mod注释文件\\新Mod.jar.txt"));
    EXPECT_EQ(PendingAddition.PendingModFile, At("下载\\新Mod.jar"));
    EXPECT_EQ(PendingAddition.PendingConfigDir, At("下载\\配置"));
    EXPECT_EQ(ControlText(标签3), At("下载\\新Mod.jar"));
}

TEST_F(AddModTest, AReplacementThatCannotBeCopiedKeepsTheOldMod)
{
    MakeMod("新Mod.jar", true, true, "old note");
    Start();
    ASSERT_TRUE(SandboxHoldOpen(At("Mod资源文件\\新Mod.jar")));
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    FakeUserTypes(编辑框3, "new note");
    FakeQueueAnswer(kAnswerYes);
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮14);
    SandboxRelease(At("Mod资源文件\\新Mod.jar"));
    ASSERT_EQ(FakeBoxes().size(), 2u);
    EXPECT_EQ(FakeBoxes()[1].title, "错误");
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\新Mod.jar")), "mod 新Mod.jar");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\新Mod.jar.txt")), "old note");
    EXPECT_FALSE(Exists("Mod配置文件\\新Mod.jar\\a.cfg"));
    EXPECT_EQ(ControlText(编辑框3), "new note") << "the picks and the note stay for another try";
}

TEST_F(AddModTest, ClearResetsThePanel)
{
    Start();
    Pick(At("下载\\新Mod.jar"), At("下载\\配置"));
    FakeUserTypes(编辑框3, "typed");
    FakeClick(按钮15);
    ExpectPanelReset();
}

}  // namespace
