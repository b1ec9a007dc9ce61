#include "e2e/Ui.h"

#include <commctrl.h>
#include <dlgs.h>
#include <shlobj.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <set>
#include <utility>

namespace {

constexpr UINT kGbk = 936;
constexpr DWORD kMessageTimeout = 5000;  // a program that does not answer by then is hung

int g_failures = 0;

std::wstring LastErrorText()
{
    return L"error " + Num(static_cast<long long>(GetLastError()));
}

}  // namespace

// ---- text -----------------------------------------------------------------

std::wstring Wide(const std::string& gbk)
{
    if (gbk.empty())
        return std::wstring();
    const int length = static_cast<int>(gbk.size());
    const int needed = MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), length, nullptr, 0);
    if (needed <= 0)
        Stop(L"a GBK literal of the driver does not convert (is code page 936 there?)");
    std::wstring out(static_cast<size_t>(needed), L'\0');
    MultiByteToWideChar(kGbk, MB_ERR_INVALID_CHARS, gbk.data(), length, out.data(), needed);
    return out;
}

std::string Gbk(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length = static_cast<int>(wide.size());
    BOOL lossy = FALSE;
    const int needed = WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), length, nullptr, 0, nullptr, &lossy);
    if (needed <= 0 || lossy)
        Stop(L"no GBK form for " + Quoted(wide));
    std::string out(static_cast<size_t>(needed), '\0');
    WideCharToMultiByte(kGbk, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::string Utf8(const std::wstring& wide)
{
    if (wide.empty())
        return std::string();
    const int length = static_cast<int>(wide.size());
    const int needed = WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(std::max(needed, 0)), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), length, out.data(), needed, nullptr, nullptr);
    return out;
}

std::wstring Quoted(const std::wstring& text)
{
    std::wstring out = L"\"";
    for (wchar_t c : text) {
        if (c == L'\r')
            out += L"\\r";
        else if (c == L'\n')
            out += L"\\n";
        else if (c == L'\t')
            out += L"\\t";
        else
            out += c;
    }
    return out + L"\"";
}

std::wstring Num(long long n) { return std::to_wstring(n); }

std::wstring NameOf(ControlId id) { return Wide(ControlInfo(id).name); }

// ---- reporting --------------------------------------------------------------

void Log(const std::wstring& line)
{
    const std::string bytes = Utf8(line) + "\n";
    std::fwrite(bytes.data(), 1, bytes.size(), stdout);
    std::fflush(stdout);
}

void Expect(bool ok, const std::wstring& what)
{
    if (ok)
        return;
    ++g_failures;
    Log(L"FAILED: " + what);
}

void ExpectEqual(const std::wstring& what, const std::wstring& expected, const std::wstring& seen)
{
    Expect(expected == seen, what + L": expected " + Quoted(expected) + L", seen " + Quoted(seen));
}

void ExpectEqual(const std::wstring& what, long long expected, long long seen)
{
    Expect(expected == seen, what + L": expected " + Num(expected) + L", seen " + Num(seen));
}

void Stop(const std::wstring& why)
{
    ++g_failures;
    Log(L"FAILED, scenario stopped: " + why);
    throw ScenarioStopped{};
}

void Require(bool ok, const std::wstring& what)
{
    if (!ok)
        Stop(what);
}

int FailureCount() { return g_failures; }

// ---- files ------------------------------------------------------------------

