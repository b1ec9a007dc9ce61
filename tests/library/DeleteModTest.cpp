#include "support/LibraryFixture.h"

namespace {

const Text kTitle = "警告，删除后将无法恢复！";

class DeleteModTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        MakeMod("工业.jar", true, true);
        MakeFolder("Mod配置文件\\工业.jar\\deep");
        MakeFile("Mod配置文件\\工业.jar\\deep\\d.cfg");
        MakeMod("bare.jar", false, false);
        Start();
    }
};

TEST_F(DeleteModTest, AsksThenRemovesAllThreePieces)
{
    Select("工业.jar");
    FakeQueueAnswer(kAnswerNo);
    FakeClick(按钮18);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "是否删除 工业.jar Mod文件及其他信息？");
    EXPECT_EQ(FakeBoxes()[0].title, kTitle);
    EXPECT_EQ(FakeBoxes()[0].kind, kBoxYesNo);
    EXPECT_TRUE(Exists("Mod资源文件\\工业.jar")) << "No deletes nothing";
    EXPECT_NE(ListSelection(资源库列表框), -1) << "and keeps the selection";
    EXPECT_TRUE(FakeNotices().empty());

    FakeQueueAnswer(kAnswerYes);
    FakeClick(按钮18);
    EXPECT_FALSE(Exists("Mod资源文件\\工业.jar"));
    EXPECT_FALSE(Exists("Mod注释文件\\工业.jar.txt"));
    EXPECT_FALSE(Exists("Mod配置文件\\工业.jar"));
    EXPECT_EQ(IndexOf("工业.jar"), -1);
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_EQ(ControlText(编辑框1), " 请先选择Mod...");
    EXPECT_EQ(ControlText(编辑框2), NOTE_TEMPLATE);
    EXPECT_EQ(LastNotice(), "删除成功！");
}

TEST_F(DeleteModTest, AModWithoutPiecesGoesQuietly)
{
    Select("bare.jar");
    FakeQueueAnswer(kAnswerYes);
    FakeClick(按钮18);
    EXPECT_FALSE(Exists("Mod资源文件\\bare.jar"));
    EXPECT_EQ(LastNotice(), "删除成功！");
}

TEST_F(DeleteModTest, NothingSelectedOnlySaysSo)
{
    FakeClick(按钮18);
    EXPECT_EQ(LastNotice(), "请先选择资源库里的Mod文件");
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(DeleteModTest, AModThatCannotBeRemovedKeepsEverything)
{
    const struct {
        const char* why;
        bool readOnly;
    } cases[] = {{"in use", false}, {"read-only", true}};
    for (const auto& c : cases) {
        if (c.readOnly)
            ASSERT_TRUE(SandboxSetAttributes(At("Mod资源文件\\工业.jar"), kAttrReadOnly));
        else
            ASSERT_TRUE(SandboxHoldOpen(At("Mod资源文件\\工业.jar")));
        Select("工业.jar");
        FakeQueueAnswer(kAnswerYes);
        FakeQueueAnswer(kAnswerOk);
        FakeClick(按钮18);
        SandboxRelease(At("Mod资源文件\\工业.jar"));
        SandboxSetAttributes(At("Mod资源文件\\工业.jar"), kAttrArchive);
        EXPECT_EQ(FakeBoxes().back().title, "错误") << c.why;
        EXPECT_TRUE(Exists("Mod资源文件\\工业.jar")) << c.why;
        EXPECT_TRUE(Exists("Mod注释文件\\工业.jar.txt")) << c.why;
        EXPECT_TRUE(Exists("Mod配置文件\\工业.jar\\deep\\d.cfg")) << c.why;
        EXPECT_NE(IndexOf("工业.jar"), -1) << c.why;
        EXPECT_NE(LastNotice(), "删除成功！") << c.why;
    }
}

TEST_F(DeleteModTest, AModFileGoneMeanwhileStillTakesItsPieces)
{
    Select("工业.jar");
    ASSERT_TRUE(RemoveFile(At("Mod资源文件\\工业.jar")));
    FakeQueueAnswer(kAnswerYes);
    FakeClick(按钮18);
    EXPECT_FALSE(Exists("Mod注释文件\\工业.jar.txt"));
    EXPECT_FALSE(Exists("Mod配置文件\\工业.jar"));
    EXPECT_EQ(LastNotice(), "删除成功！");
}

}  // namespace
