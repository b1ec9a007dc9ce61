#include "support/LibraryFixture.h"

namespace {

class NotesTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        MakeMod("noted.jar", true, true, "第一行\r\n第二行");
        MakeMod("bare.jar", false, false);
        MakeMod("zero.jar", false, true, Text("before\0after", 12));
        MakeMod("empty.jar", false, true, "");
        Start();
    }
};

TEST_F(NotesTest, SelectingAModLoadsItsNameAndNote)
{
    ControlDisabled(按钮11, true);
    Select("noted.jar");
    EXPECT_EQ(ControlText(编辑框1), "noted.jar");
    EXPECT_EQ(ControlText(编辑框2), "第一行\r\n第二行");
    EXPECT_FALSE(IsControlDisabled(按钮11));

    Select("bare.jar");
    EXPECT_EQ(ControlText(编辑框2), NOTE_TEMPLATE);
    EXPECT_FALSE(Exists("Mod注释文件\\bare.jar.txt")) << "selecting writes nothing";

    Select("zero.jar");
    EXPECT_EQ(ControlText(编辑框2), "before") << "a note ends at its first zero byte";
}

TEST_F(NotesTest, ShowingANote)
{
    const struct {
        Text mod, text, title;
    } cases[] = {
        {"noted.jar", "第一行\r\n第二行", "说明"},
        {"zero.jar", "before", "说明"},
        {"empty.jar", "", "说明"},
        {"bare.jar", "该模块目前没有注释！", "错误"},
    };
    for (const auto& c : cases) {
        Select(c.mod);
        SetControlText(编辑框2, "unsaved");
        FakeQueueAnswer(kAnswerOk);
        FakeClick(按钮6);
        EXPECT_EQ(FakeBoxes().back().text, c.text) << c.mod << ": the file as saved, not the editor";
        EXPECT_EQ(FakeBoxes().back().title, c.title) << c.mod;
        EXPECT_EQ(FakeBoxes().back().kind, kBoxOk);
    }
    RefreshModLists();
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮6);
    EXPECT_EQ(FakeBoxes().back().text, "请先选择Mod文件") << "a refresh clears the selection";
    EXPECT_EQ(FakeBoxes().back().title, "错误");
}

TEST_F(NotesTest, SavingWritesTheEditorIntoTheSelectedModsNote)
{
    Select("bare.jar");
    SetControlText(编辑框1, "other name");
    FakeUserTypes(编辑框2, "新的注释\r\n");
    FakeClick(按钮16);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\bare.jar.txt")), "新的注释\r\n") << "named after the list item";
    FakeUserTypes(编辑框2, "");
    FakeClick(按钮16);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\bare.jar.txt")), "");
    EXPECT_TRUE(FakeBoxes().empty());

    RefreshModLists();
    FakeUserTypes(编辑框2, "after refresh");
    FakeClick(按钮16);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\bare.jar.txt")), "") << "nothing selected: nothing written";
}

TEST_F(NotesTest, ANoteThatCannotBeSavedIsReportedAndKept)
{
    Select("noted.jar");
    ASSERT_TRUE(SandboxSetAttributes(At("Mod注释文件\\noted.jar.txt"), kAttrReadOnly));
    FakeUserTypes(编辑框2, "my careful words");
    FakeQueueAnswer(kAnswerOk);
    FakeClick(按钮16);
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_EQ(ControlText(编辑框2), "my careful words");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\noted.jar.txt")), "第一行\r\n第二行");
}

TEST_F(NotesTest, ResetRestoresThePanel)
{
    Select("noted.jar");
    ControlDisabled(按钮11, true);
    FakeClick(按钮17);
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_EQ(ControlText(编辑框2), NOTE_TEMPLATE);
    EXPECT_EQ(ControlText(编辑框1), " 请先选择Mod...");
    EXPECT_FALSE(IsControlDisabled(按钮11));
}

}  // namespace