bool FileExists(const std::wstring& path)
{
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool FolderExists(const std::wstring& path)
{
    const DWORD a = GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

void MakeFolders(const std::wstring& path)
{
    if (path.empty() || FolderExists(path))
        return;
    const size_t sep = path.find_last_of(L"\\/");
    if (sep != std::wstring::npos && sep > 2)
        MakeFolders(path.substr(0, sep));
    if (!CreateDirectoryW(path.c_str(), nullptr) && !FolderExists(path))
        Stop(L"cannot make the folder " + path + L" (" + LastErrorText() + L")");
}

bool WriteBytes(const std::wstring& path, const std::string& bytes)
{
    HANDLE f = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const BOOL ok = bytes.empty() || WriteFile(f, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == bytes.size();
}

bool RemoveTree(const std::wstring& path)
{
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileW(child.c_str());
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
    return !FolderExists(path);
}

std::vector<std::wstring> FilesIn(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((folder + L"\\*.*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.emplace_back(data.cFileName);
    } while (FindNextFileW(find, &data));
    FindClose(find);
    return names;
}

std::wstring WindowsPath(const std::wstring& path)
{
    if (path.empty() || path[0] != L'/')
        return path;
    // Wine's own conversion knows the prefix's drive mappings.
    using ToDos = WCHAR* (CDECL*)(const char*);
    auto toDos = reinterpret_cast<ToDos>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (toDos) {
        if (WCHAR* dos = toDos(Utf8(path).c_str())) {
            std::wstring out = dos;
            HeapFree(GetProcessHeap(), 0, dos);
            return out;
        }
    }
    std::wstring out = L"Z:" + path;
    std::replace(out.begin(), out.end(), L'/', L'\\');
    return out;
}

Sandbox::Sandbox(const std::wstring& tag)
{
    wchar_t temp[MAX_PATH + 1];
    const DWORD n = GetTempPathW(MAX_PATH + 1, temp);
    Require(n > 0 && n <= MAX_PATH, L"no temporary folder");
    std::wstring base(temp, n);
    if (base.back() != L'\\')
        base += L'\\';
    static unsigned counter = 0;
    root_ = base + L"qm-e2e-" + tag + L"-" + Num(GetCurrentProcessId()) + L"-" + Num(++counter);
    RemoveTree(root_);
    MakeFolders(root_);
}

Sandbox::~Sandbox()
{
    // The program may hold its folder a moment after it ended.
    if (!WaitFor([&] { return RemoveTree(root_); }, 3000))
        Log(L"note: could not remove " + root_);
}

std::wstring Sandbox::Path(const std::wstring& relative) const
{
    return relative.empty() ? root_ : root_ + L"\\" + relative;
}

void Sandbox::MakeFolder(const std::wstring& relative) const { MakeFolders(Path(relative)); }

void Sandbox::MakeFile(const std::wstring& relative, const std::string& bytes) const
{
    const std::wstring path = Path(relative);
    const size_t sep = path.find_last_of(L'\\');
    MakeFolders(path.substr(0, sep));
    Require(WriteBytes(path, bytes), L"cannot write " + path);
}

// ---- the program --------------------------------------------------------------

namespace {

struct MainSearch {
    DWORD pid;
    std::wstring caption;
    HWND found;
};

BOOL CALLBACK FindMain(HWND w, LPARAM param)
{
    auto* s = reinterpret_cast<MainSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid != s->pid || GetWindow(w, GW_OWNER) != nullptr || !IsWindowVisible(w))
        return TRUE;
    wchar_t text[256] = {};
    GetWindowTextW(w, text, 256);
    if (s->caption != text)
        return TRUE;
    s->found = w;
    return FALSE;
}

}  // namespace

App::App(const std::wstring& exe, const std::wstring& folder)
{
    STARTUPINFOW si{};
    si.cb = sizeof si;
    std::wstring commandLine = L"\"" + exe + L"\"";
    Log(L"starting " + exe);
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &si,
                        &pi_))
        Stop(L"cannot start " + exe + L" (" + LastErrorText() + L")");
    MainSearch search{pi_.dwProcessId, Wide(kWindowCaption), nullptr};
    const bool shown = WaitFor(
        [&] {
            EnumWindows(FindMain, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr || WaitForSingleObject(pi_.hProcess, 0) == WAIT_OBJECT_0;
        },
        30000);
    if (!search.found) {
        DWORD code = 0;
        GetExitCodeProcess(pi_.hProcess, &code);
        Kill();
        Stop(shown ? L"the program ended (exit code " + Num(code) + L") without showing its window"
                   : L"no visible window captioned " + Quoted(search.caption) + L" within 30 s");
    }
    main_ = search.found;
    thread_ = GetWindowThreadProcessId(main_, nullptr);
    Settle(300);
}

App::~App()
{
    if (!ended_)
        Kill();
    CloseHandle(pi_.hThread);
    CloseHandle(pi_.hProcess);
}

HWND App::Control(ControlId id) const
{
    HWND c = GetDlgItem(main_, 1000 + id);
    Require(c != nullptr, L"the main window has no child of ID " + Num(1000 + id) + L" (" + NameOf(id) + L")");
    return c;
}

bool App::Running() const { return WaitForSingleObject(pi_.hProcess, 0) == WAIT_TIMEOUT; }

bool App::WaitExit(DWORD milliseconds) const { return WaitForSingleObject(pi_.hProcess, milliseconds) == WAIT_OBJECT_0; }

void App::Settle(DWORD milliseconds) const
{
    // Input goes through the system's queues first; a message sent round
    // trip then returns once the program is back in its message loop.
    Sleep(milliseconds);
    DWORD_PTR result = 0;
    if (IsWindow(main_))
        SendMessageTimeoutW(main_, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &result);
}

void App::Close()
{
    if (!Running()) {
        ended_ = true;
        Stop(L"the program ended before it was closed");
    }
    PostMessageW(main_, WM_CLOSE, 0, 0);
    if (!WaitExit(10000)) {
        Kill();
        Stop(L"the program did not end within 10 s of WM_CLOSE");
    }
    ended_ = true;
    DWORD code = 0;
    GetExitCodeProcess(pi_.hProcess, &code);
    ExpectEqual(L"exit code", 0, code);
}

void App::Kill()
{
    if (Running()) {
        TerminateProcess(pi_.hProcess, 99);
        WaitExit(5000);
    }
    ended_ = true;
}

// ---- reading windows ------------------------------------------------------------

std::wstring WindowText(HWND window)
{
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kMessageTimeout, &length))
        Stop(L"no answer to WM_GETTEXTLENGTH");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                             kMessageTimeout, &copied))
        Stop(L"no answer to WM_GETTEXT");
    text.resize(std::min<size_t>(copied, length));
    return text;
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[128] = {};
    GetClassNameW(window, name, 128);
    return name;
}

