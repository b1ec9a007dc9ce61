#include "support/FakeWindow.h"

#include <gtest/gtest.h>

#include <array>
#include <deque>

#include "ui/Window.h"

namespace {

struct ControlState {
    Text text;
    bool disabled = false;
    std::vector<Text> items;
    int selection = -1;
    Text linkTarget;
    bool redrawOff = false;
};

struct FakeState {
    std::array<ControlState, kControlCount> controls;
    int left = 100, top = 100, width = kDesignWidth, height = kDesignHeight;
    Text openFileName;
    std::deque<int> answers;
    std::deque<Text> openFiles;
    std::deque<Text> folders;
    std::vector<FakeBox> boxes;
    std::vector<FakeNotice> notices;
    std::vector<Text> prompts;
    std::vector<Text> opened;
    int processEventsCalls = 0;
    bool insideProcessEvents = false;
    void (*onProcessEvents)() = nullptr;
    ScreenPoint mouse{400, 300};
};

FakeState& S()
{
    static FakeState state;
    return state;
}

ControlState& C(ControlId id) { return S().controls.at(static_cast<std::size_t>(id)); }

bool IsList(ControlId id) { return ControlInfo(id).kind == ControlKind::ListBox; }

}  // namespace

void FakeWindowReset()
{
    S() = FakeState{};
    for (int i = 0; i < kControlCount; ++i) {
        const ControlRow& row = ControlInfo(static_cast<ControlId>(i));
        ControlState& c = S().controls[static_cast<std::size_t>(i)];
        c.text = row.text;
        c.disabled = (row.style & kStartsDisabled) != 0;
        c.linkTarget = row.linkTarget ? row.linkTarget : "";
    }
}

bool FakeControlUsable(ControlId control)
{
    for (ControlId id = control; id != kNoControl; id = ControlInfo(id).parent)
        if (C(id).disabled)
            return false;
    return true;
}

bool FakeClick(ControlId control)
{
    // Input that arrives while an action handles window messages is dropped.
    if (!FakeControlUsable(control) || S().insideProcessEvents)
        return false;
    const ControlKind kind = ControlInfo(control).kind;
    if (kind == ControlKind::HyperLink) {
        if (!DispatchEvent(control, Event::LinkPressed) && !C(control).linkTarget.empty())
            S().opened.push_back(C(control).linkTarget);
        return true;
    }
    if (kind == ControlKind::Button)
        DispatchEvent(control, Event::Clicked);
    return true;
}

bool FakeUserSelect(ControlId list, int index)
{
    if (!IsList(list) || !FakeControlUsable(list) || S().insideProcessEvents || index < 0 || index >= ListItemCount(list))
        return false;
    C(list).selection = index;
    DispatchEvent(list, Event::ItemSelected);
    return true;
}

void FakeUserTypes(ControlId edit, const Text& text)
{
    if (FakeControlUsable(edit))
        C(edit).text = text;
}

void FakeQueueAnswer(int code) { S().answers.push_back(code); }
void FakeQueueOpenFile(const Text& path) { S().openFiles.push_back(path); }
void FakeQueueFolder(const Text& path) { S().folders.push_back(path); }
const std::vector<FakeBox>& FakeBoxes() { return S().boxes; }
const std::vector<FakeNotice>& FakeNotices() { return S().notices; }
const std::vector<Text>& FakeFolderPrompts() { return S().prompts; }
const std::vector<Text>& FakeOpenedTargets() { return S().opened; }
int FakeProcessEventsCalls() { return S().processEventsCalls; }
void FakeOnProcessEvents(void (*action)()) { S().onProcessEvents = action; }
void FakeSetMousePosition(int x, int y) { S().mouse = {x, y}; }
int FakeWindowLeft() { return S().left; }
int FakeWindowTop() { return S().top; }
bool FakeListRedrawOff(ControlId list) { return C(list).redrawOff; }

// ---- the window services ---------------------------------------------------

int ShowMessageBox(const Text& text, int kind, const Text& title)
{
    S().boxes.push_back({text, kind, title});
    if (S().answers.empty()) {
        ADD_FAILURE() << "message box with no queued answer: " << title << ": " << text;
        return kind == kBoxYesNo ? kAnswerNo : (kind == kBoxOkCancel ? kAnswerCancel : kAnswerOk);
    }
    const int answer = S().answers.front();
    S().answers.pop_front();
    return answer;
}

int ListItemCount(ControlId list) { return static_cast<int>(C(list).items.size()); }

Text ListItemText(ControlId list, int index)
{
    const auto& items = C(list).items;
    return index >= 0 && index < static_cast<int>(items.size()) ? items[static_cast<std::size_t>(index)] : Text();
}

void ListAddItem(ControlId list, const Text& text) { C(list).items.push_back(text); }

void ListClear(ControlId list)
{
    C(list).items.clear();
    C(list).selection = -1;
}

void ListRedraw(ControlId list, bool on) { C(list).redrawOff = !on; }

int ListSelection(ControlId list) { return C(list).selection; }

void SetListSelection(ControlId list, int index)
{
    const int count = ListItemCount(list);
    C(list).selection = index < -1 ? -1 : (index >= count ? count - 1 : index);
}

Text ControlText(ControlId control) { return C(control).text; }
void SetControlText(ControlId control, const Text& text) { C(control).text = text; }
void ControlDisabled(ControlId control, bool disabled) { C(control).disabled = disabled; }
bool IsControlDisabled(ControlId control) { return C(control).disabled; }
int WindowWidth() { return S().width; }
void SetWindowWidth(int width) { S().width = width; }
int WindowHeight() { return S().height; }
void SetWindowHeight(int height) { S().height = height; }
Text LinkTarget(ControlId link) { return C(link).linkTarget; }
void SetLinkTarget(ControlId link, const Text& target) { C(link).linkTarget = target; }

bool ChooseOpenFile(ControlId)
{
    if (S().openFiles.empty()) {
        ADD_FAILURE() << "open-file dialog with no queued answer";
        return false;
    }
    const Text path = S().openFiles.front();
    S().openFiles.pop_front();
    if (path.empty())
        return false;
    S().openFileName = path;
    return true;
}

Text OpenFileName(ControlId) { return S().openFileName; }

Text BrowseForFolder(const Text& prompt, bool includeFiles)
{
    EXPECT_FALSE(includeFiles) << "the program offers folders only";
    S().prompts.push_back(prompt);
    if (S().folders.empty()) {
        ADD_FAILURE() << "folder picker with no queued answer: " << prompt;
        return Text();
    }
    const Text path = S().folders.front();
    S().folders.pop_front();
    return path;
}

void PopBalloon(ControlId balloon, int x, int y, const Text& text, int icon, bool autoClose)
{
    EXPECT_EQ(balloon, 气球提示框1);
    S().notices.push_back({text, x, y, icon, autoClose});
}

void ProcessEvents()
{
    ++S().processEventsCalls;
    if (S().onProcessEvents) {
        S().insideProcessEvents = true;
        S().onProcessEvents();
        S().insideProcessEvents = false;
    }
}

ScreenPoint MousePosition() { return S().mouse; }

bool CreateMainWindow()
{
    FakeWindowReset();
    DispatchEvent(kNoControl, Event::Created);
    return true;
}

void RunMessageLoop() {}
