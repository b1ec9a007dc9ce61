#include "support/LibraryFixture.h"

namespace {

TEST(NoteTemplate, IsTheFortyEightBytes)
{
    const unsigned char bytes[] = {0x4D, 0x6F, 0x64, 0xC3, 0xFB, 0xB3, 0xC6, 0xA3, 0xBA, 0x0D, 0x0A, 0x0D,
                                   0x0A, 0xD6, 0xF7, 0xD2, 0xAA, 0xB9, 0xA6, 0xC4, 0xDC, 0xA3, 0xBA, 0x0D,
                                   0x0A, 0x0D, 0x0A, 0xCC, 0xED, 0xBC, 0xD3, 0xCA, 0xB1, 0xBC, 0xE4, 0xA3,
                                   0xBA, 0x0D, 0x0A, 0x0D, 0x0A, 0x42, 0x75, 0x67, 0xA3, 0xBA, 0x0D, 0x0A};
    EXPECT_EQ(Text(NOTE_TEMPLATE), Text(reinterpret_cast<const char*>(bytes), sizeof bytes));
    // The edit boxes' design text is another, 47-byte text.
    EXPECT_EQ(Text(ControlInfo(编辑框3).text).size(), 47u);
    EXPECT_NE(Text(ControlInfo(编辑框3).text), Text(NOTE_TEMPLATE));
    EXPECT_EQ(Text(ControlInfo(编辑框2).text), Text(ControlInfo(编辑框3).text));
}

class CheckLibraryTest : public LibraryTest {};

TEST_F(CheckLibraryTest, GivesEveryListedModItsMissingPieces)
{
    MakeMod("bare.jar", false, false);
    MakeMod("full.jar", true, true, "");
    MakeMod("noted.jar", false, true, "mine");
    MakeFile("Mod配置文件\\blocked.jar", "a file in the way");
    MakeMod("blocked.jar", false, false);
    Start();
    MakeMod("late.jar", false, false);  // after the last refresh: not covered

    FakeClick(按钮10);
    EXPECT_EQ(GetAttributes(At("Mod配置文件\\bare.jar")), kAttrFolder);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\bare.jar.txt")), NOTE_TEMPLATE);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\full.jar.txt")), "") << "an empty note stays";
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\noted.jar.txt")), "mine");
    EXPECT_EQ(GetAttributes(At("Mod配置文件\\noted.jar")), kAttrFolder);
    EXPECT_EQ(ReadWholeFile(At("Mod配置文件\\blocked.jar")), "a file in the way");
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\blocked.jar.txt")), NOTE_TEMPLATE);
    EXPECT_FALSE(Exists("Mod配置文件\\late.jar"));
    EXPECT_FALSE(Exists("Mod注释文件\\late.jar.txt"));
    ASSERT_EQ(FakeNotices().size(), 4u) << "once per listed mod";
    for (const FakeNotice& n : FakeNotices())
        EXPECT_EQ(n.text, "进度已完成");

    FakeClick(按钮10);
    EXPECT_EQ(ReadWholeFile(At("Mod注释文件\\bare.jar.txt")), NOTE_TEMPLATE) << "a second run changes nothing";
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(CheckLibraryTest, AnEmptyLibraryDoesNothing)
{
    Start();
    FakeClick(按钮10);
    EXPECT_TRUE(FakeNotices().empty());
}

}  // namespace
