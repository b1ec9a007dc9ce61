#include "support/ProgramFolder.h"
#include "ui/Window.h"

namespace {

class MainWindowTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        ASSERT_TRUE(CreateMainWindow());
    }
};

TEST_F(MainWindowTest, PanelToggleFlipsTheWidthAndKeepsTheCorner)
{
    const int left = FakeWindowLeft(), top = FakeWindowTop();
    ASSERT_EQ(WindowWidth(), 588);
    EXPECT_TRUE(FakeClick(按钮9));
    EXPECT_EQ(WindowWidth(), 931);
    EXPECT_TRUE(FakeClick(按钮9));
    EXPECT_EQ(WindowWidth(), 588);
    SetWindowWidth(700);
    FakeClick(按钮9);
    EXPECT_EQ(WindowWidth(), 931) << "any width but 931 leads to 931";
    EXPECT_EQ(WindowHeight(), 552);
    EXPECT_EQ(FakeWindowLeft(), left);
    EXPECT_EQ(FakeWindowTop(), top);
}

TEST_F(MainWindowTest, NoticeLinkShowsItsBoxAndOpensNothing)
{
    FakeQueueAnswer(kAnswerOk);
    EXPECT_TRUE(FakeClick(超级链接框4));
    ASSERT_EQ(FakeBoxes().size(), 1u);
    EXPECT_EQ(FakeBoxes()[0].text, "目前已整理的资源仅支持1.7.10版本");
    EXPECT_EQ(FakeBoxes()[0].title, "警示");
    EXPECT_EQ(FakeBoxes()[0].kind, kBoxOk);
    EXPECT_TRUE(FakeOpenedTargets().empty());
}

TEST_F(MainWindowTest, FolderLinksOpenTheirTargetOrNothing)
{
    FakeClick(超级链接框1);
    FakeClick(超级链接框2);
    FakeClick(超级链接框3);
    EXPECT_EQ(FakeOpenedTargets(), (std::vector<Text>{"C:\\"})) << "before a root, only the first link opens";
    SetLinkTarget(超级链接框3, "D:\\mc\\.minecraft\\mods");
    FakeClick(超级链接框3);
    EXPECT_EQ(FakeOpenedTargets().back(), "D:\\mc\\.minecraft\\mods");
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST_F(MainWindowTest, AGroupBoxDisablesWhatItHoldsWhileEachKeepsItsOwnFlag)
{
    SetPanelEnabled(kModPanelCode, 1);
    ControlDisabled(按钮8, true);
    SetPanelEnabled(kModPanelCode, 0);
    EXPECT_FALSE(FakeControlUsable(按钮3));
    EXPECT_FALSE(FakeControlUsable(资源库列表框));
    EXPECT_FALSE(FakeControlUsable(标签2));
    SetPanelEnabled(kModPanelCode, 1);
    EXPECT_TRUE(FakeControlUsable(按钮3));
    EXPECT_FALSE(FakeControlUsable(按钮8)) << "enabling the panel does not enable a disabled button";
    ControlDisabled(按钮8, false);
    EXPECT_TRUE(FakeControlUsable(按钮8));
    EXPECT_FALSE(FakeControlUsable(标签1)) << "disabled from the start, and nothing enables it";
}

TEST_F(MainWindowTest, TheDisabledPanelDoesNotReact)
{
    ListAddItem(资源库列表框, "a.jar");
    EXPECT_FALSE(FakeClick(按钮3));
    EXPECT_FALSE(FakeUserSelect(资源库列表框, 0));
    EXPECT_EQ(ListSelection(资源库列表框), -1);
    EXPECT_TRUE(FakeClick(按钮9));
    EXPECT_TRUE(FakeBoxes().empty());
}

TEST(MainWindowLayout, PlacesAddUpThroughTheGroupBoxes)
{
    const struct {
        ControlId id;
        Rect rect;
    } cases[] = {
        {分组框1, {8, 8, 552, 64}},
        {按钮1, {496, 32, 56, 24}},
        {资源库列表框, {24, 104, 248, 232}},
        {按钮8, {448, 416, 88, 40}},
        {超级链接框4, {512, 488, 32, 24}},
        {按钮9, {560, 16, 24, 504}},
        {编辑框3, {608, 104, 288, 112}},
        {按钮17, {792, 434, 112, 24}},
        {按钮18, {592, 488, 320, 24}},
    };
    for (const auto& c : cases) {
        const Rect r = ClientRectOf(c.id);
        EXPECT_EQ(r.x, c.rect.x) << ControlInfo(c.id).name;
        EXPECT_EQ(r.y, c.rect.y) << ControlInfo(c.id).name;
        EXPECT_EQ(r.width, c.rect.width) << ControlInfo(c.id).name;
        EXPECT_EQ(r.height, c.rect.height) << ControlInfo(c.id).name;
    }
    // The right panel lies beyond the narrow window's edge.
    EXPECT_GE(ClientRectOf(分组框6).x, kNarrowWidth - 8);
}

}  // namespace
