#include "support/ProgramFolder.h"

namespace {

const Text kWarning = "警告,文件删除后无法恢复！";

class RemoveGameFilesTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        MakeLibrary();
        MakeFile("Mod资源文件\\lib.jar");
        MakeGame("game");
        MakeFile("game\\.minecraft\\mods\\a.jar", "a");
        MakeFile("game\\.minecraft\\mods\\b 空格.jar", "b");
        MakeFolder("game\\.minecraft\\mods\\sub");
        MakeFile("game\\.minecraft\\mods\\sub\\inner.jar");
        MakeFile("game\\.minecraft\\config\\a.cfg");
        MakeFolder("game\\.minecraft\\config\\deep");
        MakeFile("game\\.minecraft\\config\\deep\\d.cfg");
        WriteSettings("[目录设置]\r\n游戏根目录=" + At("game") + "\r\n");
        ASSERT_TRUE(CreateMainWindow());
    }
    static int IndexOf(const Text& name) { return ProgramFolderTest::IndexOf(已有Mod列表框, name); }
};

TEST_F(RemoveGameFilesTest, DeleteAsksWithTheNameBetweenTwoSpaces)
{
    ASSERT_TRUE(FakeUserSelect(已有Mod列表框, IndexOf("b 空格.jar")));
    FakeQueueAnswer(kAnswerCancel);
    FakeClick(按钮2);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "是否删除 b 空格.jar 文件");
    EXPECT_EQ(FakeBoxes()[0].title, kWarning);
    EXPECT_EQ(FakeBoxes()[0].kind, kBoxOkCancel);
    EXPECT_EQ(ReadWholeFile(At("game\\.minecraft\\mods\\b 空格.jar")), "b") << "Cancel deletes nothing";
    EXPECT_EQ(ListSelection(已有Mod列表框), IndexOf("b 空格.jar")) << "and refreshes nothing";

    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮2);
    EXPECT_EQ(GetAttributes(At("game\\.minecraft\\mods\\b 空格.jar")), -1);
    EXPECT_EQ(IndexOf("b 空格.jar"), -1);
    EXPECT_EQ(ListSelection(已有Mod列表框), -1);
    EXPECT_TRUE(FakeNotices().empty());
}

TEST_F(RemoveGameFilesTest, DeleteWithNothingSelectedAsksNothing)
{
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮2);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "请先选择游戏内的Mod文件");
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_EQ(FakeBoxes()[0].kind, kBoxOk);
}

TEST_F(RemoveGameFilesTest, AModDeletedMeanwhileDropsFromTheList)
{
    ASSERT_TRUE(FakeUserSelect(已有Mod列表框, IndexOf("a.jar")));
    ASSERT_TRUE(RemoveFile(At("game\\.minecraft\\mods\\a.jar")));
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮2);
    EXPECT_EQ(FakeBoxes().size(), 1u) << "the failed removal is silent";
    EXPECT_EQ(IndexOf("a.jar"), -1);
}

TEST_F(RemoveGameFilesTest, ClearingAsksFirstAndMakesTheFolderAgain)
{
    const struct {
        ControlId button;
        Text question, folder;
        bool refreshes;
    } cases[] = {
        {按钮5, "是否清空游戏所有的配置文件？", "game\\.minecraft\\config", false},
        {按钮4, "是否清空游戏内所有的Mod文件？", "game\\.minecraft\\mods", true},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(FakeUserSelect(已有Mod列表框, IndexOf("a.jar")));
        const std::size_t boxes = FakeBoxes().size();
        FakeQueueAnswer(kAnswerCancel);
        FakeClick(c.button);
        ASSERT_EQ(FakeBoxes().size(), boxes + 1);
        EXPECT_EQ(FakeBoxes().back().text, c.question);
        EXPECT_EQ(FakeBoxes().back().title, kWarning);
        EXPECT_EQ(FakeBoxes().back().kind, kBoxOkCancel);
        SearchState state;
        EXPECT_NE(FindFirst(state, At(c.folder + "\\*.*"), kFilterFileBits), "") << "Cancel keeps everything";

        FakeQueueAnswer(kAnswerOk);
        FakeClick(c.button);
        EXPECT_EQ(GetAttributes(At(c.folder)), kAttrFolder) << c.question;
        EXPECT_EQ(FindFirst(state, At(c.folder + "\\*"), kFilterFileBits | kFilterFolders), ".") << "empty again";
        EXPECT_EQ(FindNext(state, kFilterFileBits | kFilterFolders), "..");
        EXPECT_EQ(FindNext(state, kFilterFileBits | kFilterFolders), "");
        if (c.refreshes) {
            EXPECT_EQ(ListItemCount(已有Mod列表框), 0);
            EXPECT_EQ(ListItemCount(资源库列表框), 1);
        } else {
            EXPECT_EQ(ListSelection(已有Mod列表框), IndexOf("a.jar")) << "nothing refreshed";
        }
    }
    EXPECT_TRUE(FakeNotices().empty());
}

TEST_F(RemoveGameFilesTest, ClearingAMissingModsFolderMakesIt)
{
    ASSERT_TRUE(RemoveDirectory(At("game\\.minecraft\\mods")));
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮4);
    EXPECT_EQ(GetAttributes(At("game\\.minecraft\\mods")), kAttrFolder);
}

TEST_F(RemoveGameFilesTest, AModInUseStaysAndTheRestGoes)
{
    ASSERT_TRUE(SandboxHoldOpen(At("game\\.minecraft\\mods\\a.jar")));
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮4);
    SandboxRelease(At("game\\.minecraft\\mods\\a.jar"));
    EXPECT_EQ(Items(已有Mod列表框), (std::vector<Text>{"a.jar"}));
    EXPECT_EQ(FakeBoxes().size(), 1u) << "nothing is reported";
}

}  // namespace
