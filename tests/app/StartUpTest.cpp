#include <algorithm>

#include "support/ProgramFolder.h"
#include "ui/Window.h"

namespace {

using Names = std::vector<Text>;

Names Sorted(Names n)
{
    std::sort(n.begin(), n.end());
    return n;
}

class StartUpTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        MakeLibrary();
        MakeFile("Mod资源文件\\工业2.jar");
        MakeFile("Mod资源文件\\NEI.jar");
    }
};

TEST_F(StartUpTest, FirstStartWithoutSettings)
{
    ASSERT_TRUE(CreateMainWindow());
    EXPECT_EQ(WindowWidth(), 588);
    EXPECT_EQ(WindowHeight(), 552);
    EXPECT_TRUE(IsControlDisabled(分组框2));
    EXPECT_FALSE(FakeControlUsable(按钮8));
    EXPECT_TRUE(IsControlDisabled(按钮8));
    EXPECT_EQ(ListItemCount(资源库列表框), 0) << "the library is not listed without a game root";
    EXPECT_EQ(ListItemCount(已有Mod列表框), 0);
    EXPECT_EQ(ControlText(标签1), "请先设置....");
    EXPECT_EQ(ControlText(标签2), "请先设置....");
    EXPECT_EQ(AppState.LibraryModsDir, program + "\\Mod资源文件");
    EXPECT_EQ(AppState.LibraryConfigDir, program + "\\Mod配置文件");
    EXPECT_EQ(AppState.LibraryNotesDir, program + "\\Mod注释文件");
    EXPECT_FALSE(SettingsExist()) << "nothing writes settings at start-up";
    EXPECT_TRUE(FakeControlUsable(按钮1));
    EXPECT_TRUE(FakeControlUsable(按钮9));
    EXPECT_TRUE(FakeControlUsable(按钮14));
    EXPECT_TRUE(FakeControlUsable(超级链接框1));
}

TEST_F(StartUpTest, ConfirmedRootFillsTheWindow)
{
    const Text root = MakeGame("游戏");
    MakeFile("游戏\\.minecraft\\mods\\a.jar");
    MakeFile("游戏\\.minecraft\\mods\\hidden.zip");
    MakeFolder("游戏\\.minecraft\\mods\\subfolder");
    ASSERT_TRUE(SandboxSetAttributes(At("游戏\\.minecraft\\mods\\hidden.zip"), kAttrHidden | kAttrSystem));
    WriteSettings("[目录设置]\r\n游戏根目录=" + root + "\r\n");

    ASSERT_TRUE(CreateMainWindow());
    EXPECT_EQ(WindowWidth(), 588);
    EXPECT_FALSE(IsControlDisabled(分组框2));
    EXPECT_TRUE(FakeControlUsable(按钮8));
    EXPECT_EQ(ControlText(标签1), root);
    EXPECT_EQ(ControlText(标签2), "") << "a missing launch key reads as empty";
    EXPECT_EQ(Sorted(Items(资源库列表框)), (Names{"NEI.jar", "工业2.jar"}));
    EXPECT_EQ(Sorted(Items(已有Mod列表框)), (Names{"a.jar", "hidden.zip"}));
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_EQ(AppState.GameRoot, root);
    EXPECT_EQ(AppState.GameModsDir, root + "\\.minecraft\\mods");
    EXPECT_EQ(AppState.GameConfigDir, root + "\\.minecraft\\config");
    EXPECT_EQ(LinkTarget(超级链接框1), root);
    EXPECT_EQ(LinkTarget(超级链接框2), root + "\\.minecraft\\config");
    EXPECT_EQ(LinkTarget(超级链接框3), root + "\\.minecraft\\mods");
    EXPECT_FALSE(FakeListRedrawOff(资源库列表框));
    EXPECT_TRUE(SettingsExist());
}

TEST_F(StartUpTest, PlaceholderLaunchProgramStillEnablesStart)
{
    const Text root = MakeGame("mc");
    WriteSettings("[目录设置]\r\n游戏根目录=" + root + "\r\n游戏启动文件路径=请先设置....\r\n");
    ASSERT_TRUE(CreateMainWindow());
    EXPECT_EQ(ControlText(标签2), "请先设置....");
    EXPECT_EQ(AppState.LaunchFile, "请先设置....");
    EXPECT_TRUE(FakeControlUsable(按钮8));
}