RECT ScreenRect(HWND window)
{
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

RECT RectInClient(HWND main, HWND control)
{
    RECT r = ScreenRect(control);
    MapWindowPoints(HWND_DESKTOP, main, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

SIZE ClientSize(HWND main)
{
    RECT r{};
    GetClientRect(main, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

bool Enabled(HWND window) { return IsWindowEnabled(window) != FALSE; }
bool Visible(HWND window) { return IsWindowVisible(window) != FALSE; }

namespace {

LRESULT Ask(HWND window, UINT message, WPARAM w, LPARAM l, const wchar_t* name)
{
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, message, w, l, SMTO_ABORTIFHUNG, kMessageTimeout, &result))
        Stop(std::wstring(L"no answer to ") + name);
    return static_cast<LRESULT>(result);
}

}  // namespace

int ListCount(HWND list) { return static_cast<int>(Ask(list, LB_GETCOUNT, 0, 0, L"LB_GETCOUNT")); }

std::wstring ListText(HWND list, int index)
{
    const LRESULT length = Ask(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0, L"LB_GETTEXTLEN");
    if (length == LB_ERR)
        Stop(L"LB_GETTEXTLEN failed for item " + Num(index));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        Ask(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()), L"LB_GETTEXT");
    text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    return text;
}

std::vector<std::wstring> ListItems(HWND list)
{
    std::vector<std::wstring> items;
    const int n = ListCount(list);
    for (int i = 0; i < n; ++i)
        items.push_back(ListText(list, i));
    return items;
}

int ListSelection(HWND list) { return static_cast<int>(Ask(list, LB_GETCURSEL, 0, 0, L"LB_GETCURSEL")); }

int ListItemHeight(HWND list) { return static_cast<int>(Ask(list, LB_GETITEMHEIGHT, 0, 0, L"LB_GETITEMHEIGHT")); }

namespace {

struct BalloonSearch {
    HWND main;
    DWORD thread;
    std::vector<HWND> found;
};

BOOL CALLBACK FindTooltips(HWND w, LPARAM param)
{
    auto* s = reinterpret_cast<BalloonSearch*>(param);
    if (GetWindowThreadProcessId(w, nullptr) == s->thread && ClassOf(w) == L"tooltips_class32" &&
        GetWindow(w, GW_OWNER) == s->main)
        s->found.push_back(w);
    return TRUE;
}

BOOL CALLBACK CollectVisible(HWND w, LPARAM param)
{
    if (IsWindowVisible(w))
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(w);
    return TRUE;
}

}  // namespace

std::optional<Balloon> FindBalloon(const App& app)
{
    BalloonSearch search{app.Main(), app.ThreadId(), {}};
    EnumWindows(FindTooltips, reinterpret_cast<LPARAM>(&search));
    if (search.found.empty())
        return std::nullopt;
    // A shown one wins over any other tooltip the window may have.
    Balloon b;
    for (HWND w : search.found) {
        b = Balloon{w, Visible(w), WindowText(w)};
        if (b.visible)
            break;
    }
    return b;
}

std::optional<Balloon> WaitBalloon(const App& app, DWORD milliseconds)
{
    std::optional<Balloon> seen;
    WaitFor([&] {
        seen = FindBalloon(app);
        return seen && seen->visible;
    }, milliseconds);
    return seen && seen->visible ? seen : std::nullopt;
}

std::vector<HWND> VisibleTopLevelWindows()
{
    std::vector<HWND> windows;
    EnumWindows(CollectVisible, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// ---- input ------------------------------------------------------------------

namespace {

void Send(INPUT* inputs, UINT count)
{
    if (SendInput(count, inputs, sizeof(INPUT)) != count)
        Stop(L"SendInput refused the input (" + LastErrorText() + L")");
}

void SendKey(WORD vk, bool up)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.wScan = static_cast<WORD>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC));
    in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    switch (vk) {
    case VK_END: case VK_HOME: case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
    case VK_PRIOR: case VK_NEXT: case VK_INSERT: case VK_DELETE:
        in.ki.dwFlags |= KEYEVENTF_EXTENDEDKEY;
        break;
    default:
        break;
    }
    Send(&in, 1);
}

}  // namespace

void BringToFront(const App& app)
{
    HWND main = app.Main();
    SetForegroundWindow(main);
    if (!WaitFor([&] { return GetForegroundWindow() == main; }, 1000)) {
        // A click on the caption activates it as a user would.
        Log(L"note: SetForegroundWindow did not take; clicking the caption");
        const RECT r = ScreenRect(main);
        ClickAt(POINT{r.left + 120, r.top + GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CYCAPTION) / 2});
        Require(WaitFor([&] { return GetForegroundWindow() == main; }, 2000),
                L"the main window does not come to the foreground");
    }
    app.Settle(50);
}

