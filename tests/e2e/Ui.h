#pragma once

// What the end-to-end driver does to and reads from the running program, as
// a user would: real mouse and keyboard input (SendInput), texts and states
// read back through the window messages Windows (and Wine) carry between
// processes, screenshots taken from the screen. Every helper speaks UTF-16;
// Wide() turns the program's GBK literals into it.

#include <windows.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "ui/Controls.h"

// ---- text -----------------------------------------------------------------

// GBK (code page 936) to UTF-16 and back, whatever the system's code page.
std::wstring Wide(const std::string& gbk);
std::string Gbk(const std::wstring& wide);
// For messages: UTF-8, and a text with its line breaks made visible.
std::string Utf8(const std::wstring& wide);
std::wstring Quoted(const std::wstring& text);
std::wstring Num(long long n);
// The control's own name from the table, e.g. L"按钮9".
std::wstring NameOf(ControlId id);

// ---- reporting --------------------------------------------------------------

// Every line goes to standard output, in UTF-8.
void Log(const std::wstring& line);

// A check that failed is reported at once and counted; the scenario goes on,
// so one run shows every difference. Require stops the scenario.
struct ScenarioStopped {};
void Expect(bool ok, const std::wstring& what);
void ExpectEqual(const std::wstring& what, const std::wstring& expected, const std::wstring& seen);
void ExpectEqual(const std::wstring& what, long long expected, long long seen);
[[noreturn]] void Stop(const std::wstring& why);
void Require(bool ok, const std::wstring& what);
int FailureCount();

// Polls the condition every 20 ms until it holds or the time is up.
template <typename Condition>
bool WaitFor(Condition condition, DWORD milliseconds)
{
    const ULONGLONG end = GetTickCount64() + milliseconds;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(20);
    }
}

// ---- files ------------------------------------------------------------------

// A fresh folder under the temporary folder for one scenario, removed with
// everything in it when the sandbox goes.
class Sandbox {
public:
    explicit Sandbox(const std::wstring& tag);
    ~Sandbox();
    Sandbox(const Sandbox&) = delete;
    Sandbox& operator=(const Sandbox&) = delete;

    const std::wstring& Root() const { return root_; }
    // root\relative ("a\b" style).
    std::wstring Path(const std::wstring& relative) const;
    // Makes the folder and its missing parents.
    void MakeFolder(const std::wstring& relative) const;
    // Writes the bytes as the file's whole content (parents made as needed).
    void MakeFile(const std::wstring& relative, const std::string& bytes = std::string()) const;

private:
    std::wstring root_;
};

bool FileExists(const std::wstring& path);
bool FolderExists(const std::wstring& path);
void MakeFolders(const std::wstring& path);
bool WriteBytes(const std::wstring& path, const std::string& bytes);
bool RemoveTree(const std::wstring& path);
// The names of the files (not folders) in the folder, in the order the file
// system gives them, which is the order the program lists them in.
std::vector<std::wstring> FilesIn(const std::wstring& folder);
// A path given in Unix form (as CTest passes it to a program under Wine)
// becomes its Windows form; other paths are kept.
std::wstring WindowsPath(const std::wstring& path);

// ---- the program --------------------------------------------------------------

// The program started from its folder, with its main window found. The
// destructor ends a program that is still running.
class App {
public:
    App(const std::wstring& exe, const std::wstring& folder);
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    HWND Main() const { return main_; }
    HANDLE Process() const { return pi_.hProcess; }
    DWORD ProcessId() const { return pi_.dwProcessId; }
    DWORD ThreadId() const { return thread_; }
    HWND Control(ControlId id) const;

    bool Running() const;
    // True once the process has ended within the time.
    bool WaitExit(DWORD milliseconds) const;
    // Lets the program handle what is queued: waits, then a message round trip.
    void Settle(DWORD milliseconds = 150) const;
    // Closes the window as the close box would and waits for the process.
    void Close();
    // Ends the process at once (after a failure).
    void Kill();

private:
    PROCESS_INFORMATION pi_{};
    HWND main_ = nullptr;
    DWORD thread_ = 0;
    bool ended_ = false;
};

// ---- reading windows ------------------------------------------------------------

std::wstring WindowText(HWND window);  // WM_GETTEXT
std::wstring ClassOf(HWND window);
RECT ScreenRect(HWND window);
// The control's place in the main window's client area.
RECT RectInClient(HWND main, HWND control);
SIZE ClientSize(HWND main);
bool Enabled(HWND window);
bool Visible(HWND window);

