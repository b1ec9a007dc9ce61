#include <gtest/gtest.h>

#include "platform/Text.h"

// The build must turn source literals into GBK bytes: every text the program
// shows or stores depends on it.
TEST(Charset, ChineseLiteralsAreGbkBytes)
{
    EXPECT_EQ(Text("配置.ini"), Text("\xC5\xE4\xD6\xC3.ini"));
    EXPECT_EQ(Text("Mod资源文件"), Text("Mod\xD7\xCA\xD4\xB4\xCE\xC4\xBC\xFE"));
    EXPECT_EQ(Text("："), Text("\xA3\xBA"));
}

TEST(Gbk, WellFormedness)
{
    const struct {
        Text text;
        bool wellFormed;
    } cases[] = {
        {"", true},
        {"plain ascii", true},
        {"游戏根目录", true},
        {"\x80", true},                 // the euro sign of code page 936
        {"\xD5\x5C", true},             // trail byte with the value of "\"
        {"\xB0", false},                // lead byte at the very end
        {"ab\xB0", false},
        {"\xB0\x20", false},            // a blank is no trail byte
        {"\x81\x30", false},            // nor is a digit
        {"\xFF", false},
        {Text("a\0b", 3), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsWellFormedGbk(c.text), c.wellFormed) << testing::PrintToString(c.text);
}

TEST(Gbk, LastSeparatorSkipsTrailBytes)
{
    const struct {
        Text text;
        int index;
    } cases[] = {
        {"", -1},
        {"name", -1},
        {"C:\\", 2},
        {"C:\\a\\b", 4},
        {"a\\\\", 2},
        {"C:\\\xD5\x5C", 2},            // the last 0x5C belongs to a character
        {"C:\\\xD5\x5C\\x", 5},
        {"\\\xB0", 0},                   // a lead byte at the end ends the walk
        {Text("a\\b\0\\c", 6), 1},       // text ends at its first zero byte
    };
    for (const auto& c : cases)
        EXPECT_EQ(LastSeparatorIndex(c.text), c.index) << testing::PrintToString(c.text);
}