TEST_F(StartUpTest, RejectedRootDeletesTheSettingsFile)
{
    MakeGame("mc");
    MakeFile("afile");
    const struct {
        const char* why;
        Text root;
    } cases[] = {
        {"only the launch key", ""},
        {"a folder that is gone", At("gone")},
        {"other letter case in the last component", At("MC")},
        {"a drive root", "C:\\"},
        {"a file", At("afile")},
    };
    for (const auto& c : cases) {
        Text settings = "[目录设置]\r\n";
        if (!c.root.empty())
            settings += "游戏根目录=" + c.root + "\r\n";
        WriteSettings(settings + "游戏启动文件路径=C:\\launcher.exe\r\n");
        ASSERT_TRUE(CreateMainWindow());
        EXPECT_FALSE(SettingsExist()) << c.why;
        EXPECT_TRUE(IsControlDisabled(分组框2)) << c.why;
        EXPECT_EQ(ControlText(标签1), "请先设置....") << c.why;
        EXPECT_EQ(ListItemCount(资源库列表框), 0) << c.why;
        EXPECT_TRUE(IsControlDisabled(按钮8)) << c.why;
        EXPECT_EQ(AppState.GameRoot, c.root) << c.why << ": the value just read stays";
        EXPECT_EQ(AppState.LaunchFile, "C:\\launcher.exe") << c.why;
    }
}

TEST_F(StartUpTest, RootRejectedOnALaterRunLeavesWhatTheEarlierRunSet)
{
    const Text root = MakeGame("mc");
    WriteSettings("[目录设置]\r\n游戏根目录=" + root + "\r\n");
    ASSERT_TRUE(CreateMainWindow());
    ASSERT_EQ(ListItemCount(资源库列表框), 2);
    SetWindowWidth(931);

    WriteSettings("[目录设置]\r\n游戏根目录=" + At("elsewhere") + "\r\n");
    InitialiseFromSettings();
    EXPECT_EQ(WindowWidth(), 588) << "narrowed on every run";
    EXPECT_FALSE(SettingsExist());
    EXPECT_TRUE(IsControlDisabled(分组框2));
    EXPECT_EQ(LinkTarget(超级链接框3), root + "\\.minecraft\\mods");
    EXPECT_EQ(AppState.GameModsDir, root + "\\.minecraft\\mods");
    EXPECT_EQ(ControlText(标签1), root);
    EXPECT_EQ(ListItemCount(资源库列表框), 2) << "the lists are not refilled";
    EXPECT_FALSE(IsControlDisabled(按钮8)) << "its own flag stays; the panel disables it";
    EXPECT_FALSE(FakeControlUsable(按钮8));
}

TEST_F(StartUpTest, SettingsThatCannotBeDeletedAreReadAgainNextTime)
{
    if (!SandboxFaultsSupported())
        GTEST_SKIP() << "needs fault injection";
    WriteSettings("[目录设置]\r\n游戏根目录=" + At("gone") + "\r\n");
    SandboxFailOperation("RemoveFile", At("配置.ini"));
    ASSERT_TRUE(CreateMainWindow());
    EXPECT_TRUE(SettingsExist());
    EXPECT_TRUE(IsControlDisabled(分组框2));
    EXPECT_TRUE(FakeBoxes().empty()) << "nothing is reported";
}

TEST_F(StartUpTest, SetPanelEnabledKnowsOnlyTheModPanel)
{
    SetPanelEnabled(kModPanelCode, 0);
    EXPECT_TRUE(IsControlDisabled(分组框2));
    SetPanelEnabled(kModPanelCode, 2);
    EXPECT_TRUE(IsControlDisabled(分组框2)) << "only exactly 1 enables";
    SetPanelEnabled(7, 1);
    EXPECT_TRUE(IsControlDisabled(分组框2));
    SetPanelEnabled(kModPanelCode, 1);
    EXPECT_FALSE(IsControlDisabled(分组框2));
}

TEST_F(StartUpTest, StartUpRunsTheWindowAndReleasesTheRecordsAtTheEnd)
{
    AppState.GameRoot = "left over";
    EXPECT_EQ(StartUp(), 0);
    EXPECT_EQ(AppState.GameRoot, "");
    EXPECT_EQ(AppState.LibraryModsDir, "") << "released by the exit hook after the loop";
    EXPECT_EQ(PendingAddition.PendingModFile, "");
}

}  // namespace