void MoveMouse(POINT p)
{
    const int w = GetSystemMetrics(SM_CXSCREEN);
    const int h = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    // Normalised so that dx * width / 65536 lands on the pixel itself.
    in.mi.dx = static_cast<LONG>((static_cast<long long>(p.x) * 65536 + w - 1) / w);
    in.mi.dy = static_cast<LONG>((static_cast<long long>(p.y) * 65536 + h - 1) / h);
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    Send(&in, 1);
    const bool there = WaitFor(
        [&] {
            POINT at{};
            GetCursorPos(&at);
            return at.x == p.x && at.y == p.y;
        },
        1000);
    Require(there, L"the mouse did not reach (" + Num(p.x) + L", " + Num(p.y) + L")");
}

void ClickAt(POINT p, bool pauseAfter)
{
    MoveMouse(p);
    Sleep(30);
    INPUT in[2]{};
    in[0].type = INPUT_MOUSE;
    in[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    in[1].type = INPUT_MOUSE;
    in[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(&in[0], 1);
    Sleep(40);
    Send(&in[1], 1);
    if (pauseAfter)
        PauseAfterClick();
}

// Far enough apart in time that two clicks are never a double click.
void PauseAfterClick() { Sleep(GetDoubleClickTime() / 2 + 50); }

POINT CentreOf(HWND window)
{
    const RECT r = ScreenRect(window);
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

void ClickControl(HWND control, bool pauseAfter) { ClickAt(CentreOf(control), pauseAfter); }

void ClickListItem(HWND list, int index)
{
    RECT item{};
    // Wine carries the rectangle back from the other process.
    if (Ask(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item), L"LB_GETITEMRECT") ==
        LB_ERR)
        Stop(L"LB_GETITEMRECT failed for item " + Num(index));
    RECT client{};
    GetClientRect(list, &client);
    Require(item.top >= client.top && item.bottom <= client.bottom && item.bottom > item.top,
            L"list item " + Num(index) + L" is not in view");
    POINT p{item.left + std::min(24L, (item.right - item.left) / 2), (item.top + item.bottom) / 2};
    ClientToScreen(list, &p);
    ClickAt(p);
}

void ParkMouse()
{
    MoveMouse(POINT{GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1});
}

void PressKey(WORD vk)
{
    SendKey(vk, false);
    Sleep(30);
    SendKey(vk, true);
    Sleep(50);
}

void PressChord(std::initializer_list<WORD> modifiers, WORD vk)
{
    for (WORD m : modifiers)
        SendKey(m, false);
    Sleep(30);
    PressKey(vk);
    for (auto m = std::rbegin(modifiers); m != std::rend(modifiers); ++m)
        SendKey(*m, true);
    Sleep(50);
}

void TypeLines(const std::wstring& text)
{
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(L"\r\n", start);
        TypeText(text.substr(start, end == std::wstring::npos ? std::wstring::npos : end - start));
        if (end == std::wstring::npos)
            break;
        PressKey(VK_RETURN);
        start = end + 2;
    }
}

HWND FocusOf(const App& app)
{
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    return GetGUIThreadInfo(app.ThreadId(), &gui) ? gui.hwndFocus : nullptr;
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT in[2]{};
        for (int i = 0; i < 2; ++i) {
            in[i].type = INPUT_KEYBOARD;
            in[i].ki.wScan = c;
            in[i].ki.dwFlags = KEYEVENTF_UNICODE | (i ? KEYEVENTF_KEYUP : 0);
        }
        Send(in, 2);
        Sleep(20);
    }
}

