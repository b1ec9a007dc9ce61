#include <algorithm>

#include "app/Common.h"
#include "support/ProgramFolder.h"
#include "ui/Window.h"

namespace {

class CommonTest : public ProgramFolderTest {};

TEST_F(CommonTest, DirectoryExistsWantsTheStoredNameOfAFolder)
{
    MakeFolder("Games");
    MakeFolder("Games\\MC");
    MakeFolder("Games\\\xD5\x5C");  // trail byte with the value of "\"
    MakeFile("Games\\file");
    const struct {
        Text path;
        bool exists;
    } cases[] = {
        {At("Games\\MC"), true},
        {At("Games\\MC\\"), true},           // one trailing "\" is dropped
        {At("Games\\MC\\\\"), false},        // then the wanted name is empty
        {At("GAMES\\MC"), true},             // the parent is a pattern: any case
        {At("Games\\mc"), false},            // the last component: stored case only
        {At("Games\\\xD5\x5C"), true},
        {At("Games\\file"), false},
        {At("Games\\missing"), false},
        {At("Games\\M?"), false},
        {"Games", true},                     // relative to the current folder
        {"", false},
        {"C:", false},
        {"C:\\", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DirectoryExists(c.path), c.exists) << testing::PrintToString(c.path);
}

TEST(FileNameOfPath, IsWhatFollowsTheLastSeparator)
{
    const struct {
        Text path, name;
    } cases[] = {
        {"C:\\mods\\a.jar", "a.jar"},
        {"a.jar", "a.jar"},
        {"C:\\mods\\", ""},
        {"", ""},
        {"C:\\模组\\\xD5\x5C.jar", "\xD5\x5C.jar"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FileNameOfPath(c.path), c.name) << c.path;
}

TEST_F(CommonTest, RefreshModListsListsFilesOnly)
{
    MakeLibrary();
    MakeFile("Mod资源文件\\b.jar");
    MakeFile("Mod资源文件\\a.litemod");
    MakeFile("Mod资源文件\\sys");
    MakeFolder("Mod资源文件\\folder");
    ASSERT_TRUE(SandboxSetAttributes(At("Mod资源文件\\sys"), kAttrSystem | kAttrHidden));
    AppState.LibraryModsDir = At("Mod资源文件");
    AppState.GameModsDir = At("no such folder");
    ListAddItem(已有Mod列表框, "stale");
    ListAddItem(资源库列表框, "stale");
    SetListSelection(资源库列表框, 0);

    RefreshModLists();
    std::vector<Text> items = Items(资源库列表框);
    std::sort(items.begin(), items.end());
    EXPECT_EQ(items, (std::vector<Text>{"a.litemod", "b.jar", "sys"}));
    EXPECT_EQ(ListItemCount(已有Mod列表框), 0) << "a missing folder leaves its list empty";
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_FALSE(FakeListRedrawOff(资源库列表框));
    EXPECT_FALSE(FakeListRedrawOff(已有Mod列表框));
}

TEST_F(CommonTest, RefreshModListsListsNothingForAnUnknownFolder)
{
    // With no game root the mods folder is empty text; it must not become
    // the pattern "\*.*" and list the current drive's root.
    MakeFile("in the current folder.jar");
    AppState.LibraryModsDir = "";
    AppState.GameModsDir = "";
    RefreshModLists();
    EXPECT_EQ(ListItemCount(资源库列表框), 0);
    EXPECT_EQ(ListItemCount(已有Mod列表框), 0);
}

TEST_F(CommonTest, ShowNoticePopsTheBalloonAtTheMouse)
{
    FakeSetMousePosition(321, 123);
    ShowNotice("进度已完成");
    ASSERT_EQ(FakeNotices().size(), 1u);
    EXPECT_EQ(FakeNotices()[0].text, "进度已完成");
    EXPECT_EQ(FakeNotices()[0].x, 321);
    EXPECT_EQ(FakeNotices()[0].y, 123);
    EXPECT_EQ(FakeNotices()[0].icon, -1);
    EXPECT_TRUE(FakeNotices()[0].autoClose);
}

}  // namespace
