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

// ---- the library and the game, as the program names their pieces ----------------

// A mod's note before anything was written into it: 48 GBK bytes.
constexpr char kNoteTemplate[] = "Mod名称：\r\n\r\n主要功能：\r\n\r\n添加时间：\r\n\r\nBug：\r\n";
static_assert(sizeof kNoteTemplate - 1 == 48, "the note template is 48 bytes");
const std::wstring kPlaceholder = L"请先设置....";
const std::wstring kModFilePlaceholder = L" Mod文件路径....";
const std::wstring kConfigFolderPlaceholder = L" Mod配置文件的文件夹路径....";
const std::wstring kNoModChosen = L" 请先选择Mod...";

std::wstring LibraryFile(const Layout& l, const std::wstring& name) { return l.programFolder + L"\\" + kLibraryMods + L"\\" + name; }
std::wstring LibraryConfig(const Layout& l, const std::wstring& name)
{
    return l.programFolder + L"\\" + kLibraryConfigs + L"\\" + name;
}
std::wstring LibraryNote(const Layout& l, const std::wstring& name)
{
    return l.programFolder + L"\\" + kLibraryNotes + L"\\" + name + L".txt";
}
std::wstring GameMods(const Layout& l) { return l.gameRoot + L"\\.minecraft\\mods"; }
std::wstring GameConfig(const Layout& l) { return l.gameRoot + L"\\.minecraft\\config"; }

// A library mod with the pieces asked for: its configuration folder holds
// c.cfg and deep\d.cfg; a null note means none.
void MakeLibraryMod(const Layout& l, const std::wstring& name, bool withConfig, const std::string* note)
{
    Require(WriteBytes(LibraryFile(l, name), "PK mod " + Gbk(name)), L"cannot write " + LibraryFile(l, name));
    if (withConfig) {
        MakeFolders(LibraryConfig(l, name) + L"\\deep");
        Require(WriteBytes(LibraryConfig(l, name) + L"\\c.cfg", "cfg") &&
                    WriteBytes(LibraryConfig(l, name) + L"\\deep\\d.cfg", "deep cfg"),
                L"cannot write the configuration of " + name);
    }
    if (note)
        Require(WriteBytes(LibraryNote(l, name), *note), L"cannot write " + LibraryNote(l, name));
}