// ---- dialogs ----------------------------------------------------------------------

namespace {

struct DialogSearch {
    DWORD pid;
    std::vector<HWND> found;
};

BOOL CALLBACK FindDialogs(HWND w, LPARAM param)
{
    auto* s = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->pid && IsWindowVisible(w) && ClassOf(w) == L"#32770")
        s->found.push_back(w);
    return TRUE;
}

BOOL CALLBACK CollectChildren(HWND w, LPARAM param)
{
    ChildSeen c;
    c.window = w;
    c.className = ClassOf(w);
    c.id = GetDlgCtrlID(w);
    c.visible = IsWindowVisible(w) != FALSE;
    reinterpret_cast<std::vector<ChildSeen>*>(param)->push_back(c);
    return TRUE;
}

bool HasChildOfClass(HWND dialog, const wchar_t* className)
{
    for (const ChildSeen& c : ChildrenOf(dialog))
        if (_wcsicmp(c.className.c_str(), className) == 0)
            return true;
    return false;
}

HWND WaitDialogWith(const App& app, DWORD milliseconds, bool (*fits)(HWND))
{
    HWND found = nullptr;
    WaitFor([&] {
        for (HWND d : ProgramDialogs(app))
            if (fits(d)) {
                found = d;
                return true;
            }
        return false;
    }, milliseconds);
    if (found)
        Sleep(200);  // let it finish laying itself out
    return found;
}

