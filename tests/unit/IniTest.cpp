#include <gtest/gtest.h>

#include "platform/Ini.h"

namespace {

const Text kSection = "目录设置";
const Text kRoot = "游戏根目录";
const Text kLaunch = "游戏启动文件路径";

}  // namespace

TEST(IniLookUp, ReadsAsTheProfileFunctionsDo)
{
    const Text file = "; hand-written\r\n"
                      "[other]\r\n"
                      "游戏根目录=wrong\r\n"
                      "  [ 目录设置 ]  \r\n"
                      "\r\n"
                      "  游戏根目录 =  D:\\Games\\MC  \r\n"
                      "GAMEKEY=\"quoted\"\r\n"
                      "single='x'\n"
                      "half=\"open\r"
                      "empty=\r\n"
                      "游戏根目录=second\r\n";
    const struct {
        Text section, key, value;
    } cases[] = {
        {kSection, kRoot, "D:\\Games\\MC"},   // first match, blanks trimmed
        {"other", kRoot, "wrong"},
        {"OTHER", kRoot, "wrong"},              // ASCII case folds
        {kSection, "gamekey", "quoted"},        // one pair of quotes dropped
        {kSection, "single", "x"},
        {kSection, "half", "\"open"},
        {kSection, "empty", ""},
        {kSection, kLaunch, ""},                // missing key
        {"missing", kRoot, ""},                 // missing section
    };
    for (const auto& c : cases)
        EXPECT_EQ(IniLookUp(file, c.section, c.key), c.value) << c.section << "/" << c.key;
}

TEST(IniLookUp, FoldsOnlySingleByteLetters)
{
    // 0xB0 0x41 and 0xB0 0x61 are two different characters: their trail
    // bytes must not fold like letters.
    const Text file = "[s]\r\n\xB0\x41=one\r\n";
    EXPECT_EQ(IniLookUp(file, "s", "\xB0\x41"), "one");
    EXPECT_EQ(IniLookUp(file, "s", "\xB0\x61"), "");
}

TEST(IniLookUp, CutsLongValuesBetweenCharacters)
{
    const Text ascii(20000, 'a');
    EXPECT_EQ(IniLookUp("[s]\r\nk=" + ascii + "\r\n", "s", "k").size(), kIniValueLimit);

    // 10239 is odd: a run of double-byte characters is cut before the
    // character that would straddle the limit.
    Text chinese;
    for (int i = 0; i < 6000; ++i)
        chinese += "游";
    const Text value = IniLookUp("[s]\r\nk=" + chinese + "\r\n", "s", "k");
    EXPECT_EQ(value.size(), kIniValueLimit - 1);
    EXPECT_EQ(value.substr(0, 2), "游");
}

TEST(IniLookUp, ValueEndsAtZeroByteAndBomIsSkipped)
{
    EXPECT_EQ(IniLookUp(Text("[s]\r\nk=ab\0cd\r\n", 14), "s", "k"), "ab");
    EXPECT_EQ(IniLookUp("\xEF\xBB\xBF[s]\r\nk=v\r\n", "s", "k"), "v");
}

TEST(IniAssign, WritesTheLayoutOfANewFile)
{
    Text file;
    ASSERT_TRUE(IniAssign(file, kSection, kRoot, "D:\\MC"));
    ASSERT_TRUE(IniAssign(file, kSection, kLaunch, "请先设置...."));
    EXPECT_EQ(file, "[目录设置]\r\n游戏根目录=D:\\MC\r\n游戏启动文件路径=请先设置....\r\n");

    ASSERT_TRUE(IniAssign(file, kSection, kRoot, "E:\\新"));
    EXPECT_EQ(file, "[目录设置]\r\n游戏根目录=E:\\新\r\n游戏启动文件路径=请先设置....\r\n");
}

TEST(IniAssign, KeepsEveryOtherLineOfAHandEditedFile)
{
    const struct {
        const char* name;
        Text before, section, key, value, after;
    } cases[] = {
        {"update in place, other case",
         "; mine\r\n[目录设置]\r\nKEY = old \r\nnext=1\r\n", kSection, "key", "new",
         "; mine\r\n[目录设置]\r\nkey=new\r\nnext=1\r\n"},
        {"append before the blank line that ends the section",
         "[目录设置]\r\na=1\r\n\r\n[other]\r\nb=2\r\n", kSection, "c", "3",
         "[目录设置]\r\na=1\r\nc=3\r\n\r\n[other]\r\nb=2\r\n"},
        {"append after a last line without a break",
         "[s]\r\na=1", "s", "b", "2", "[s]\r\na=1\r\nb=2\r\n"},
        {"new section after other content",
         "[other]\nx=1", kSection, kRoot, "v", "[other]\nx=1\r\n\r\n[目录设置]\r\n游戏根目录=v\r\n"},
        {"update a last line without a break",
         "[s]\r\na=1", "s", "a", "2", "[s]\r\na=2"},
    };
    for (const auto& c : cases) {
        Text file = c.before;
        EXPECT_TRUE(IniAssign(file, c.section, c.key, c.value)) << c.name;
        EXPECT_EQ(file, c.after) << c.name;
    }
}

TEST(IniAssign, RefusesWhatCannotStandOnOneLine)
{
    const struct {
        Text section, key, value;
    } cases[] = {
        {"", "k", "v"},
        {"s", "", "v"},
        {"s", "k", "two\r\nlines"},
        {"s", "k", "cr\ronly"},
        {"s", "k=x", "v"},
        {"s]", "k", "v"},
        {"s", "k", Text("a\0b", 3)},
    };
    for (const auto& c : cases) {
        Text file = "[s]\r\nk=old\r\n";
        EXPECT_FALSE(IniAssign(file, c.section, c.key, c.value)) << testing::PrintToString(c.value);
        EXPECT_EQ(file, "[s]\r\nk=old\r\n");
    }
}

TEST(IniAssign, ReadsBackWhatItWrote)
{
    Text file = "[s]\r\n";
    ASSERT_TRUE(IniAssign(file, "s", "path", "C:\\Program Files\\游戏\\启动器.exe"));
    EXPECT_EQ(IniLookUp(file, "s", "path"), "C:\\Program Files\\游戏\\启动器.exe");
}
