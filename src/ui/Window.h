#pragma once

// The window and dialog services the program asks of its windowing platform.
// Declared once here; implemented on Win32 for the product (ui/win32/) and as
// a scriptable fake window for the host tests (tests/support/FakeWindow.cpp).
// Controls are named as in ui/Controls.h. Every text is GBK.

#include "platform/Text.h"
#include "ui/Controls.h"

// Message box kinds and the codes they answer.
constexpr int kBoxOk = 0;
constexpr int kBoxOkCancel = 1;
constexpr int kBoxYesNo = 4;
constexpr int kAnswerOk = 0;
constexpr int kAnswerCancel = 1;  // also Esc and the close box, where there is a Cancel
constexpr int kAnswerYes = 5;
constexpr int kAnswerNo = 6;

// Modal for the whole program, no icon, first button default.
int ShowMessageBox(const Text& text, int kind, const Text& title);

int ListItemCount(ControlId list);
// The item's text; empty for an index outside 0 .. count - 1.
Text ListItemText(ControlId list, int index);
// Appends; the lists are not sorted.
void ListAddItem(ControlId list, const Text& text);
// Removes every item.
void ListClear(ControlId list);
// Off while a list is refilled, so a long refill neither flickers nor
// repaints item by item; on again repaints it once.
void ListRedraw(ControlId list, bool on);
// The selected index, -1 for none.
int ListSelection(ControlId list);
// Clamps to -1 .. count - 1 and never raises the item-selected event.
void SetListSelection(ControlId list, int index);

// A caption, or an edit box's text (CR LF line breaks).
Text ControlText(ControlId control);
void SetControlText(ControlId control, const Text& text);

// The control's own flag: true disables it. A disabled group box disables
// all it holds, while each control keeps its own flag; a control is usable
// only when it and every group box around it are enabled.
void ControlDisabled(ControlId control, bool disabled);
bool IsControlDisabled(ControlId control);  // its own flag

// The main window's outer size in pixels; writing keeps the top-left corner.
int WindowWidth();
void SetWindowWidth(int width);
int WindowHeight();
void SetWindowHeight(int height);

// What a hyperlink box opens when pressed (empty: nothing).
Text LinkTarget(ControlId link);
void SetLinkTarget(ControlId link, const Text& target);

// The modal open-file dialog of 通用对话框1: default title, no filter, only
// an existing file may be confirmed, opening with the current file name
// filled in. Returns whether the user confirmed. After a confirmation the
// file name is the full path; a cancel leaves it as it was.
bool ChooseOpenFile(ControlId dialog);
Text OpenFileName(ControlId dialog);

// The modal folder picker: prompt above the tree, an edit field, rooted at
// the desktop; the program's windows are disabled meanwhile. The folder's
// path (a drive root keeps its "\"), or empty on cancel or for an item
// without a file-system path.
Text BrowseForFolder(const Text& prompt, bool includeFiles = false);

// Shows the text at once in the balloon at the screen point. Icon -1: none.
// With autoClose it hides 1000 ms after it is shown.
void PopBalloon(ControlId balloon, int x, int y, const Text& text, int icon, bool autoClose);

// Handles every waiting window message, then returns. Input meant for the
// main window (keys and mouse buttons) is dropped meanwhile, so no handler
// runs inside the action that called it; the window still repaints.
void ProcessEvents();

struct ScreenPoint {
    int x, y;
};
ScreenPoint MousePosition();

// Creates the main window from the control table, runs its created event
// and shows it. False when the window could not be made.
bool CreateMainWindow();
// Runs the message loop until the main window is closed.
void RunMessageLoop();
