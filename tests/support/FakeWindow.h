#pragma once

// The scriptable fake window of the host tests: it holds every control's
// text, own enabled flag, list items and selection, records each message box
// and notice in order, and answers dialogs from answers the test queued.
// A dialog with no queued answer fails the test.

#include <vector>

#include "platform/Text.h"
#include "ui/Controls.h"

// Every control as the table makes it; the window 931 by 552 at (100, 100),
// nothing queued or recorded. CreateMainWindow does this too, then runs the
// created event.
void FakeWindowReset();

// What a user can do. Each acts only when the control is usable (it and
// every group box around it enabled) and returns whether it acted.
bool FakeClick(ControlId control);
bool FakeUserSelect(ControlId list, int index);
void FakeUserTypes(ControlId edit, const Text& text);  // replaces the text

// True when the control and every group box around it are enabled.
bool FakeControlUsable(ControlId control);

// Answers for the next dialogs, used first in, first out.
void FakeQueueAnswer(int code);             // a message box
void FakeQueueOpenFile(const Text& path);   // the open-file dialog; empty: cancel
void FakeQueueFolder(const Text& path);     // the folder picker; empty: cancel

struct FakeBox {
    Text text;
    int kind;
    Text title;
};
const std::vector<FakeBox>& FakeBoxes();

struct FakeNotice {
    Text text;
    int x, y;
    int icon;
    bool autoClose;
};
const std::vector<FakeNotice>& FakeNotices();

// Prompts the folder picker was shown with, in order.
const std::vector<Text>& FakeFolderPrompts();
// Targets the folder links opened, in order.
const std::vector<Text>& FakeOpenedTargets();

int FakeProcessEventsCalls();
// Runs inside every ProcessEvents call, as a message the window handles
// during a long action would (nullptr: nothing). User input made meanwhile
// (FakeClick, FakeUserSelect) is dropped, as the real window drops it.
void FakeOnProcessEvents(void (*action)());

void FakeSetMousePosition(int x, int y);
int FakeWindowLeft();
int FakeWindowTop();
// Whether a list was left with its redrawing off.
bool FakeListRedrawOff(ControlId list);