// A dialog that was answered goes away; the program then carries on.
void WaitGone(const App& app, HWND dialog, const std::wstring& what)
{
    if (!WaitFor([&] { return !IsWindow(dialog) || !Visible(dialog); }, 5000))
        Stop(what + L" stays open; it holds:" + Describe(ChildrenOf(dialog)));
    app.Settle();
}

}  // namespace

std::vector<HWND> ProgramDialogs(const App& app)
{
    DialogSearch search{app.ProcessId(), {}};
    EnumWindows(FindDialogs, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<ChildSeen> ChildrenOf(HWND dialog)
{
    std::vector<ChildSeen> children;
    EnumChildWindows(dialog, CollectChildren, reinterpret_cast<LPARAM>(&children));
    for (ChildSeen& c : children)
        c.text = WindowText(c.window);
    return children;
}

std::wstring Describe(const std::vector<ChildSeen>& children)
{
    std::wstring s;
    for (const ChildSeen& c : children)
        s += L" [" + c.className + L" " + Num(c.id) + L" " + Quoted(c.text) + (c.visible ? L"" : L" hidden") + L"]";
    return s;
}

HWND WaitFolderPicker(const App& app, DWORD milliseconds)
{
    return WaitDialogWith(app, milliseconds, [](HWND d) { return HasChildOfClass(d, WC_TREEVIEWW); });
}

bool PickerShowsPrompt(HWND picker, const std::wstring& prompt)
{
    for (const ChildSeen& c : ChildrenOf(picker))
        if (c.visible && _wcsicmp(c.className.c_str(), L"Static") == 0 && c.text == prompt)
            return true;
    return false;
}

// The name the picker's edit field shows for its selection.
std::wstring PickerEditText(HWND picker)
{
    for (const ChildSeen& c : ChildrenOf(picker))
        if (c.visible && _wcsicmp(c.className.c_str(), L"Edit") == 0)
            return c.text;
    return std::wstring();
}

bool SendSelection(const App& app, HWND picker, const std::wstring& path)
{
    // The picker reads the path in its own process: it is written there.
    const SIZE_T bytes = (path.size() + 1) * sizeof(wchar_t);
    void* remote = VirtualAllocEx(app.Process(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    Require(remote != nullptr, L"VirtualAllocEx in the program failed (" + LastErrorText() + L")");
    SIZE_T written = 0;
    const BOOL wrote = WriteProcessMemory(app.Process(), remote, path.c_str(), bytes, &written);
    DWORD_PTR result = 0;
    const LRESULT sent = wrote && written == bytes
                             ? SendMessageTimeoutW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote),
                                                   SMTO_ABORTIFHUNG, kMessageTimeout, &result)
                             : 0;
    VirtualFreeEx(app.Process(), remote, 0, MEM_RELEASE);
    Require(wrote && written == bytes, L"WriteProcessMemory into the program failed (" + LastErrorText() + L")");
    return sent != 0;
}

void PickFolder(const App& app, HWND picker, const std::wstring& path)
{
    // A picker still filling its tree puts its first selection back over
    // one made too early: select until its edit field shows the folder.
    const std::wstring name = path.substr(path.find_last_of(L'\\') + 1);
    bool selected = false;
    for (int attempt = 0; attempt < 15 && !selected; ++attempt) {
        Require(SendSelection(app, picker, path), L"the folder picker did not answer BFFM_SETSELECTIONW");
        selected = WaitFor([&] { return PickerEditText(picker) == name; }, 300);
    }
    Require(selected, L"the folder picker shows " + Quoted(PickerEditText(picker)) + L", not " + Quoted(name));
    app.Settle(100);
    HWND ok = GetDlgItem(picker, IDOK);
    Require(ok && Visible(ok), L"the folder picker has no OK button:" + Describe(ChildrenOf(picker)));
    Require(WaitFor([&] { return Enabled(ok); }, 2000), L"the folder picker's OK button stays disabled for " + path);
    ClickControl(ok);
    WaitGone(app, picker, L"the folder picker (after OK for " + path + L")");
}

void CancelFolderPicker(const App& app, HWND picker)
{
    HWND cancel = GetDlgItem(picker, IDCANCEL);
    Require(cancel && Visible(cancel), L"the folder picker has no Cancel button:" + Describe(ChildrenOf(picker)));
    ClickControl(cancel);
    WaitGone(app, picker, L"the folder picker (after Cancel)");
}

HWND FileNameBox(HWND dialog)
{
    // Wine's dialog has a plain edit box; Windows' a combo box holding one.
    HWND box = GetDlgItem(dialog, edt1);
    if (box && Visible(box) && ClassOf(box) == L"Edit")
        return box;
    // Wine 8 wraps that combo box in a ComboBoxEx32 of the same ID.
    if (HWND combo = GetDlgItem(dialog, cmb13)) {
        if (HWND edit = FindWindowExW(combo, nullptr, L"Edit", nullptr))
            return edit;
        if (HWND inner = FindWindowExW(combo, nullptr, L"ComboBox", nullptr))
            if (HWND edit = FindWindowExW(inner, nullptr, L"Edit", nullptr))
                return edit;
    }
    return nullptr;
}

HWND WaitOpenFileDialog(const App& app, DWORD milliseconds)
{
    return WaitDialogWith(app, milliseconds, [](HWND d) { return FileNameBox(d) != nullptr; });
}

void ConfirmFileName(const App& app, HWND dialog, const std::wstring& path)
{
    HWND box = FileNameBox(dialog);
    Require(box != nullptr, L"the open-file dialog has no file-name box");
    ClickControl(box);
    Require(WaitFor([&] { return FocusOf(app) == box; }, 2000), L"a click into the file-name box does not focus it");
    // Whatever it holds goes: all of it selected, then typed over.
    PressChord({VK_CONTROL}, VK_HOME);
    PressChord({VK_CONTROL, VK_SHIFT}, VK_END);
    TypeText(path);
    Require(WaitFor([&] { return WindowText(box) == path; }, 3000),
            L"the file-name box shows " + Quoted(WindowText(box)) + L" after typing " + Quoted(path));
    PressKey(VK_RETURN);
    WaitGone(app, dialog, L"the open-file dialog (after Enter on " + path + L")");
}

void CancelWithEsc(const App& app, HWND dialog)
{
    HWND box = FileNameBox(dialog);
    Require(box != nullptr, L"the open-file dialog has no file-name box");
    ClickControl(box);
    Require(WaitFor([&] { return FocusOf(app) == box; }, 2000), L"a click into the file-name box does not focus it");
    PressKey(VK_ESCAPE);
    WaitGone(app, dialog, L"the open-file dialog (after Esc)");
}

// ---- message boxes --------------------------------------------------------------

namespace {

struct BoxSearch {
    DWORD pid;
    HWND found;
};

BOOL CALLBACK FindBox(HWND w, LPARAM param)
{
    auto* s = reinterpret_cast<BoxSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(w, &pid);
    if (pid == s->pid && IsWindowVisible(w) && ClassOf(w) == L"#32770") {
        s->found = w;
        return FALSE;
    }
    return TRUE;
}

struct ButtonSearch {
    std::vector<std::pair<LONG, int>> found;  // left edge, ID
};

BOOL CALLBACK FindButtons(HWND w, LPARAM param)
{
    if (IsWindowVisible(w) && ClassOf(w) == L"Button")
        reinterpret_cast<ButtonSearch*>(param)->found.emplace_back(ScreenRect(w).left, GetDlgCtrlID(w));
    return TRUE;
}

}  // namespace

std::optional<MessageBoxSeen> WaitMessageBox(const App& app, DWORD milliseconds)
{
    BoxSearch search{app.ProcessId(), nullptr};
    if (!WaitFor([&] { EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search)); return search.found != nullptr; },
                 milliseconds))
        return std::nullopt;
    // Let it finish laying itself out before it is read.
    Sleep(200);
    MessageBoxSeen box;
    box.window = search.found;
    box.owner = GetWindow(box.window, GW_OWNER);
    box.title = WindowText(box.window);
    if (HWND text = GetDlgItem(box.window, 0xFFFF))
        box.text = WindowText(text);
    ButtonSearch buttons;
    EnumChildWindows(box.window, FindButtons, reinterpret_cast<LPARAM>(&buttons));
    std::sort(buttons.found.begin(), buttons.found.end());
    for (const auto& b : buttons.found)
        box.buttons.push_back(b.second);
    return box;
}

