// Drives the real Quillmarsh.exe as a user would and checks what it shows.
//
//   e2e_driver <Quillmarsh.exe> <scenario> <screenshot folder>
//
// Each scenario lays out a fresh program folder (the exe, the library's
// folders, a game root, a settings file as it asks), starts the program
// there, acts with real mouse and keyboard input and reads the window back.
// Exit code 0 when every check held, 1 when one failed, 2 for bad usage.

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <vector>

#include "e2e/Ui.h"

namespace {

struct Options {
    std::wstring exe;
    std::wstring scenario;
    std::wstring shots;
};
Options g_options;

// ---- the folders a scenario starts from ----------------------------------------

// The library's own folders beside the program.
const std::wstring kLibraryMods = L"Mod资源文件";
const std::wstring kLibraryConfigs = L"Mod配置文件";
const std::wstring kLibraryNotes = L"Mod注释文件";

// What a player's library typically holds: Chinese and ASCII names, a name
// with brackets, one without an extension, and a folder that is not a mod.
const std::vector<std::wstring> kLibraryModNames = {
    L"工业时代2-2.2.827.jar", L"OptiFine_1.7.10_HD_U_E7.jar", L"[前置]CodeChickenCore-1.0.7.47.jar",
    L"暮色森林 2.3.7.jar", L"说明",
};
const std::vector<std::wstring> kGameModNames = {
    L"NotEnoughItems-1.0.5.120.jar", L"匠魂-1.8.8.jar", L"旅行地图 5.1.4.zip",
};

struct Layout {
    std::wstring programFolder;  // holds Quillmarsh.exe and the library
    std::wstring exe;
    std::wstring settings;       // 配置.ini, not made by LayOut
    std::wstring gameRoot;       // holds .minecraft, made by MakeGame
};

// The program's folder with the exe copied in and the three library folders,
// holding mods when asked.
Layout LayOut(const Sandbox& box, const std::wstring& folderName, bool withMods)
{
    Layout l;
    l.programFolder = box.Path(folderName);
    MakeFolders(l.programFolder);
    l.exe = l.programFolder + L"\\Quillmarsh.exe";
    Require(CopyFileW(g_options.exe.c_str(), l.exe.c_str(), FALSE) != FALSE,
            L"cannot copy " + g_options.exe + L" into " + l.programFolder);
    l.settings = l.programFolder + L"\\配置.ini";
    for (const std::wstring& f : {kLibraryMods, kLibraryConfigs, kLibraryNotes})
        MakeFolders(l.programFolder + L"\\" + f);
    if (withMods) {
        for (const std::wstring& name : kLibraryModNames)
            box.MakeFile(folderName + L"\\" + kLibraryMods + L"\\" + name, "PK\x03\x04");
        box.MakeFile(folderName + L"\\" + kLibraryMods + L"\\旧版本\\工业时代2-2.0.jar", "PK");
        box.MakeFolder(folderName + L"\\" + kLibraryConfigs + L"\\工业时代2-2.2.827");
        box.MakeFile(folderName + L"\\" + kLibraryNotes + L"\\工业时代2-2.2.827.txt", "Mod");
    }
    return l;
}

// A game root with .minecraft\mods (a few mods and a version folder) and
// .minecraft\config.
void MakeGame(const Sandbox& box, Layout& l, const std::wstring& relativeRoot)
{
    l.gameRoot = box.Path(relativeRoot);
    for (const std::wstring& name : kGameModNames)
        box.MakeFile(relativeRoot + L"\\.minecraft\\mods\\" + name, "PK\x03\x04");
    box.MakeFile(relativeRoot + L"\\.minecraft\\mods\\1.7.10\\CodeChickenLib-1.7.10.jar", "PK");
    box.MakeFile(relativeRoot + L"\\.minecraft\\config\\forge.cfg", "# config\r\n");
}

// The settings file as the program writes it: GBK, CR LF. No launch key
// when launchFile is null.
std::string SettingsBytes(const std::wstring& root, const std::wstring* launchFile)
{
    std::string bytes = "[目录设置]\r\n游戏根目录=" + Gbk(root) + "\r\n";
    if (launchFile)
        bytes += "游戏启动文件路径=" + Gbk(*launchFile) + "\r\n";
    return bytes;
}

std::string ReadBytes(const std::wstring& path)
{
    std::string bytes;
    HANDLE f = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(f, buffer, sizeof buffer, &got, nullptr) && got > 0)
        bytes.append(buffer, got);
    CloseHandle(f);
    return bytes;
}

