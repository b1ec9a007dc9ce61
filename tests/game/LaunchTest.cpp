#include "game/RunProgram.h"
#include "support/ProgramFolder.h"

namespace {

class LaunchTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        MakeLibrary();
        WriteSettings("[目录设置]\r\n游戏根目录=" + MakeGame("game") + "\r\n游戏启动文件路径=请先设置....\r\n");
        ASSERT_TRUE(CreateMainWindow());
        MakeFolder("启动器");
        MakeFile("启动器\\HMCL.exe");
    }
};

TEST_F(LaunchTest, AChosenProgramIsShownStoredAndStartable)
{
    ControlDisabled(按钮8, true);
    FakeQueueOpenFile(At("启动器\\HMCL.exe"));
    EXPECT_TRUE(FakeClick(按钮7));
    EXPECT_EQ(ControlText(标签2), At("启动器\\HMCL.exe"));
    EXPECT_EQ(AppState.LaunchFile, At("启动器\\HMCL.exe"));
    EXPECT_EQ(ReadIniValue(At("配置.ini"), "目录设置", "游戏启动文件路径"), At("启动器\\HMCL.exe"));
    EXPECT_EQ(ReadIniValue(At("配置.ini"), "目录设置", "游戏根目录"), At("game"));
    EXPECT_TRUE(FakeControlUsable(按钮8));
}

TEST_F(LaunchTest, ACancelAppliesTheDialogsLastConfirmedName)
{
    FakeQueueOpenFile("");
    FakeClick(按钮7);
    EXPECT_EQ(ControlText(标签2), "请先设置....") << "nothing confirmed yet: nothing changes";
    // 按钮12 shares the dialog; a mod file confirmed there comes back here.
    FakeQueueOpenFile(At("启动器\\HMCL.exe"));
    FakeClick(按钮7);
    FakeQueueOpenFile("");
    SetControlText(标签2, "changed");
    FakeClick(按钮7);
    EXPECT_EQ(ControlText(标签2), At("启动器\\HMCL.exe"));
}

TEST_F(LaunchTest, StartRunsTheProgramInItsFolderAndClosesTheHandles)
{
    AppState.LaunchFile = At("启动器\\HMCL.exe");
    FakeMakeStartable(AppState.LaunchFile);
    EXPECT_TRUE(FakeClick(按钮8));
    ASSERT_EQ(FakeStarts().size(), 1u);
    EXPECT_EQ(FakeStarts()[0].application, At("启动器\\HMCL.exe"));
    EXPECT_EQ(FakeStarts()[0].commandLine, "");
    EXPECT_EQ(FakeStarts()[0].currentFolder, At("启动器\\"));
    EXPECT_EQ(FakeStarts()[0].startup.dwFlags, 0x100u);
    EXPECT_EQ(FakeStarts()[0].startup.wShowWindow, 1u);
    ASSERT_EQ(FakeProcessCalls().size(), 4u);
    EXPECT_EQ(FakeProcessCalls()[0], "create");
    EXPECT_EQ(FakeProcessCalls()[1].rfind("wait-idle ", 0), 0u);
    EXPECT_EQ(FakeProcessCalls()[1].substr(FakeProcessCalls()[1].size() - 5), " 1000");
    EXPECT_EQ(FakeOpenHandles(), 0) << "thread, then process handle closed";
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(LaunchTest, ThePlaceholderStartsNothingAndShowsNothing)
{
    ASSERT_EQ(AppState.LaunchFile, "请先设置....");
    EXPECT_TRUE(FakeClick(按钮8));
    ASSERT_EQ(FakeStarts().size(), 1u) << "the attempt is made and fails";
    EXPECT_EQ(FakeStarts()[0].currentFolder, "") << "no separator: the current folder is inherited";
    EXPECT_TRUE(FakeBoxes().empty());
    EXPECT_TRUE(FakeNotices().empty());
}

TEST(RunProgram, ShowModes)
{
    const struct {
        int mode;
        std::uint32_t flags;
        std::uint16_t show;
    } cases[] = {
        {1, 1, 0}, {3, 1, 2}, {4, 1, 3}, {5, 1, 4}, {6, 1, 6}, {0, 256, 1}, {2, 256, 1}, {7, 256, 1}, {-1, 256, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(StartupFieldsFor(c.mode).dwFlags, c.flags) << c.mode;
        EXPECT_EQ(StartupFieldsFor(c.mode).wShowWindow, c.show) << c.mode;
    }
}

TEST(RunProgram, WorkingFolderIsTheLeadingPartUpToTheLastSeparator)
{
    const struct {
        Text program, folder;
    } cases[] = {
        {"D:\\Games\\MC\\launcher.exe", "D:\\Games\\MC\\"},
        {"D:\\launcher.exe", "D:\\"},
        {"launcher.exe", ""},
        {"D:\\\xD5\x5C\\x.exe", "D:\\\xD5\x5C\\"},
        {"D:\\a\\\xD5\x5C.exe", "D:\\a\\"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WorkingFolderOf(c.program), c.folder) << c.program;
}

TEST(RunProgram, AGivenWorkingFolderIsKeptAndADerivedOneHandedBack)
{
    FakeProcessReset();
    ProcessRecord record;
    Text folder = "E:\\work";
    EXPECT_EQ(RunProgram("D:\\x\\a.exe", "a.exe -v", 1, 4, folder, record, 0), 0u) << "not startable: 0";
    EXPECT_EQ(folder, "E:\\work");
    EXPECT_EQ(FakeStarts().back().commandLine, "a.exe -v");
    EXPECT_EQ(FakeProcessCalls().back().rfind("wait-exit", 0), 0u);

    FakeMakeStartable("D:\\x\\a.exe");
    Text derived;
    EXPECT_EQ(RunProgram("D:\\x\\a.exe", "", 0, 0, derived, record, 0), 4242u);
    EXPECT_EQ(derived, "D:\\x\\");
    EXPECT_EQ(FakeOpenHandles(), 2) << "left open when not asked to close";
}

}  // namespace