void AnswerMessageBox(const App& app, const MessageBoxSeen& box, int buttonId)
{
    HWND button = GetDlgItem(box.window, buttonId);
    Require(button && Visible(button), L"the message box has no button of ID " + Num(buttonId));
    ClickControl(button);
    Require(WaitFor([&] { return !IsWindow(box.window) || !Visible(box.window); }, 3000),
            L"the message box stays after its button " + Num(buttonId) + L" was clicked");
    app.Settle();
}

// ---- screenshots ------------------------------------------------------------------

namespace {

struct Picture {
    int width = 0, height = 0;
    std::vector<std::uint8_t> bgr;  // bottom-up rows, each padded to 4 bytes
    int Stride() const { return (width * 3 + 3) & ~3; }
};

Picture Capture(const RECT& r)
{
    Picture p;
    p.width = r.right - r.left;
    p.height = r.bottom - r.top;
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = p.width;
    info.bmiHeader.biHeight = p.height;  // bottom-up, as a BMP file stores it
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    Require(bitmap && bits, L"cannot make a bitmap for the screenshot");
    HGDIOBJ old = SelectObject(memory, bitmap);
    const BOOL copied = BitBlt(memory, 0, 0, p.width, p.height, screen, r.left, r.top, SRCCOPY | CAPTUREBLT);
    GdiFlush();
    const auto* start = static_cast<const std::uint8_t*>(bits);
    p.bgr.assign(start, start + static_cast<size_t>(p.Stride()) * static_cast<size_t>(p.height));
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    Require(copied != FALSE, L"BitBlt from the screen failed");
    return p;
}

size_t DistinctColours(const Picture& p)
{
    std::set<std::uint32_t> colours;
    for (int y = 0; y < p.height; y += 2) {
        const std::uint8_t* row = p.bgr.data() + static_cast<size_t>(y) * static_cast<size_t>(p.Stride());
        for (int x = 0; x < p.width; x += 2)
            colours.insert(static_cast<std::uint32_t>(row[x * 3] | row[x * 3 + 1] << 8 | row[x * 3 + 2] << 16));
    }
    return colours.size();
}

}  // namespace