// ---- checks on the window, driven by the control table ---------------------------

bool OnScreen(ControlId id)
{
    const ControlKind k = ControlInfo(id).kind;
    return k != ControlKind::BalloonTip && k != ControlKind::OpenFileDialog;
}

template <typename F>
void ForEachShown(F f)
{
    for (int i = 0; i < kControlCount; ++i)
        if (OnScreen(static_cast<ControlId>(i)))
            f(static_cast<ControlId>(i));
}

const wchar_t* ClassFor(ControlKind k)
{
    switch (k) {
    case ControlKind::GroupBox:
    case ControlKind::Button: return L"Button";
    case ControlKind::Label: return L"Static";
    case ControlKind::EditBox:
    case ControlKind::MultiLineEdit: return L"Edit";
    case ControlKind::ListBox: return L"ListBox";
    case ControlKind::HyperLink: return L"SysLink";
    default: return L"";
    }
}

void ExpectWindowSize(const App& app, int width, int height)
{
    const RECT r = ScreenRect(app.Main());
    ExpectEqual(L"window width", width, r.right - r.left);
    ExpectEqual(L"window height", height, r.bottom - r.top);
}

// Every control is there, of its class, visible, where the table puts it.
void ExpectLayout(const App& app)
{
    ForEachShown([&](ControlId id) {
        HWND c = app.Control(id);
        const ControlRow& row = ControlInfo(id);
        const std::wstring name = NameOf(id);
        Expect(_wcsicmp(ClassOf(c).c_str(), ClassFor(row.kind)) == 0,
               name + L" is of class " + ClassOf(c) + L", expected " + ClassFor(row.kind));
        Expect(Visible(c), name + L" is not visible");
        const Rect want = ClientRectOf(id);
        const RECT seen = RectInClient(app.Main(), c);
        const int seenHeight = seen.bottom - seen.top;
        // A list box may shorten itself to a whole number of rows.
        const bool heightOk = row.kind == ControlKind::ListBox
                                  ? seenHeight <= want.height && seenHeight > want.height - ListItemHeight(c) - 4
                                  : seenHeight == want.height;
        Expect(seen.left == want.x && seen.top == want.y && seen.right - seen.left == want.width && heightOk,
               name + L" is at (" + Num(seen.left) + L", " + Num(seen.top) + L") size " + Num(seen.right - seen.left) +
                   L" x " + Num(seenHeight) + L", expected (" + Num(want.x) + L", " + Num(want.y) + L") size " +
                   Num(want.width) + L" x " + Num(want.height));
    });
}

// What a control shows: a link control's window text carries its markup,
// which the user does not see.
std::wstring ShownText(HWND control)
{
    std::wstring text = WindowText(control);
    if (_wcsicmp(ClassOf(control).c_str(), L"SysLink") != 0)
        return text;
    std::wstring shown;
    for (size_t i = 0; i < text.size(); ++i) {
        const bool tag = text[i] == L'<' && (_wcsnicmp(&text[i], L"<a>", 3) == 0 || _wcsnicmp(&text[i], L"<a ", 3) == 0 ||
                                             _wcsnicmp(&text[i], L"</a>", 4) == 0);
        if (tag)
            i = text.find(L'>', i);
        else
            shown += text[i];
    }
    return shown;
}

// Texts of every control: the table's initial ones, except those given.
void ExpectTexts(const App& app, const std::map<ControlId, std::wstring>& changed = {})
{
    ForEachShown([&](ControlId id) {
        const auto it = changed.find(id);
        const std::wstring want = it != changed.end() ? it->second : Wide(ControlInfo(id).text);
        ExpectEqual(NameOf(id) + L" text", want, ShownText(app.Control(id)));
    });
}

