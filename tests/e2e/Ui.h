#pragma once

// What the end-to-end driver does to and reads from the running program, as
// a user would: real mouse and keyboard input (SendInput), texts and states
// read back through the window messages Windows (and Wine) carry between
// processes, screenshots taken from the screen. Every helper speaks UTF-16;
// Wide() turns the program's GBK literals into it.

#include <windows.h>

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

// Visible top-level windows of every process.
std::vector<HWND> VisibleTopLevelWindows();

// ---- input ------------------------------------------------------------------

// Makes the main window the foreground window, so keys go to it.
void BringToFront(const App& app);
void MoveMouse(POINT screen);
void ClickAt(POINT screen);
POINT CentreOf(HWND window);
void ClickControl(HWND control);
// Moves the mouse off every window of the program (before screenshots).
void ParkMouse();
void PressKey(WORD virtualKey);
void TypeText(const std::wstring& text);

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
void Screenshot(const App& app, const std::wstring& folder, const std::wstring& name, HWND extra = nullptr);