int ListCount(HWND list);
std::wstring ListText(HWND list, int index);
std::vector<std::wstring> ListItems(HWND list);
int ListSelection(HWND list);
int ListItemHeight(HWND list);

// The notice balloon: the tooltip window owned by the main window.
struct Balloon {
    HWND window = nullptr;
    bool visible = false;
    std::wstring text;
};
std::optional<Balloon> FindBalloon(const App& app);
// The balloon once it shows (it hides by itself a second later).
std::optional<Balloon> WaitBalloon(const App& app, DWORD milliseconds);

// Visible top-level windows of every process.
std::vector<HWND> VisibleTopLevelWindows();

// ---- input ------------------------------------------------------------------

// Makes the main window the foreground window, so keys go to it.
void BringToFront(const App& app);
void MoveMouse(POINT screen);
// A left click. Without the pause after it the caller must keep the next
// click from being taken as a double click (PauseAfterClick).
void ClickAt(POINT screen, bool pauseAfter = true);
void PauseAfterClick();
POINT CentreOf(HWND window);
void ClickControl(HWND control, bool pauseAfter = true);
// Clicks inside the list item's rectangle (LB_GETITEMRECT), as a user
// picks an item; the item must be in view.
void ClickListItem(HWND list, int index);
// Moves the mouse off every window of the program (before screenshots).
void ParkMouse();
void PressKey(WORD virtualKey);
// The key pressed while the modifiers (VK_CONTROL, VK_SHIFT) are held.
void PressChord(std::initializer_list<WORD> modifiers, WORD virtualKey);
// Each UTF-16 unit as a key of its own (KEYEVENTF_UNICODE).
void TypeText(const std::wstring& text);
// Types the text with Enter for each CR LF in it.
void TypeLines(const std::wstring& text);
// The control of the program's thread that has the keyboard focus.
HWND FocusOf(const App& app);

// ---- dialogs ----------------------------------------------------------------------

// The program's visible dialog-class (#32770) windows: message boxes, the
// open-file dialog, the folder picker.
std::vector<HWND> ProgramDialogs(const App& app);
// A dialog's controls (all descendants), for reading and for reports.
struct ChildSeen {
    HWND window = nullptr;
    std::wstring className;
    int id = 0;
    std::wstring text;
    bool visible = false;
};
std::vector<ChildSeen> ChildrenOf(HWND dialog);
std::wstring Describe(const std::vector<ChildSeen>& children);

// The folder picker (SHBrowseForFolderW): a dialog holding a tree view.
HWND WaitFolderPicker(const App& app, DWORD milliseconds);
// Whether a static text of the picker reads the prompt.
bool PickerShowsPrompt(HWND picker, const std::wstring& prompt);
// Selects the folder in the picker's tree (BFFM_SETSELECTIONW with the path
// written into the program's memory) and clicks OK; waits for it to go.
void PickFolder(const App& app, HWND picker, const std::wstring& path);
// Clicks the picker's Cancel button; waits for it to go.
void CancelFolderPicker(const App& app, HWND picker);

// The open-file dialog (GetOpenFileNameW, explorer style): a dialog with a
// file-name box.
HWND WaitOpenFileDialog(const App& app, DWORD milliseconds);
// The dialog's file-name edit box.
HWND FileNameBox(HWND dialog);
// Clicks into the file-name box, types the path over what it holds and
// presses Enter; waits for the dialog to go.
void ConfirmFileName(const App& app, HWND dialog, const std::wstring& path);
// Presses Esc in the dialog; waits for it to go.
void CancelWithEsc(const App& app, HWND dialog);

// ---- message boxes --------------------------------------------------------------

struct MessageBoxSeen {
    HWND window = nullptr;
    HWND owner = nullptr;
    std::wstring title;
    std::wstring text;
    std::vector<int> buttons;  // IDs of the visible buttons, left to right
};
// The first visible message box of the program to appear within the time.
std::optional<MessageBoxSeen> WaitMessageBox(const App& app, DWORD milliseconds);
// Clicks the box's button of that ID and waits for the box to go.
void AnswerMessageBox(const App& app, const MessageBoxSeen& box, int buttonId);

// ---- screenshots ------------------------------------------------------------------

// Writes what the screen shows of the main window (and of the extra window,
// such as a message box standing out of it) as folder\name.bmp (24 bits) and
// checks that it is not a blank picture.
// The settle time lets the window repaint first; a short-lived window (the
// balloon) needs a short one.
void Screenshot(const App& app, const std::wstring& folder, const std::wstring& name, HWND extra = nullptr,
                DWORD settle = 400);