bool Contains(std::initializer_list<ControlId> ids, ControlId id)
{
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

// A control is usable when neither it nor any group box around it is
// disabled; ownDisabled lists the controls whose own flag is off.
void ExpectEnabled(const App& app, std::initializer_list<ControlId> ownDisabled)
{
    ForEachShown([&](ControlId id) {
        bool usable = !Contains(ownDisabled, id);
        for (ControlId p = ControlInfo(id).parent; p != kNoControl; p = ControlInfo(p).parent)
            usable = usable && !Contains(ownDisabled, p);
        const bool seen = Enabled(app.Control(id));
        Expect(seen == usable, NameOf(id) + (usable ? L" should be enabled, is disabled" : L" should be disabled, is enabled"));
    });
}

// The state the window starts in without settings (or after it dropped them).
void ExpectNoGameSet(const App& app)
{
    const std::wstring placeholder = Wide("请先设置....");
    ExpectEqual(L"标签1 text", placeholder, WindowText(app.Control(标签1)));
    ExpectEqual(L"标签2 text", placeholder, WindowText(app.Control(标签2)));
    ExpectEnabled(app, {标签1, 按钮8, 分组框2});
    ExpectEqual(L"items in 资源库列表框", 0, ListCount(app.Control(资源库列表框)));
    ExpectEqual(L"items in 已有Mod列表框", 0, ListCount(app.Control(已有Mod列表框)));
}

std::wstring Joined(const std::vector<std::wstring>& items)
{
    std::wstring s = L"[";
    for (size_t i = 0; i < items.size(); ++i)
        s += (i ? L", " : L"") + Quoted(items[i]);
    return s + L"]";
}

void ExpectItems(const std::wstring& what, const std::vector<std::wstring>& want, HWND list)
{
    const std::vector<std::wstring> seen = ListItems(list);
    Expect(seen == want, what + L": expected " + Joined(want) + L", seen " + Joined(seen));
}

// Both lists show the files (never the folders) of their folders, in the
// file system's order, with nothing selected.
void ExpectModLists(const App& app, const Layout& l)
{
    const std::vector<std::wstring> library = FilesIn(l.programFolder + L"\\" + kLibraryMods);
    const std::vector<std::wstring> game = FilesIn(l.gameRoot + L"\\.minecraft\\mods");
    Require(!library.empty() && !game.empty(), L"the scenario's folders hold no mods");
    ExpectItems(L"资源库列表框 items", library, app.Control(资源库列表框));
    ExpectItems(L"已有Mod列表框 items", game, app.Control(已有Mod列表框));
    ExpectEqual(L"资源库列表框 selection", -1, ListSelection(app.Control(资源库列表框)));
    ExpectEqual(L"已有Mod列表框 selection", -1, ListSelection(app.Control(已有Mod列表框)));
}

// ---- acting ---------------------------------------------------------------------

// Clicks 按钮9 and waits for the width to become the given one.
void ToggleTo(const App& app, int width)
{
    BringToFront(app);
    ClickControl(app.Control(按钮9));
    const bool done = WaitFor([&] {
        const RECT r = ScreenRect(app.Main());
        return r.right - r.left == width;
    }, 2000);
    const RECT r = ScreenRect(app.Main());
    Expect(done, L"after clicking 按钮9 the width should be " + Num(width) + L", is " + Num(r.right - r.left));
    app.Settle();
}

// A point inside the first character of the link's text, where a click
// lands on the link itself rather than beside it.
POINT OnLinkText(HWND link)
{
    const RECT r = ScreenRect(link);
    return POINT{r.left + std::min(8L, (r.right - r.left) / 2), r.top + std::min(8L, (r.bottom - r.top) / 2)};
}

std::vector<HWND> NewWindows(const std::vector<HWND>& before)
{
    std::vector<HWND> added;
    for (HWND w : VisibleTopLevelWindows())
        if (std::find(before.begin(), before.end(), w) == before.end())
            added.push_back(w);
    return added;
}

std::wstring Describe(const std::vector<HWND>& windows)
{
    std::wstring s;
    for (HWND w : windows) {
        DWORD pid = 0;
        GetWindowThreadProcessId(w, &pid);
        s += L" [" + ClassOf(w) + L" " + Quoted(WindowText(w)) + L" of process " + Num(pid) + L"]";
    }
    return s;
}

// Windows opened by mistake are closed, so that what they hold (their
// current folder in the sandbox, say) does not outlast the scenario.
void CloseAll(const std::vector<HWND>& windows)
{
    for (HWND w : windows)
        PostMessageW(w, WM_CLOSE, 0, 0);
    WaitFor([&] { return std::none_of(windows.begin(), windows.end(), [](HWND w) { return IsWindow(w) != FALSE; }); },
            3000);
}

// Clicks 超级链接框4 and checks the version notice it shows, then answers it.
// With a name, a screenshot shows the notice over the window.
void CheckVersionNotice(const App& app, const std::wstring& screenshot = std::wstring())
{
    BringToFront(app);
    const std::vector<HWND> before = VisibleTopLevelWindows();
    ClickAt(OnLinkText(app.Control(超级链接框4)));
    const auto box = WaitMessageBox(app, 3000);
    Require(box.has_value(), L"no message box within 3 s of clicking 超级链接框4");
    ExpectEqual(L"message box title", L"警示", box->title);
    ExpectEqual(L"message box text", L"目前已整理的资源仅支持1.7.10版本", box->text);
    Expect(box->buttons == std::vector<int>{IDOK},
           L"the message box should have only an OK button; it has " + Num(static_cast<long long>(box->buttons.size())) +
               L" buttons");
    Expect(box->owner == app.Main(), L"the message box is not owned by the main window");
    Expect(!Enabled(app.Main()), L"the main window stays usable while the message box is up");
    if (!screenshot.empty())
        Screenshot(app, g_options.shots, screenshot, box->window);
    AnswerMessageBox(app, *box, IDOK);
    Expect(Enabled(app.Main()), L"the main window is still disabled after the message box went");
    // Whatever else the click would open takes a moment to appear.
    Sleep(1000);
    const std::vector<HWND> added = NewWindows(before);
    Expect(added.empty(), L"clicking 超级链接框4 opened more than the message box:" + Describe(added));
    CloseAll(added);
}

// ---- scenarios --------------------------------------------------------------------

void FirstStart()
{
    Sandbox box(L"first-start");
    Layout l = LayOut(box, L"app", true);
    App app(l.exe, l.programFolder);

    ExpectWindowSize(app, kNarrowWidth, kDesignHeight);
    ExpectLayout(app);
    ExpectTexts(app);
    ExpectNoGameSet(app);
    const auto balloon = FindBalloon(app);
    Expect(balloon.has_value(), L"no tooltip window owned by the main window (the notice balloon)");
    if (balloon)
        Expect(!balloon->visible, L"the notice balloon shows at start: " + Quoted(balloon->text));
    Expect(!FileExists(l.settings), L"the program made 配置.ini at start");
    Screenshot(app, g_options.shots, L"1-start-588");

    ToggleTo(app, kDesignWidth);
    ExpectWindowSize(app, kDesignWidth, kDesignHeight);
    Screenshot(app, g_options.shots, L"2-wide-931");
    app.Close();
}

void ValidRoot()
{
    Sandbox box(L"valid-root");
    // A player's folders are often Chinese, the program's too.
    Layout l = LayOut(box, L"我的工具\\模组管理器", true);
    MakeGame(box, l, L"游戏\\我的世界");
    const std::string settings = SettingsBytes(l.gameRoot, nullptr);
    Require(WriteBytes(l.settings, settings), L"cannot write " + l.settings);
    App app(l.exe, l.programFolder);

    ExpectModLists(app, l);
    ExpectEqual(L"标签1 text", l.gameRoot, WindowText(app.Control(标签1)));
    ExpectEqual(L"标签2 text", L"", WindowText(app.Control(标签2)));
    ExpectEnabled(app, {标签1});
    ExpectWindowSize(app, kNarrowWidth, kDesignHeight);
    Expect(ReadBytes(l.settings) == settings, L"配置.ini changed at start");
    Screenshot(app, g_options.shots, L"1-lists-588");
    app.Close();
}

void StaleRoot()
{
    struct Case {
        const wchar_t* name;
        const wchar_t* root;  // what 配置.ini names, under the sandbox
        const wchar_t* made;  // what exists there instead (a folder), or null
        bool madeIsFile;
    };
    const Case cases[] = {
        {L"missing folder", L"游戏\\不存在", nullptr, false},
        {L"a file, not a folder", L"游戏\\我的世界", L"游戏\\我的世界", true},
        {L"a folder that differs in letter case", L"游戏\\我的世界game", L"游戏\\我的世界Game", false},
    };
    for (const Case& c : cases) {
        Log(L"-- root is " + std::wstring(c.name));
        Sandbox box(L"stale-root");
        Layout l = LayOut(box, L"app", true);
        if (c.made && c.madeIsFile)
            box.MakeFile(c.made, "not a folder");
        else if (c.made)
            MakeGame(box, l, c.made);
        Require(WriteBytes(l.settings, SettingsBytes(box.Path(c.root), nullptr)), L"cannot write " + l.settings);
        App app(l.exe, l.programFolder);
        Expect(WaitFor([&] { return !FileExists(l.settings); }, 2000),
               L"配置.ini naming " + std::wstring(c.name) + L" is still there after start");
        ExpectNoGameSet(app);
        app.Close();
    }
}

void ToggleWidth()
{
    Sandbox box(L"toggle-width");
    Layout l = LayOut(box, L"app", true);
    App app(l.exe, l.programFolder);
    const RECT start = ScreenRect(app.Main());
    ExpectEqual(L"window width at start", kNarrowWidth, start.right - start.left);

    ToggleTo(app, kDesignWidth);
    RECT r = ScreenRect(app.Main());
    ExpectEqual(L"window height when wide", kDesignHeight, r.bottom - r.top);
    Expect(r.left == start.left && r.top == start.top, L"the top-left corner moved when widening");
    // Wide, the whole layout is inside the client area.
    const SIZE client = ClientSize(app.Main());
    ForEachShown([&](ControlId id) {
        const Rect want = ClientRectOf(id);
        Expect(want.x + want.width <= client.cx && want.y + want.height <= client.cy,
               NameOf(id) + L" does not fit in the client area " + Num(client.cx) + L" x " + Num(client.cy));
    });
    Screenshot(app, g_options.shots, L"1-wide-931");

    ToggleTo(app, kNarrowWidth);
    r = ScreenRect(app.Main());
    ExpectEqual(L"window height when narrow again", kDesignHeight, r.bottom - r.top);
    Expect(r.left == start.left && r.top == start.top, L"the top-left corner moved when narrowing");
    // Narrow, the resource panel is cut off.
    Expect(ClientSize(app.Main()).cx <= ClientRectOf(分组框6).x, L"分组框6 is still in view when narrow");
    Screenshot(app, g_options.shots, L"2-narrow-588");
    app.Close();
}

// The new text is the old one with the insertion made at the end of one of
// its lines (End goes to the end of the line the click put the caret on).
bool InsertedAtLineEnd(const std::wstring& before, const std::wstring& after, const std::wstring& inserted)
{
    if (after.size() != before.size() + inserted.size())
        return false;
    for (size_t p = 0; p <= before.size(); ++p) {
        const bool lineEnd = p == before.size() || before[p] == L'\r';
        if (lineEnd && after == before.substr(0, p) + inserted + before.substr(p))
            return true;
    }
    return false;
}

void EscAndEnter()
{
    Sandbox box(L"esc-and-enter");
    Layout l = LayOut(box, L"app", false);
    App app(l.exe, l.programFolder);
    ToggleTo(app, kDesignWidth);

    HWND edit = app.Control(编辑框2);
    const std::wstring before = WindowText(edit);
    ClickControl(edit);
    GUITHREADINFO gui{};
    gui.cbSize = sizeof gui;
    Expect(GetGUIThreadInfo(app.ThreadId(), &gui) && gui.hwndFocus == edit, L"a click into 编辑框2 does not focus it");
    PressKey(VK_END);
    PressKey(VK_RETURN);
    TypeText(L"附魔");
    const std::wstring inserted = L"\r\n附魔";
    WaitFor([&] { return WindowText(edit).size() == before.size() + inserted.size(); }, 2000);
    const std::wstring after = WindowText(edit);
    Expect(InsertedAtLineEnd(before, after, inserted),
           L"End, Enter and typing in 编辑框2 should add a line break and the typed text at a line's end; before " +
               Quoted(before) + L", after " + Quoted(after));
    app.Settle(500);
    Require(app.Running() && IsWindow(app.Main()) && Visible(app.Main()), L"the program closed on Enter in 编辑框2");
    Expect(!WaitMessageBox(app, 300).has_value(), L"Enter in 编辑框2 opened a message box");

    PressKey(VK_ESCAPE);
    Expect(app.WaitExit(5000), L"the program still runs 5 s after Esc");
    Expect(!IsWindow(app.Main()), L"the main window is still there after Esc");
    app.Kill();
}

void DisabledPanel()
{
    Sandbox box(L"disabled-panel");
    Layout l = LayOut(box, L"app", true);
    App app(l.exe, l.programFolder);
    ExpectNoGameSet(app);

    BringToFront(app);
    const std::vector<HWND> before = VisibleTopLevelWindows();
    ClickControl(app.Control(按钮3));
    Expect(!WaitMessageBox(app, 1000).has_value(), L"clicking the disabled 按钮3 opened a message box");
    HWND list = app.Control(资源库列表框);
    const RECT lr = ScreenRect(list);
    ClickAt(POINT{(lr.left + lr.right) / 2, lr.top + 2 + ListItemHeight(list) / 2});
    Expect(!WaitMessageBox(app, 1000).has_value(), L"clicking into the disabled 资源库列表框 opened a message box");
    ExpectEqual(L"资源库列表框 selection after the click", -1, ListSelection(list));
    const std::vector<HWND> added = NewWindows(before);
    Expect(added.empty(), L"clicks on the disabled panel opened windows:" + Describe(added));
    CloseAll(added);
    ExpectNoGameSet(app);

    // The resource panel and the links outside the disabled one still answer.
    ToggleTo(app, kDesignWidth);
    ExpectEnabled(app, {标签1, 按钮8, 分组框2});
    CheckVersionNotice(app);
    ToggleTo(app, kNarrowWidth);
    app.Close();
}

void NoticeLink()
{
    Sandbox box(L"notice-link");
    Layout l = LayOut(box, L"app", false);
    App app(l.exe, l.programFolder);
    CheckVersionNotice(app, L"1-notice");
    Require(app.Running(), L"the program ended after the notice");
    app.Close();
}

void NonChineseLocale()
{
    const UINT acp = GetACP();
    Log(L"ANSI code page " + Num(acp));
    Require(acp != 936, L"this scenario needs a non-Chinese locale (run it with --lang C.UTF-8)");

    {
        Log(L"-- with a game root and a launch file, all named in Chinese");
        Sandbox box(L"locale");
        Layout l = LayOut(box, L"我的工具\\模组管理器", true);
        MakeGame(box, l, L"游戏\\我的世界");
        const std::wstring launch = l.gameRoot + L"\\启动器.exe";
        box.MakeFile(L"游戏\\我的世界\\启动器.exe", "MZ");
        Require(WriteBytes(l.settings, SettingsBytes(l.gameRoot, &launch)), L"cannot write " + l.settings);
        App app(l.exe, l.programFolder);
        Require(FileExists(l.settings), L"the program dropped 配置.ini: it did not find the game root " + l.gameRoot);
        ExpectModLists(app, l);
        ExpectTexts(app, {{标签1, l.gameRoot}, {标签2, launch}});
        ExpectEnabled(app, {标签1});
        app.Close();
    }
    {
        Log(L"-- without settings");
        Sandbox box(L"locale");
        Layout l = LayOut(box, L"app", true);
        App app(l.exe, l.programFolder);
        ExpectTexts(app);
        ExpectNoGameSet(app);
        app.Close();
    }
}

struct Scenario {
    const wchar_t* name;
    void (*run)();
};

const Scenario kScenarios[] = {
    {L"first-start", FirstStart},       {L"valid-root", ValidRoot},         {L"stale-root", StaleRoot},
    {L"toggle-width", ToggleWidth},     {L"esc-and-enter", EscAndEnter},    {L"disabled-panel", DisabledPanel},
    {L"notice-link", NoticeLink},       {L"non-chinese-locale", NonChineseLocale},
};

int Usage()
{
    std::wstring names;
    for (const Scenario& s : kScenarios)
        names += std::wstring(L" ") + s.name;
    Log(L"usage: e2e_driver <Quillmarsh.exe> <scenario> <screenshot folder>\nscenarios:" + names);
    return 2;
}

}  // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc != 4)
        return Usage();
    g_options = Options{WindowsPath(argv[1]), argv[2], WindowsPath(argv[3])};
    LocalFree(argv);

    const Scenario* scenario = nullptr;
    for (const Scenario& s : kScenarios)
        if (g_options.scenario == s.name)
            scenario = &s;
    if (!scenario)
        return Usage();
    if (!FileExists(g_options.exe)) {
        Log(L"no program at " + g_options.exe);
        return 2;
    }
    Log(L"scenario " + g_options.scenario + L" on " + g_options.exe + L", screen " +
        Num(GetSystemMetrics(SM_CXSCREEN)) + L" x " + Num(GetSystemMetrics(SM_CYSCREEN)));
    try {
        scenario->run();
    } catch (const ScenarioStopped&) {
    }
    if (FailureCount() > 0) {
        Log(L"scenario " + g_options.scenario + L" FAILED (" + Num(FailureCount()) + L" failed checks)");
        return 1;
    }
    Log(L"scenario " + g_options.scenario + L" passed");
    return 0;
}