// Every entry under the folder (files and folders, "sub\name" style) with
// the bytes of each file, for comparing a tree before and after.
std::map<std::wstring, std::string> TreeOf(const std::wstring& folder)
{
    std::map<std::wstring, std::string> tree;
    std::vector<std::wstring> pending{L""};
    while (!pending.empty()) {
        const std::wstring relative = pending.back();
        pending.pop_back();
        const std::wstring base = relative.empty() ? folder : folder + L"\\" + relative;
        WIN32_FIND_DATAW data;
        HANDLE find = FindFirstFileW((base + L"\\*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE)
            continue;
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const std::wstring child = relative.empty() ? name : relative + L"\\" + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                tree[child + L"\\"] = std::string();
                pending.push_back(child);
            } else {
                tree[child] = ReadBytes(folder + L"\\" + child);
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    return tree;
}

std::wstring Listed(const std::map<std::wstring, std::string>& tree)
{
    std::vector<std::wstring> names;
    for (const auto& entry : tree)
        names.push_back(entry.first);
    return Joined(names);
}

void ExpectTree(const std::wstring& what, const std::map<std::wstring, std::string>& want, const std::wstring& folder)
{
    const auto seen = TreeOf(folder);
    Expect(seen == want, what + L": expected " + Listed(want) + L", seen " + Listed(seen) +
                             (Listed(seen) == Listed(want) ? L" (same names, other bytes)" : L""));
}

void ExpectBytes(const std::wstring& what, const std::string& want, const std::wstring& path)
{
    if (!FileExists(path)) {
        Expect(false, what + L": no file " + path);
        return;
    }
    const std::string seen = ReadBytes(path);
    Expect(seen == want, what + L": " + path + L" holds " + Num(static_cast<long long>(seen.size())) +
                             L" bytes " + Quoted(Wide(seen)) + L", expected " +
                             Num(static_cast<long long>(want.size())) + L" bytes " + Quoted(Wide(want)));
}

void ExpectText(const App& app, ControlId id, const std::wstring& want)
{
    ExpectEqual(NameOf(id) + L" text", want, WindowText(app.Control(id)));
}

bool Holds(const std::vector<std::wstring>& items, const std::wstring& name)
{
    return std::find(items.begin(), items.end(), name) != items.end();
}

// ---- acting on the program, as a user -------------------------------------------

// Clicks the list's item of that text, which then is the selection.
int SelectItem(const App& app, ControlId list, const std::wstring& name)
{
    BringToFront(app);
    HWND h = app.Control(list);
    const std::vector<std::wstring> items = ListItems(h);
    const auto it = std::find(items.begin(), items.end(), name);
    Require(it != items.end(), NameOf(list) + L" does not list " + Quoted(name) + L"; it holds " + Joined(items));
    const int index = static_cast<int>(it - items.begin());
    ClickListItem(h, index);
    Require(WaitFor([&] { return ListSelection(h) == index; }, 2000),
            L"a click on " + Quoted(name) + L" in " + NameOf(list) + L" does not select it (selection " +
                Num(ListSelection(h)) + L")");
    app.Settle();
    return index;
}

// Clicks into the edit box and types the text over all it holds.
void ReplaceText(const App& app, ControlId edit, const std::wstring& text)
{
    BringToFront(app);
    HWND h = app.Control(edit);
    ClickControl(h);
    Require(WaitFor([&] { return FocusOf(app) == h; }, 2000), L"a click into " + NameOf(edit) + L" does not focus it");
    PressChord({VK_CONTROL}, VK_HOME);
    PressChord({VK_CONTROL, VK_SHIFT}, VK_END);
    if (text.empty())
        PressKey(VK_DELETE);
    else
        TypeLines(text);
    Require(WaitFor([&] { return WindowText(h) == text; }, 3000),
            NameOf(edit) + L" shows " + Quoted(WindowText(h)) + L" after typing " + Quoted(text) + L" over it");
}

void ExpectBox(const App& app, const MessageBoxSeen& box, const std::wstring& title, const std::wstring& text,
               const std::vector<int>& buttons)
{
    ExpectEqual(L"message box title", title, box.title);
    ExpectEqual(L"message box text", text, box.text);
    std::wstring ids;
    for (int b : box.buttons)
        ids += L" " + Num(b);
    Expect(box.buttons == buttons, L"the message box " + Quoted(box.title) + L" has the buttons" + ids +
                                       L" (IDOK 1, IDCANCEL 2, IDYES 6, IDNO 7)");
    Expect(box.owner == app.Main(), L"the message box is not owned by the main window");
    Expect(!Enabled(app.Main()), L"the main window stays usable while the message box is up");
}

// Clicks the button and reads the message box it brings up.
MessageBoxSeen ClickForBox(const App& app, ControlId button, const std::wstring& title, const std::wstring& text,
                           const std::vector<int>& buttons)
{
    BringToFront(app);
    ClickControl(app.Control(button));
    const auto box = WaitMessageBox(app, 3000);
    Require(box.has_value(), L"no message box within 3 s of clicking " + NameOf(button) + L" (expected " +
                                 Quoted(text) + L")");
    ExpectBox(app, *box, title, text, buttons);
    return *box;
}

// The balloon of the action just taken: it must show the text. It hides a
// second after it shows, so it is read (and pictured) at once.
void ExpectNotice(const App& app, const std::wstring& after, const std::wstring& text, const std::wstring& screenshot)
{
    const auto b = WaitBalloon(app, 3000);
    if (!b) {
        Expect(false, L"no notice balloon within 3 s of " + after + L" (expected " + Quoted(text) + L")");
    } else {
        ExpectEqual(L"the notice after " + after, text, b->text);
        if (!screenshot.empty())
            Screenshot(app, g_options.shots, screenshot, b->window, 200);
    }
    PauseAfterClick();
    Expect(ProgramDialogs(app).empty(), L"a dialog came up with the notice after " + after);
}

// A notice still showing from before would be taken for the new one.
void WaitNoticeGone(const App& app)
{
    Require(WaitFor([&] {
        const auto b = FindBalloon(app);
        return !b || !b->visible;
    }, 3000), L"the notice balloon does not hide by itself");
}

void ClickForNotice(const App& app, ControlId button, const std::wstring& text, const std::wstring& screenshot = {})
{
    WaitNoticeGone(app);
    BringToFront(app);
    ClickControl(app.Control(button), false);
    ExpectNotice(app, L"clicking " + NameOf(button), text, screenshot);
}

// Answers the box with the button, then checks the notice that follows.
void AnswerForNotice(const App& app, const MessageBoxSeen& box, int buttonId, const std::wstring& text,
                     const std::wstring& screenshot = {})
{
    WaitNoticeGone(app);
    HWND button = GetDlgItem(box.window, buttonId);
    Require(button && Visible(button), L"the message box has no button of ID " + Num(buttonId));
    ClickControl(button, false);
    ExpectNotice(app, L"answering " + Quoted(box.title) + L" with button " + Num(buttonId), text, screenshot);
}

// Clicks the button and picks the folder in the picker it opens, checking
// its prompt and that the window waits for it.
void ChooseFolder(const App& app, ControlId button, const std::wstring& prompt, const std::wstring& folder,
                  const std::wstring& screenshot = {})
{
    BringToFront(app);
    ClickControl(app.Control(button));
    HWND picker = WaitFolderPicker(app, 5000);
    if (!picker) {
        std::wstring seen;
        for (HWND d : ProgramDialogs(app))
            seen += L" {" + Quoted(WindowText(d)) + Describe(ChildrenOf(d)) + L"}";
        Stop(L"no folder picker within 5 s of clicking " + NameOf(button) + L"; dialogs:" + seen);
    }
    Expect(PickerShowsPrompt(picker, prompt),
           L"the folder picker does not show " + Quoted(prompt) + L"; it holds:" + Describe(ChildrenOf(picker)));
    Expect(GetWindow(picker, GW_OWNER) == app.Main(), L"the folder picker is not owned by the main window");
    Expect(!Enabled(app.Main()), L"the main window stays usable while the folder picker is open");
    if (!screenshot.empty())
        Screenshot(app, g_options.shots, screenshot, picker);
    PickFolder(app, picker, folder);
    // A message box that the program shows next disables the window itself.
    if (!WaitMessageBox(app, 300).has_value())
        Expect(Enabled(app.Main()), L"the main window is still disabled after the folder picker closed");
}

// Clicks the button and confirms the file in the open-file dialog it opens.
void ChooseFile(const App& app, ControlId button, const std::wstring& file, const std::wstring& screenshot = {})
{
    BringToFront(app);
    ClickControl(app.Control(button));
    HWND dialog = WaitOpenFileDialog(app, 5000);
    Require(dialog != nullptr, L"no open-file dialog within 5 s of clicking " + NameOf(button));
    Expect(GetWindow(dialog, GW_OWNER) == app.Main(), L"the open-file dialog is not owned by the main window");
    Expect(!Enabled(app.Main()), L"the main window stays usable while the open-file dialog is open");
    if (!screenshot.empty())
        Screenshot(app, g_options.shots, screenshot, dialog);
    ConfirmFileName(app, dialog, file);
    Expect(Enabled(app.Main()), L"the main window is still disabled after the open-file dialog closed");
}

// Clicks the button; nothing may come up within the time.
void ExpectNothingShown(const App& app, ControlId button, DWORD milliseconds)
{
    BringToFront(app);
    const std::vector<HWND> before = VisibleTopLevelWindows();
    ClickControl(app.Control(button));
    const auto box = WaitMessageBox(app, milliseconds);
    Expect(!box.has_value(), L"clicking " + NameOf(button) + L" showed a message box" +
                                 (box ? L" " + Quoted(box->title) + L": " + Quoted(box->text) : L""));
    if (box)
        AnswerMessageBox(app, *box, box->buttons.empty() ? IDOK : box->buttons.back());
    const std::vector<HWND> added = NewWindows(before);
    Expect(added.empty(), L"clicking " + NameOf(button) + L" opened windows:" + Describe(added));
    CloseAll(added);
    Require(app.Running() && IsWindow(app.Main()), L"the program ended after clicking " + NameOf(button));
}

// The program's folder with a game root set in 配置.ini (no launch key).
Layout WithGame(const Sandbox& box, bool withMods)
{
    Layout l = LayOut(box, L"app", withMods);
    MakeGame(box, l, L"游戏\\我的世界");
    Require(WriteBytes(l.settings, SettingsBytes(l.gameRoot, nullptr)), L"cannot write " + l.settings);
    return l;
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
    ClickForNotice(app, 按钮14, L"请先选择要添加的新Mod文件");
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

// ---- the game side ------------------------------------------------------------------

void ChooseRoot()
{
    Sandbox box(L"choose-root");
    Layout l = LayOut(box, L"app", true);
    MakeGame(box, l, L"游戏\\我的世界");
    box.MakeFile(L"下载\\不是游戏\\mods\\a.jar", "PK");
    box.MakeFile(L"启动器\\HMCL.exe", "MZ");
    const std::wstring prompt = L"请选择MC根目录";
    App app(l.exe, l.programFolder);
    ExpectNoGameSet(app);

    Log(L"-- a folder without .minecraft");
    const std::wstring wrong = box.Path(L"下载\\不是游戏");
    ChooseFolder(app, 按钮1, prompt, wrong, L"1-root-picker");
    const auto rejected = WaitMessageBox(app, 3000);
    Require(rejected.has_value(), L"no message box within 3 s of picking a folder without .minecraft");
    ExpectBox(app, *rejected, L"错误", L"目录不正确，请重新选择", {IDOK});
    Screenshot(app, g_options.shots, L"2-wrong-root", rejected->window);
    AnswerMessageBox(app, *rejected, IDOK);
    ExpectText(app, 标签1, wrong);
    Expect(!FileExists(l.settings), L"配置.ini was written for a rejected root");
    ExpectEnabled(app, {标签1, 按钮8, 分组框2});
    ExpectEqual(L"items in 已有Mod列表框", 0, ListCount(app.Control(已有Mod列表框)));

    Log(L"-- a game root, chosen with the window widened");
    ToggleTo(app, kDesignWidth);
    ChooseFolder(app, 按钮1, prompt, l.gameRoot);
    Expect(!WaitMessageBox(app, 500).has_value(), L"a message box came up for a valid game root");
    ExpectBytes(L"配置.ini after choosing the root", SettingsBytes(l.gameRoot, &kPlaceholder), l.settings);
    ExpectModLists(app, l);
    ExpectText(app, 标签1, l.gameRoot);
    ExpectText(app, 标签2, kPlaceholder);
    ExpectEnabled(app, {标签1});
    ExpectWindowSize(app, kNarrowWidth, kDesignHeight);
    Screenshot(app, g_options.shots, L"3-root-set");

    Log(L"-- the same root again after a launch program was set");
    const std::wstring launcher = box.Path(L"启动器\\HMCL.exe");
    ChooseFile(app, 按钮7, launcher);
    ExpectText(app, 标签2, launcher);
    ExpectBytes(L"配置.ini after choosing the launch program", SettingsBytes(l.gameRoot, &launcher), l.settings);
    ChooseFolder(app, 按钮1, prompt, l.gameRoot);
    ExpectBytes(L"配置.ini after choosing the same root", SettingsBytes(l.gameRoot, &kPlaceholder), l.settings);
    ExpectText(app, 标签2, kPlaceholder);
    ExpectEnabled(app, {标签1});
    app.Close();
}

void InstallMod()
{
    Sandbox box(L"install-mod");
    Layout l = WithGame(box, true);
    const std::wstring withConfig = L"工业时代2-2.2.827.jar";
    const std::wstring without = L"OptiFine_1.7.10_HD_U_E7.jar";
    Require(WriteBytes(LibraryFile(l, withConfig), "PK ic2 2.2.827") && WriteBytes(LibraryFile(l, without), "PK optifine"),
            L"cannot write the library mods");
    // Its configuration at two levels, one file of it already in the game.
    box.MakeFile(L"app\\" + kLibraryConfigs + L"\\" + withConfig + L"\\IC2.cfg", "ic2 new");
    box.MakeFile(L"app\\" + kLibraryConfigs + L"\\" + withConfig + L"\\工业\\机器.cfg", "machines");
    box.MakeFile(L"游戏\\我的世界\\.minecraft\\config\\IC2.cfg", "ic2 old");
    auto config = TreeOf(GameConfig(l));
    App app(l.exe, l.programFolder);

    Log(L"-- a mod with its configuration");
    SelectItem(app, 资源库列表框, withConfig);
    ClickForNotice(app, 按钮3, L"添加Mod文件及其配置成功！", L"1-installed-notice");
    ExpectBytes(L"the installed mod", "PK ic2 2.2.827", GameMods(l) + L"\\" + withConfig);
    config[L"IC2.cfg"] = "ic2 new";
    config[L"工业\\"] = "";
    config[L"工业\\机器.cfg"] = "machines";
    ExpectTree(L"the game's configuration, merged", config, GameConfig(l));
    ExpectModLists(app, l);
    Expect(Holds(ListItems(app.Control(已有Mod列表框)), withConfig), L"已有Mod列表框 does not list the installed mod");

    Log(L"-- a mod without configuration");
    SelectItem(app, 资源库列表框, without);
    ClickForNotice(app, 按钮3, L"添加Mod文件成功，配置文件因不存在添加失败！", L"2-no-config-notice");
    ExpectBytes(L"the installed mod", "PK optifine", GameMods(l) + L"\\" + without);
    ExpectTree(L"the game's configuration", config, GameConfig(l));
    ExpectModLists(app, l);

    Log(L"-- nothing selected");
    const auto mods = TreeOf(GameMods(l));
    const auto nothing = ClickForBox(app, 按钮3, L"错误", L"请先选择Mod文件", {IDOK});
    AnswerMessageBox(app, nothing, IDOK);
    ExpectTree(L"the game's mods", mods, GameMods(l));
    app.Close();
}

void RemoveGameFiles()
{
    Sandbox box(L"remove-game-files");
    Layout l = WithGame(box, true);
    box.MakeFile(L"游戏\\我的世界\\.minecraft\\config\\匠魂\\tools.cfg", "tools");
    const std::wstring warning = L"警告,文件删除后无法恢复！";
    const std::wstring victim = L"旅行地图 5.1.4.zip";
    App app(l.exe, l.programFolder);

    Log(L"-- 按钮2 with nothing selected");
    const auto nothing = ClickForBox(app, 按钮2, L"错误", L"请先选择游戏内的Mod文件", {IDOK});
    AnswerMessageBox(app, nothing, IDOK);

    Log(L"-- 按钮2 on " + victim);
    const int index = SelectItem(app, 已有Mod列表框, victim);
    auto mods = TreeOf(GameMods(l));
    const std::wstring question = L"是否删除 " + victim + L" 文件";
    auto asked = ClickForBox(app, 按钮2, warning, question, {IDOK, IDCANCEL});
    Screenshot(app, g_options.shots, L"1-delete-question", asked.window);
    AnswerMessageBox(app, asked, IDCANCEL);
    ExpectTree(L"the game's mods after Cancel", mods, GameMods(l));
    ExpectEqual(L"已有Mod列表框 selection after Cancel", index, ListSelection(app.Control(已有Mod列表框)));
    asked = ClickForBox(app, 按钮2, warning, question, {IDOK, IDCANCEL});
    AnswerMessageBox(app, asked, IDOK);
    mods.erase(victim);
    ExpectTree(L"the game's mods after OK", mods, GameMods(l));
    ExpectModLists(app, l);

    Log(L"-- 按钮4, clearing the mods");
    const std::wstring clearMods = L"是否清空游戏内所有的Mod文件？";
    asked = ClickForBox(app, 按钮4, warning, clearMods, {IDOK, IDCANCEL});
    AnswerMessageBox(app, asked, IDCANCEL);
    ExpectTree(L"the game's mods after Cancel", mods, GameMods(l));
    asked = ClickForBox(app, 按钮4, warning, clearMods, {IDOK, IDCANCEL});
    AnswerMessageBox(app, asked, IDOK);
    Expect(FolderExists(GameMods(l)), L"the mods folder was not made again");
    ExpectTree(L"the game's mods after OK", {}, GameMods(l));
    ExpectEqual(L"items in 已有Mod列表框", 0, ListCount(app.Control(已有Mod列表框)));
    ExpectItems(L"资源库列表框 items", FilesIn(l.programFolder + L"\\" + kLibraryMods), app.Control(资源库列表框));

    Log(L"-- 按钮5, clearing the configuration");
    const auto config = TreeOf(GameConfig(l));
    Require(config.size() == 3, L"the game's configuration is not as laid out: " + Listed(config));
    const std::wstring clearConfig = L"是否清空游戏所有的配置文件？";
    asked = ClickForBox(app, 按钮5, warning, clearConfig, {IDOK, IDCANCEL});
    AnswerMessageBox(app, asked, IDCANCEL);
    ExpectTree(L"the game's configuration after Cancel", config, GameConfig(l));
    asked = ClickForBox(app, 按钮5, warning, clearConfig, {IDOK, IDCANCEL});
    AnswerMessageBox(app, asked, IDOK);
    Expect(FolderExists(GameConfig(l)), L"the configuration folder was not made again");
    ExpectTree(L"the game's configuration after OK", {}, GameConfig(l));
    app.Close();
}

std::wstring ProbeProgram()
{
    wchar_t self[MAX_PATH * 2] = {};
    const DWORD n = GetModuleFileNameW(nullptr, self, MAX_PATH * 2);
    std::wstring path(self, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"probe_child.exe";
}

void Launch()
{
    Sandbox box(L"launch");
    Layout l = LayOut(box, L"app", true);
    MakeGame(box, l, L"游戏\\我的世界");
    Require(WriteBytes(l.settings, SettingsBytes(l.gameRoot, &kPlaceholder)), L"cannot write " + l.settings);
    const std::wstring folder = box.Path(L"启动器 目录");
    const std::wstring launcher = folder + L"\\启动.exe";
    const std::wstring ran = folder + L"\\ran.txt";
    MakeFolders(folder);
    Require(CopyFileW(ProbeProgram().c_str(), launcher.c_str(), FALSE) != FALSE,
            L"cannot copy " + ProbeProgram() + L" (built with e2e_driver) to " + launcher);
    App app(l.exe, l.programFolder);
    ExpectText(app, 标签2, kPlaceholder);
    Require(Enabled(app.Control(按钮8)), L"按钮8 is disabled with a game root set");

    Log(L"-- 按钮8 with the placeholder");
    ExpectNothingShown(app, 按钮8, 1500);
    Expect(!FileExists(l.programFolder + L"\\ran.txt") && !FileExists(ran), L"something ran for the placeholder");

    Log(L"-- 按钮7, cancelled");
    BringToFront(app);
    ClickControl(app.Control(按钮7));
    HWND dialog = WaitOpenFileDialog(app, 5000);
    Require(dialog != nullptr, L"no open-file dialog within 5 s of clicking 按钮7");
    CancelWithEsc(app, dialog);
    Require(app.Running(), L"the program ended on Esc in the open-file dialog");
    ExpectText(app, 标签2, kPlaceholder);
    ExpectBytes(L"配置.ini after a cancel", SettingsBytes(l.gameRoot, &kPlaceholder), l.settings);

    Log(L"-- 按钮7, choosing " + launcher);
    ChooseFile(app, 按钮7, launcher, L"1-open-file-dialog");
    ExpectText(app, 标签2, launcher);
    ExpectBytes(L"配置.ini after choosing the launch program", SettingsBytes(l.gameRoot, &launcher), l.settings);
    Expect(Enabled(app.Control(按钮8)), L"按钮8 is disabled after choosing the launch program");
    Screenshot(app, g_options.shots, L"2-launch-set");

    Log(L"-- 按钮8 starts it");
    BringToFront(app);
    const std::vector<HWND> before = VisibleTopLevelWindows();
    ClickControl(app.Control(按钮8));
    const bool started = WaitFor([&] { return FileExists(ran) && !ReadBytes(ran).empty(); }, 10000);
    Expect(started, L"no ran.txt in " + folder + L" within 10 s of clicking 按钮8" +
                        (FileExists(l.programFolder + L"\\ran.txt") ? L" (one is in the program's folder)" : L""));
    if (started) {
        const std::wstring written = Wide(ReadBytes(ran));
        const size_t lineEnd = written.find(L'\n');
        std::wstring current = written.substr(0, lineEnd);
        if (current.size() > 3 && current.back() == L'\\')
            current.pop_back();
        ExpectEqual(L"the launched program's current folder", folder, current);
        Log(L"the launched program's command line: " +
            (lineEnd == std::wstring::npos ? std::wstring() : Quoted(written.substr(lineEnd + 1))));
    }
    Expect(!WaitMessageBox(app, 300).has_value(), L"a message box came up on starting the launch program");
    CloseAll(NewWindows(before));
    app.Close();
}

// ---- the mod library ------------------------------------------------------------------

void AddMod()
{
    Sandbox box(L"add-mod");
    Layout l = WithGame(box, true);
    const std::wstring name = L"新模组-1.0.jar";
    const std::wstring source = box.Path(L"下载\\" + name);
    const std::wstring configSource = box.Path(L"下载\\新模组 配置");
    box.MakeFile(L"下载\\" + name, "PK new mod v1");
    box.MakeFile(L"下载\\新模组 配置\\a.cfg", "a");
    box.MakeFile(L"下载\\新模组 配置\\子目录\\b.cfg", "b");
    App app(l.exe, l.programFolder);
    ToggleTo(app, kDesignWidth);

    Log(L"-- picking the file, the folder and writing the note");
    ChooseFile(app, 按钮12, source);
    ExpectText(app, 标签3, source);
    ChooseFolder(app, 按钮13, L"请选择Mod的配置文件夹", configSource, L"1-config-picker");
    ExpectText(app, 标签4, configSource);
    const std::wstring note = L"Mod名称：新模组\r\n主要功能：测试用的新方块";
    ReplaceText(app, 编辑框3, note);
    Screenshot(app, g_options.shots, L"2-ready-to-add");

    Log(L"-- 按钮14 adds it");
    ExpectNothingShown(app, 按钮14, 500);
    ExpectBytes(L"the library's copy of the mod", "PK new mod v1", LibraryFile(l, name));
    ExpectTree(L"the mod's configuration folder", {{L"a.cfg", "a"}, {L"子目录\\", ""}, {L"子目录\\b.cfg", "b"}},
               LibraryConfig(l, name));
    ExpectBytes(L"the mod's note (GBK, CR LF)", Gbk(note), LibraryNote(l, name));
    ExpectText(app, 标签3, kModFilePlaceholder);
    ExpectText(app, 标签4, kConfigFolderPlaceholder);
    ExpectText(app, 编辑框3, Wide(kNoteTemplate));
    ExpectItems(L"资源库列表框 items", FilesIn(l.programFolder + L"\\" + kLibraryMods), app.Control(资源库列表框));
    Expect(Holds(ListItems(app.Control(资源库列表框)), name), L"资源库列表框 does not list the added mod");
    Screenshot(app, g_options.shots, L"3-added");

    Log(L"-- the same file again, answered No");
    Require(WriteBytes(source, "PK new mod v2"), L"cannot write " + source);
    const auto library = TreeOf(l.programFolder);
    const std::wstring question = L"查到资源库里有相同名称的Mod文件，是否替换？\r\n替换将会替换Mod文件及其配置！";
    ChooseFile(app, 按钮12, source);
    auto asked = ClickForBox(app, 按钮14, L"提示", question, {IDYES, IDNO});
    Screenshot(app, g_options.shots, L"4-replace-question", asked.window);
    AnswerForNotice(app, asked, IDNO, L"请先查看对照信息！", L"5-refused-notice");
    ExpectTree(L"the program's folder after No", library, l.programFolder);
    ExpectText(app, 标签3, kModFilePlaceholder);

    Log(L"-- again, answered Yes");
    ChooseFile(app, 按钮12, source);
    asked = ClickForBox(app, 按钮14, L"提示", question, {IDYES, IDNO});
    AnswerMessageBox(app, asked, IDYES);
    auto replaced = library;
    replaced[kLibraryMods + L"\\" + name] = "PK new mod v2";
    ExpectTree(L"the program's folder after Yes (only the file replaced)", replaced, l.programFolder);
    app.Close();
}

void Notes()
{
    Sandbox box(L"notes");
    Layout l = WithGame(box, false);
    const std::wstring noted = L"匠魂-1.8.8.jar";
    const std::wstring bare = L"无注释 模组.jar";
    const std::string oldNote = Gbk(L"Mod名称：匠魂\r\n主要功能：工具");
    MakeLibraryMod(l, noted, true, &oldNote);
    MakeLibraryMod(l, bare, false, nullptr);
    App app(l.exe, l.programFolder);
    ToggleTo(app, kDesignWidth);

    Log(L"-- selecting a mod with a note");
    SelectItem(app, 资源库列表框, noted);
    ExpectText(app, 编辑框1, noted);
    ExpectText(app, 编辑框2, Wide(oldNote));
    Expect(Enabled(app.Control(按钮11)), L"按钮11 is disabled with a mod selected");
    Screenshot(app, g_options.shots, L"1-note-loaded");

    Log(L"-- editing and saving it");
    const std::wstring newNote = L"Mod名称：匠魂\r\n主要功能：工具与武器\r\n\r\n添加时间：今天";
    ReplaceText(app, 编辑框2, newNote);
    ExpectNothingShown(app, 按钮16, 500);
    ExpectBytes(L"the saved note (GBK, CR LF)", Gbk(newNote), LibraryNote(l, noted));
    const auto shown = ClickForBox(app, 按钮6, L"说明", newNote, {IDOK});
    Screenshot(app, g_options.shots, L"2-note-shown", shown.window);
    AnswerMessageBox(app, shown, IDOK);

    Log(L"-- a mod without a note");
    SelectItem(app, 资源库列表框, bare);
    ExpectText(app, 编辑框1, bare);
    ExpectText(app, 编辑框2, Wide(kNoteTemplate));
    Expect(!FileExists(LibraryNote(l, bare)), L"selecting a mod without a note wrote one");
    const auto none = ClickForBox(app, 按钮6, L"错误", L"该模块目前没有注释！", {IDOK});
    AnswerMessageBox(app, none, IDOK);

    Log(L"-- 按钮17 resets the editor");
    BringToFront(app);
    ClickControl(app.Control(按钮17));
    Expect(WaitFor([&] { return ListSelection(app.Control(资源库列表框)) == -1; }, 2000),
           L"资源库列表框 keeps its selection after 按钮17");
    ExpectText(app, 编辑框1, kNoModChosen);
    ExpectText(app, 编辑框2, Wide(kNoteTemplate));
    ExpectBytes(L"the saved note after the reset", Gbk(newNote), LibraryNote(l, noted));
    app.Close();
}

void CheckLibrary()
{
    Sandbox box(L"check-library");
    Layout l = WithGame(box, false);
    const std::wstring bare = L"空白模组 1.0.jar";
    const std::wstring noted = L"有注释.jar";
    const std::wstring full = L"完整.jar";
    const std::string mine = "mine";
    const std::string empty;
    MakeLibraryMod(l, bare, false, nullptr);
    MakeLibraryMod(l, noted, false, &mine);
    MakeLibraryMod(l, full, true, &empty);
    const auto fullConfig = TreeOf(LibraryConfig(l, full));
    App app(l.exe, l.programFolder);
    ToggleTo(app, kDesignWidth);

    ClickForNotice(app, 按钮10, L"进度已完成", L"1-check-notice");
    Expect(FolderExists(LibraryConfig(l, bare)), L"no configuration folder made for " + bare);
    ExpectTree(L"the new configuration folder", {}, LibraryConfig(l, bare));
    ExpectBytes(L"the new note (the 48-byte template)", std::string(kNoteTemplate), LibraryNote(l, bare));
    Expect(FolderExists(LibraryConfig(l, noted)), L"no configuration folder made for " + noted);
    ExpectBytes(L"a note that was there", mine, LibraryNote(l, noted));
    ExpectBytes(L"an empty note that was there", empty, LibraryNote(l, full));
    ExpectTree(L"a configuration that was there", fullConfig, LibraryConfig(l, full));
    ExpectItems(L"资源库列表框 items", FilesIn(l.programFolder + L"\\" + kLibraryMods), app.Control(资源库列表框));
    app.Close();
}

void RenameMod()
{
    Sandbox box(L"rename-mod");
    Layout l = WithGame(box, false);
    const std::wstring oldName = L"工业时代2-2.2.827.jar";
    const std::wstring newName = L"工业时代2 正式版.jar";
    const std::string note = Gbk(L"Mod名称：工业时代2");
    MakeLibraryMod(l, oldName, true, &note);
    MakeLibraryMod(l, L"other.jar", false, nullptr);
    const std::string modBytes = ReadBytes(LibraryFile(l, oldName));
    const auto config = TreeOf(LibraryConfig(l, oldName));
    App app(l.exe, l.programFolder);
    ToggleTo(app, kDesignWidth);

    Log(L"-- renaming " + oldName);
    SelectItem(app, 资源库列表框, oldName);
    ExpectText(app, 编辑框1, oldName);
    ReplaceText(app, 编辑框1, newName);
    ExpectNothingShown(app, 按钮11, 500);
    ExpectBytes(L"the renamed mod file", modBytes, LibraryFile(l, newName));
    ExpectTree(L"the renamed configuration folder", config, LibraryConfig(l, newName));
    ExpectBytes(L"the renamed note", note, LibraryNote(l, newName));
    Expect(!FileExists(LibraryFile(l, oldName)) && !FolderExists(LibraryConfig(l, oldName)) &&
               !FileExists(LibraryNote(l, oldName)),
           L"a piece is still under the old name");
    ExpectItems(L"资源库列表框 items", FilesIn(l.programFolder + L"\\" + kLibraryMods), app.Control(资源库列表框));
    Expect(Holds(ListItems(app.Control(资源库列表框)), newName), L"资源库列表框 does not list the new name");
    Expect(!Enabled(app.Control(按钮11)), L"按钮11 is enabled after renaming");
    ExpectText(app, 编辑框1, kNoModChosen);
    Screenshot(app, g_options.shots, L"1-renamed");

    Log(L"-- a name that leaves the library");
    const auto before = TreeOf(box.Root());
    SelectItem(app, 资源库列表框, newName);
    Expect(Enabled(app.Control(按钮11)), L"按钮11 stays disabled with a mod selected");
    ReplaceText(app, 编辑框1, L"..\\x");
    const auto refused = ClickForBox(app, 按钮11, L"错误",
                                     L"Mod名称不合法，不能含有 \\ / : * ? \" < > | 等字符，请更改其他名称！", {IDOK});
    Screenshot(app, g_options.shots, L"2-bad-name", refused.window);
    AnswerMessageBox(app, refused, IDOK);
    ExpectTree(L"the sandbox after the refused name", before, box.Root());
    Expect(!Enabled(app.Control(按钮11)), L"按钮11 is enabled after the refused name");
    app.Close();
}

void DeleteMod()
{
    Sandbox box(L"delete-mod");
    Layout l = WithGame(box, false);
    const std::wstring name = L"暮色森林 2.3.7.jar";
    const std::string note = "note";
    MakeLibraryMod(l, name, true, &note);
    MakeLibraryMod(l, L"other.jar", true, &note);
    const std::wstring title = L"警告，删除后将无法恢复！";
    const std::wstring question = L"是否删除 " + name + L" Mod文件及其他信息？";
    App app(l.exe, l.programFolder);
    ToggleTo(app, kDesignWidth);

    Log(L"-- answered No");
    const int index = SelectItem(app, 资源库列表框, name);
    const auto library = TreeOf(l.programFolder);
    auto asked = ClickForBox(app, 按钮18, title, question, {IDYES, IDNO});
    Screenshot(app, g_options.shots, L"1-delete-question", asked.window);
    AnswerMessageBox(app, asked, IDNO);
    ExpectTree(L"the program's folder after No", library, l.programFolder);
    ExpectEqual(L"资源库列表框 selection after No", index, ListSelection(app.Control(资源库列表框)));

    Log(L"-- answered Yes");
    asked = ClickForBox(app, 按钮18, title, question, {IDYES, IDNO});
    AnswerForNotice(app, asked, IDYES, L"删除成功！", L"2-deleted-notice");
    auto left = library;
    for (auto it = left.begin(); it != left.end();)
        it = it->first.find(name) != std::wstring::npos ? left.erase(it) : std::next(it);
    ExpectTree(L"the program's folder after Yes (all three pieces gone)", left, l.programFolder);
    ExpectItems(L"资源库列表框 items", FilesIn(l.programFolder + L"\\" + kLibraryMods), app.Control(资源库列表框));
    Expect(!Holds(ListItems(app.Control(资源库列表框)), name), L"资源库列表框 still lists the deleted mod");
    ExpectText(app, 编辑框1, kNoModChosen);
    app.Close();
}

struct Scenario {
    const wchar_t* name;
    void (*run)();
};


// A configuration large enough that installing it takes seconds: the window
// keeps handling its messages meanwhile, but a click or key of the user's is
// dropped, so no other handler (here: clearing the game's configuration) runs
// inside the copy.
void BusyCopy()
{
    Sandbox box(L"busy-copy");
    Layout l = WithGame(box, false);
    const std::wstring mod = L"大型整合包配置.jar";
    const int folders = 20, perFolder = 150;
    const int total = folders * perFolder;
    Require(WriteBytes(LibraryFile(l, mod), "PK big"), L"cannot write " + LibraryFile(l, mod));
    for (int f = 0; f < folders; ++f) {
        const std::wstring folder = LibraryConfig(l, mod) + L"\\模块" + Num(f);
        MakeFolders(folder);
        for (int i = 0; i < perFolder; ++i)
            Require(WriteBytes(folder + L"\\设置" + Num(i) + L".cfg", "x"), L"cannot write in " + folder);
    }
    Require(WriteBytes(GameConfig(l) + L"\\keep.cfg", "keep"), L"cannot write keep.cfg");
    const int before = static_cast<int>(TreeOf(GameConfig(l)).size());
    const auto copied = [&] { return static_cast<int>(TreeOf(GameConfig(l)).size()) - before - folders; };
    App app(l.exe, l.programFolder);

    Log(L"-- 按钮3, then 按钮5 and Esc while the copy runs");
    SelectItem(app, 资源库列表框, mod);
    ClickControl(app.Control(按钮3), false);
    Require(WaitFor([&] { return copied() > 0; }, 10000), L"the configuration copy did not start");
    ClickControl(app.Control(按钮5), false);
    // Looked for before Esc, which would answer a question that did come up.
    Expect(!WaitMessageBox(app, 1000).has_value(), L"a question came up: a click during the copy was handled");
    PressKey(VK_ESCAPE);
    DWORD_PTR ignored = 0;
    Expect(SendMessageTimeoutW(app.Main(), WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &ignored) != 0,
           L"the window does not handle its messages during the copy");
    const int afterClicks = copied();
    Require(afterClicks < total, L"the copy ended before the clicks (" + Num(afterClicks) +
                                     L" files): too small to show anything; make it larger");
    Log(L"   " + Num(afterClicks) + L" of " + Num(total) + L" files copied when the clicks had gone in");

    const auto b = WaitBalloon(app, 120000);
    Require(b.has_value(), L"no notice within 120 s of 按钮3");
    ExpectEqual(L"the notice after the copy", std::wstring(L"添加Mod文件及其配置成功！"), b->text);
    Expect(!WaitMessageBox(app, 1500).has_value(), L"a question came up: a click during the copy was handled");
    Expect(app.Running(), L"Esc during the copy closed the program");
    ExpectEqual(L"configuration files copied", total, copied());
    ExpectBytes(L"keep.cfg in the game's configuration", "keep", GameConfig(l) + L"\\keep.cfg");
    app.Close();
}

const Scenario kScenarios[] = {
    {L"first-start", FirstStart},       {L"valid-root", ValidRoot},         {L"stale-root", StaleRoot},
    {L"toggle-width", ToggleWidth},     {L"esc-and-enter", EscAndEnter},    {L"disabled-panel", DisabledPanel},
    {L"notice-link", NoticeLink},       {L"non-chinese-locale", NonChineseLocale},
    {L"choose-root", ChooseRoot},       {L"install-mod", InstallMod},       {L"remove-game-files", RemoveGameFiles},
    {L"launch", Launch},                {L"add-mod", AddMod},               {L"notes", Notes},
    {L"check-library", CheckLibrary},   {L"rename-mod", RenameMod},         {L"delete-mod", DeleteMod},
    {L"busy-copy", BusyCopy},
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
