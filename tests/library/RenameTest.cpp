#include "support/LibraryFixture.h"

namespace {

class RenameTest : public LibraryTest {
protected:
    void SetUp() override
    {
        LibraryTest::SetUp();
        MakeMod("工业.jar", true, true, "ic2 note");
        MakeMod("other.jar", true, false);
        MakeMod("bare.jar", false, false);
        Start();
    }
    void RenameTo(const Text& selected, const Text& newName)
    {
        Select(selected);
        FakeUserTypes(编辑框1, newName);
        FakeClick(按钮11);
    }
    bool HasPieces(const Text& name, bool config, bool note) const
    {
        return Exists("Mod资源文件\\" + name) && Exists("Mod配置文件\\" + name) == config &&
               Exists("Mod注释文件\\" + name + ".txt") == note;
    }
};

TEST_F(RenameTest, AllThreePiecesFollowTheNewName)
{
    RenameTo("工业.jar", "工业时代2");
    EXPECT_TRUE(HasPieces("工业时代2", true, true)) << "no extension is added";
    EXPECT_FALSE(Exists("Mod资源文件\\工业.jar"));
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\工业时代2.txt")), "ic2 note");
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\工业时代2\\c.cfg")), "cfg 工业.jar");
    EXPECT_EQ(ControlText(编辑框1), " 请先选择Mod...");
    EXPECT_NE(IndexOf("工业时代2"), -1);
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_TRUE(IsControlDisabled(按钮11));
    EXPECT_TRUE(FakeBoxes().empty());
    EXPECT_TRUE(FakeNotices().empty());
}

TEST_F(RenameTest, AModWithoutPiecesAndACaseOnlyChange)
{
    RenameTo("bare.jar", "Bare.JAR");
    EXPECT_NE(IndexOf("Bare.JAR"), -1) << "other letter case is no duplicate";
    EXPECT_EQ(IndexOf("bare.jar"), -1);
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(RenameTest, NothingSelectedOrEmptyNameOnlyDisablesTheButton)
{
    FakeUserTypes(编辑框1, "x.jar");
    FakeClick(按钮11);
    EXPECT_TRUE(IsControlDisabled(按钮11));
    FakeClick(按钮17);
    RenameTo("bare.jar", "");
    EXPECT_TRUE(IsControlDisabled(按钮11));
    EXPECT_TRUE(HasPieces("bare.jar", false, false));
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(RenameTest, TheUnchangedNameAsksAndChangesNothing)
{
    FakeQueueAnswer(kAnswerNo);
    RenameTo("工业.jar", "工业.jar");
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "检查出现相同名称，是否覆盖？");
    EXPECT_EQ(FakeBoxes()[0].title, "警示！");
    EXPECT_EQ(FakeBoxes()[0].kind, kBoxYesNo);
    EXPECT_EQ(LastNotice(), "请更改其他名称！");
    EXPECT_EQ(ControlText(编辑框1), "工业.jar");

    FakeQueueAnswer(kAnswerYes);
    RenameTo("工业.jar", "工业.jar");
    EXPECT_EQ(FakeBoxes().size(), 2u) << "silent after Yes";
    EXPECT_TRUE(HasPieces("工业.jar", true, true));
    EXPECT_EQ(ControlText(编辑框1), " 请先选择Mod...");
    EXPECT_TRUE(IsControlDisabled(按钮11));
}

TEST_F(RenameTest, YesOnAnotherModsNameMovesNoPiece)
{
    FakeQueueAnswer(kAnswerYes);
    FakeQueueAnswer(kAnswerOk);
    RenameTo("工业.jar", "other.jar");
    ASSERT_EQ(FakeBoxes().size(), 2u);
    EXPECT_EQ(FakeBoxes()[1].title, "错误");
    EXPECT_TRUE(HasPieces("工业.jar", true, true)) << "the note did not move onto the other mod";
    EXPECT_TRUE(HasPieces("other.jar", true, false));
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\other.jar")), "mod other.jar");
    EXPECT_TRUE(IsControlDisabled(按钮11));
}

TEST_F(RenameTest, APieceThatCannotFollowPutsTheOthersBack)
{
    // A stray note already holds the new name: the file and the folder move,
    // the note cannot, so both move back.
    MakeFile("Mod注释文件\\taken.jar.txt", "stray");
    FakeQueueAnswer(kAnswerOk);
    RenameTo("工业.jar", "taken.jar");
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_TRUE(HasPieces("工业.jar", true, true));
    EXPECT_FALSE(Exists("Mod资源文件\\taken.jar"));
    EXPECT_FALSE(Exists("Mod配置文件\\taken.jar"));
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\taken.jar.txt")), "stray");
}

TEST_F(RenameTest, AModInUseIsNotRenamed)
{
    ASSERT_TRUE(SandboxHoldOpen(At("Mod资源文件\\工业.jar")));
    FakeQueueAnswer(kAnswerOk);
    RenameTo("工业.jar", "new.jar");
    SandboxRelease(At("Mod资源文件\\工业.jar"));
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].title, "错误");
    EXPECT_TRUE(HasPieces("工业.jar", true, true));
    EXPECT_FALSE(Exists("Mod配置文件\\new.jar"));
}

TEST_F(RenameTest, ANameThatIsNoSingleFileNameIsRefused)
{
    for (const Text& name : {Text("..\\..\\x"), Text("a/b"), Text("con.jar"), Text("x.")}) {
        FakeQueueAnswer(kAnswerOk);
        RenameTo("工业.jar", name);
        EXPECT_EQ(FakeBoxes().back().title, "错误") << name;
        EXPECT_TRUE(HasPieces("工业.jar", true, true)) << name;
        EXPECT_TRUE(IsControlDisabled(按钮11));
    }
    EXPECT_FALSE(Exists("x"));
    EXPECT_FALSE(Exists("..\\x"));
}

TEST(IsUsableFileName, RefusesWhatWindowsWouldNotTakeAsOneName)
{
    const struct {
        Text name;
        bool usable;
    } cases[] = {
        {"a.jar", true},
        {"工业时代2.jar", true},
        {"Mod Name 1.7.10.jar", true},
        {"NEI-1.0.5.120-universal.JAR", true},
        {".hidden", true},
        {" leading space", true},
        {"CONSOLE.jar", true},
        {"COM0", true},
        {"\xD5\x5C.jar", true},   // the trail byte 0x5C is no separator
        {"\xB0\x7C", true},        // nor is 0x7C the pipe
        {"", false},
        {".", false},
        {"..", false},
        {"..\\..\\x", false},
        {"a\\b", false},
        {"a/b", false},
        {"a:b", false},
        {"a*", false},
        {"a?", false},
        {"a\"b", false},
        {"a<b", false},
        {"a>b", false},
        {"a|b", false},
        {"tab\there", false},
        {Text("nul\0byte", 8), false},
        {"trailing space ", false},
        {"trailing dot.", false},
        {"CON", false},
        {"con.jar", false},
        {"Nul.txt", false},
        {"PRN", false},
        {"aux.tar.gz", false},
        {"COM1", false},
        {"lpt9.jar", false},
        {"\xB0", false},           // a lead byte at the end
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsUsableFileName(c.name), c.usable) << testing::PrintToString(c.name);
}

}  // namespace