void Screenshot(const App& app, const std::wstring& folder, const std::wstring& name, HWND extra, DWORD settle)
{
    ParkMouse();
    app.Settle(settle);
    RECT area = ScreenRect(app.Main());
    if (extra) {
        const RECT e = ScreenRect(extra);
        UnionRect(&area, &area, &e);
    }
    const Picture p = Capture(area);

    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER head{};
    head.biSize = sizeof head;
    head.biWidth = p.width;
    head.biHeight = p.height;
    head.biPlanes = 1;
    head.biBitCount = 24;
    head.biCompression = BI_RGB;
    head.biSizeImage = static_cast<DWORD>(p.bgr.size());
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof head;
    file.bfSize = file.bfOffBits + head.biSizeImage;
    std::string bytes(reinterpret_cast<const char*>(&file), sizeof file);
    bytes.append(reinterpret_cast<const char*>(&head), sizeof head);
    bytes.append(reinterpret_cast<const char*>(p.bgr.data()), p.bgr.size());

    MakeFolders(folder);
    const std::wstring path = folder + L"\\" + name + L".bmp";
    Require(WriteBytes(path, bytes), L"cannot write " + path);
    Log(L"screenshot " + path + L" (" + Num(p.width) + L" x " + Num(p.height) + L")");
    // A window that was drawn has at least its frame, face, text and edges.
    const size_t colours = DistinctColours(p);
    Expect(colours >= 4, L"screenshot " + name + L" is blank (" + Num(static_cast<long long>(colours)) +
                             L" colours): nothing was drawn where the window is");
}
