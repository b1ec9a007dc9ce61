// The window and dialog services over Win32: one main window whose controls
// are all its direct children, built from the control table; every event goes
// through DispatchEvent. Texts are converted with code page 936 at each call.

#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <string>
#include <vector>

#include "platform/win32/Gbk.h"
#include "ui/Controls.h"
#include "ui/Window.h"

namespace {

constexpr wchar_t kClassName[] = L"QuillmarshMainWindow";
constexpr int kFirstControlId = 1000;  // Win32 control ID = 1000 + ControlId
constexpr UINT_PTR kBalloonTimer = 1;
constexpr UINT kBalloonShowTime = 1000;
constexpr UINT_PTR kBalloonToolId = 1;
constexpr int kBalloonMaxWidth = 320;
constexpr DWORD kPathBufferSize = 32768;
constexpr UINT kGbkCodePage = 936;

struct WindowState {
    HWND main = nullptr;
    HWND tooltip = nullptr;
    std::array<HWND, kControlCount> controls{};
    std::array<bool, kControlCount> disabled{};  // each control's own flag
    std::array<Text, kControlCount> texts;       // for controls whose text is not a window's
    std::array<Text, kControlCount> linkTargets;
    Text openFileName;
    std::wstring balloonText;  // the tool's text buffer must outlive the call
    bool balloonShown = false;
    bool balloonTitled = false;
    HWND lastFocus = nullptr;  // the control to give the focus back to
};

WindowState& State()
{
    static WindowState state = [] {
        WindowState s;
        for (int i = 0; i < kControlCount; ++i) {
            const ControlRow& row = ControlInfo(static_cast<ControlId>(i));
            s.disabled[i] = (row.style & kStartsDisabled) != 0;
            s.texts[i] = row.text ? row.text : "";
            s.linkTargets[i] = row.linkTarget ? row.linkTarget : "";
        }
        return s;
    }();
    return state;
}

bool ValidId(int id) { return id >= 0 && id < kControlCount; }

ControlKind KindOf(ControlId id) { return ControlInfo(id).kind; }

HWND ControlWindow(ControlId id) { return ValidId(id) ? State().controls[id] : nullptr; }

// Texts handed in should be GBK; one that is not is still shown as far as it
// can be read rather than not at all.
std::wstring ToWide(const Text& text)
{
    std::wstring wide;
    if (GbkToWide(text, wide))
        return wide;
    const Text cut = text.substr(0, text.find('\0'));
    if (cut.empty())
        return std::wstring();
    const int length = static_cast<int>(cut.size());
    const int needed = MultiByteToWideChar(kGbkCodePage, 0, cut.data(), length, nullptr, 0);
    if (needed <= 0)
        return std::wstring();
    wide.assign(static_cast<std::size_t>(needed), L'\0');
    MultiByteToWideChar(kGbkCodePage, 0, cut.data(), length, wide.data(), needed);
    return wide;
}

// A character without a GBK form becomes "?", as the ANSI calls would give.
Text ToGbk(const std::wstring& wide)
{
    Text text;
    if (WideToGbk(wide, text))
        return text;
    const std::wstring cut = wide.substr(0, wide.find(L'\0'));
    if (cut.empty())
        return Text();
    const int length = static_cast<int>(cut.size());
    const int needed =
        WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, cut.data(), length, nullptr, 0, "?", nullptr);
    if (needed <= 0)
        return Text();
    text.assign(static_cast<std::size_t>(needed), '\0');
    WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, cut.data(), length, text.data(), needed, "?", nullptr);
    return text;
}

std::wstring WindowTextOf(HWND window)
{
    const int length = GetWindowTextLengthW(window);
    if (length <= 0)
        return std::wstring();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    const int got = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(got > 0 ? got : 0));
    return text;
}

std::wstring LinkMarkup(const Text& caption) { return L"<a>" + ToWide(caption) + L"</a>"; }

// A control is usable only when it and every group box around it are on.
bool Usable(ControlId id)
{
    for (ControlId c = id; c != kNoControl; c = ControlInfo(c).parent)
        if (State().disabled[c])
            return false;
    return true;
}

void ApplyEnabledStates()
{
    for (int i = 0; i < kControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        if (HWND h = State().controls[id])
            EnableWindow(h, Usable(id) ? TRUE : FALSE);
    }
}

// Balloon ----------------------------------------------------------------

TTTOOLINFOW BalloonTool()
{
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.hwnd = State().main;
    tool.uId = kBalloonToolId;
    tool.lpszText = State().balloonText.data();
    return tool;
}

bool CreateBalloon(HINSTANCE instance)
{
    WindowState& s = State();
    s.tooltip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                WS_POPUP | TTS_BALLOON | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, s.main, nullptr, instance, nullptr);
    if (!s.tooltip)
        return false;
    s.balloonText.assign(1, L' ');
    TTTOOLINFOW tool = BalloonTool();
    if (!SendMessageW(s.tooltip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)))
        return false;
    SendMessageW(s.tooltip, TTM_SETMAXTIPWIDTH, 0, kBalloonMaxWidth);
    return true;
}

void HideBalloon()
{
    WindowState& s = State();
    KillTimer(s.main, kBalloonTimer);
    if (!s.tooltip || !s.balloonShown)
        return;
    TTTOOLINFOW tool = BalloonTool();
    SendMessageW(s.tooltip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    s.balloonShown = false;
}

// Controls ---------------------------------------------------------------

struct WindowClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

WindowClassAndStyle ClassAndStyleOf(const ControlRow& row)
{
    const DWORD common = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    switch (row.kind) {
    case ControlKind::GroupBox:
        return {L"BUTTON", common | BS_GROUPBOX | ((row.style & kTitleCentred) ? BS_CENTER : 0), 0};
    case ControlKind::Button: {
        DWORD style = common | WS_TABSTOP | BS_PUSHBUTTON;
        if (row.style & kStackedCaption)
            style |= BS_MULTILINE | BS_CENTER | BS_VCENTER;
        return {L"BUTTON", style, 0};
    }
    case ControlKind::Label: {
        // Labels show paths: one line, vertically centred, shortened in the
        // middle when too long; "&" is a character, not a mnemonic.
        DWORD style = common | SS_LEFTNOWORDWRAP | SS_CENTERIMAGE | SS_NOPREFIX | SS_PATHELLIPSIS;
        if (row.style & kBorderSingle)
            style |= WS_BORDER;
        return {L"STATIC", style, (row.style & kBorderSunken) ? static_cast<DWORD>(WS_EX_STATICEDGE) : 0};
    }
    case ControlKind::EditBox:
        return {L"EDIT", common | WS_TABSTOP | ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::MultiLineEdit:
        return {L"EDIT", common | WS_TABSTOP | ES_LEFT | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL,
                WS_EX_CLIENTEDGE};
    case ControlKind::ListBox:
        return {L"LISTBOX", common | WS_TABSTOP | WS_VSCROLL | WS_BORDER | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0};
    case ControlKind::HyperLink:
        return {WC_LINK, common | WS_TABSTOP, 0};
    case ControlKind::BalloonTip:
    case ControlKind::OpenFileDialog:
        break;
    }
    return {nullptr, 0, 0};
}

bool CreateControls(HINSTANCE instance)
{
    WindowState& s = State();
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (int i = 0; i < kControlCount; ++i) {
        const ControlId id = static_cast<ControlId>(i);
        const ControlRow& row = ControlInfo(id);
        const WindowClassAndStyle cs = ClassAndStyleOf(row);
        if (!cs.className)
            continue;  // not a window of its own
        const Rect r = ClientRectOf(id);
        const std::wstring text = row.kind == ControlKind::HyperLink ? LinkMarkup(s.texts[id]) : ToWide(s.texts[id]);
        HWND h = CreateWindowExW(cs.exStyle, cs.className, text.c_str(), cs.style, r.x, r.y, r.width, r.height,
                                 s.main, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                                 instance, nullptr);
        if (!h)
            return false;
        s.controls[id] = h;
        SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        // No length limit: a long note must not stop taking keys part way.
        if (row.kind == ControlKind::EditBox || row.kind == ControlKind::MultiLineEdit)
            SendMessageW(h, EM_SETLIMITTEXT, 0, 0);
        if (row.kind == ControlKind::ListBox) {
            const int extra = (row.style & kRowsTaller8) ? 8 : (row.style & kRowsTaller3) ? 3 : 0;
            if (extra) {
                const LRESULT height = SendMessageW(h, LB_GETITEMHEIGHT, 0, 0);
                if (height != LB_ERR)
                    SendMessageW(h, LB_SETITEMHEIGHT, 0, MAKELPARAM(static_cast<int>(height) + extra, 0));
            }
        }
    }

    // Children stack in the order they are made, the first on top. Each group
    // box goes below everything it holds, an inner one above the one around
    // it, so that with WS_CLIPSIBLINGS no frame paints over its contents.
    for (int i = kControlCount - 1; i >= 0; --i) {
        const ControlId id = static_cast<ControlId>(i);
        if (KindOf(id) == ControlKind::GroupBox && s.controls[id])
            SetWindowPos(s.controls[id], HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    return true;
}

// Messages ---------------------------------------------------------------

ControlId ControlFromWin32Id(UINT_PTR win32Id)
{
    if (win32Id < kFirstControlId || win32Id >= static_cast<UINT_PTR>(kFirstControlId + kControlCount))
        return kNoControl;
    return static_cast<ControlId>(win32Id - kFirstControlId);
}

void OnCommand(WPARAM wParam, LPARAM lParam)
{
    const ControlId id = ControlFromWin32Id(LOWORD(wParam));
    if (id == kNoControl || reinterpret_cast<HWND>(lParam) != State().controls[id])
        return;
    const UINT code = HIWORD(wParam);
    if (KindOf(id) == ControlKind::Button && code == BN_CLICKED)
        DispatchEvent(id, Event::Clicked);
    else if (KindOf(id) == ControlKind::ListBox && code == LBN_SELCHANGE)
        DispatchEvent(id, Event::ItemSelected);
}

void OnNotify(const NMHDR& header)
{
    const ControlId id = ControlFromWin32Id(header.idFrom);
    if (id == kNoControl || header.hwndFrom != State().controls[id] || KindOf(id) != ControlKind::HyperLink)
        return;
    if (header.code != NM_CLICK && header.code != NM_RETURN)
        return;
    if (DispatchEvent(id, Event::LinkPressed))
        return;
    // A link without a handler opens its target itself; a failure is not
    // reported, as with a link on a web page.
    const Text target = State().linkTargets[id];
    if (!target.empty())
        ShellExecuteW(State().main, L"open", ToWide(target).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_NOTIFY:
        if (lParam)
            OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == kBalloonTimer) {
            HideBalloon();
            return 0;
        }
        break;
    case WM_ACTIVATE: {
        // Without a dialog manager the window itself keeps the focus across
        // a message box or a switch to another program.
        WindowState& s = State();
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            s.lastFocus = focus && IsChild(window, focus) ? focus : nullptr;
        } else if (!HIWORD(wParam) && s.lastFocus && IsChild(window, s.lastFocus) && IsWindowEnabled(s.lastFocus)) {
            SetFocus(s.lastFocus);
            return 0;
        }
        break;
    }
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        KillTimer(window, kBalloonTimer);
        PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY: {
        WindowState& s = State();
        if (window == s.main) {
            s.main = nullptr;
            s.tooltip = nullptr;  // owned: destroyed with the main window
            s.balloonShown = false;
            s.balloonTitled = false;
            s.lastFocus = nullptr;
            s.controls.fill(nullptr);
        }
        break;
    }
    default:
        break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

bool IsProgramWindow(HWND window)
{
    const WindowState& s = State();
    return window && s.main && (window == s.main || window == s.tooltip || IsChild(s.main, window));
}

bool IsUserInput(UINT message)
{
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
           (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
           (message >= WM_NCLBUTTONDOWN && message <= WM_NCXBUTTONDBLCLK);
}

}  // namespace

// Message boxes ------------------------------------------------------------

int ShowMessageBox(const Text& text, int kind, const Text& title)
{
    UINT buttons = MB_OK;
    if (kind == kBoxOkCancel)
        buttons = MB_OKCANCEL;
    else if (kind == kBoxYesNo)
        buttons = MB_YESNO;
    const int answer = MessageBoxW(State().main, ToWide(text).c_str(), ToWide(title).c_str(),
                                   buttons | MB_APPLMODAL | MB_DEFBUTTON1);
    switch (answer) {
    case IDOK:
        return kAnswerOk;
    case IDCANCEL:
        return kAnswerCancel;
    case IDYES:
        return kAnswerYes;
    case IDNO:
        return kAnswerNo;
    default:
        // The box could not be shown: the answer that changes nothing.
        return buttons == MB_OKCANCEL ? kAnswerCancel : buttons == MB_YESNO ? kAnswerNo : kAnswerOk;
    }
}

// Lists ----------------------------------------------------------------------

int ListItemCount(ControlId list)
{
    HWND h = ControlWindow(list);
    if (!h)
        return 0;
    const LRESULT count = SendMessageW(h, LB_GETCOUNT, 0, 0);
    return count == LB_ERR ? 0 : static_cast<int>(count);
}

Text ListItemText(ControlId list, int index)
{
    HWND h = ControlWindow(list);
    if (!h || index < 0 || index >= ListItemCount(list))
        return Text();
    const LRESULT length = SendMessageW(h, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length == LB_ERR || length <= 0)
        return Text();
    std::wstring item(static_cast<std::size_t>(length) + 1, L'\0');
    const LRESULT got = SendMessageW(h, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(item.data()));
    if (got == LB_ERR || got < 0)
        return Text();
    item.resize(static_cast<std::size_t>(got));
    return ToGbk(item);
}

void ListAddItem(ControlId list, const Text& text)
{
    if (HWND h = ControlWindow(list)) {
        const std::wstring item = ToWide(text);
        SendMessageW(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    }
}

void ListClear(ControlId list)
{
    if (HWND h = ControlWindow(list))
        SendMessageW(h, LB_RESETCONTENT, 0, 0);
}

void ListRedraw(ControlId list, bool on)
{
    if (HWND h = ControlWindow(list)) {
        SendMessageW(h, WM_SETREDRAW, on ? TRUE : FALSE, 0);
        if (on)
            InvalidateRect(h, nullptr, TRUE);
    }
}

int ListSelection(ControlId list)
{
    HWND h = ControlWindow(list);
    if (!h)
        return -1;
    const LRESULT selected = SendMessageW(h, LB_GETCURSEL, 0, 0);
    return selected == LB_ERR ? -1 : static_cast<int>(selected);
}

void SetListSelection(ControlId list, int index)
{
    HWND h = ControlWindow(list);
    if (!h)
        return;
    const int count = ListItemCount(list);
    if (index >= count)
        index = count - 1;
    if (index < -1)
        index = -1;
    SendMessageW(h, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

// Texts and states -----------------------------------------------------------

Text ControlText(ControlId control)
{
    if (!ValidId(control))
        return Text();
    HWND h = ControlWindow(control);
    // A link's window text carries its markup; the caption is kept here.
    if (!h || KindOf(control) == ControlKind::HyperLink)
        return State().texts[control];
    return ToGbk(WindowTextOf(h));
}

void SetControlText(ControlId control, const Text& text)
{
    if (!ValidId(control))
        return;
    State().texts[control] = text;
    if (HWND h = ControlWindow(control)) {
        const std::wstring wide = KindOf(control) == ControlKind::HyperLink ? LinkMarkup(text) : ToWide(text);
        SetWindowTextW(h, wide.c_str());
    }
}

void ControlDisabled(ControlId control, bool disabled)
{
    if (!ValidId(control))
        return;
    State().disabled[control] = disabled;
    ApplyEnabledStates();
}

bool IsControlDisabled(ControlId control) { return ValidId(control) && State().disabled[control]; }

namespace {

SIZE MainWindowSize()
{
    RECT r{};
    if (!State().main || !GetWindowRect(State().main, &r))
        return SIZE{0, 0};
    return SIZE{r.right - r.left, r.bottom - r.top};
}

void ResizeMainWindow(int width, int height)
{
    if (State().main)
        SetWindowPos(State().main, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

int WindowWidth() { return MainWindowSize().cx; }

void SetWindowWidth(int width) { ResizeMainWindow(width, MainWindowSize().cy); }

int WindowHeight() { return MainWindowSize().cy; }

void SetWindowHeight(int height) { ResizeMainWindow(MainWindowSize().cx, height); }

Text LinkTarget(ControlId link) { return ValidId(link) ? State().linkTargets[link] : Text(); }

void SetLinkTarget(ControlId link, const Text& target)
{
    if (ValidId(link))
        State().linkTargets[link] = target;
}

// Dialogs ----------------------------------------------------------------------

bool ChooseOpenFile(ControlId)
{
    WindowState& s = State();
    std::vector<wchar_t> file(kPathBufferSize, L'\0');
    const std::wstring current = ToWide(s.openFileName);
    if (current.size() < file.size())
        current.copy(file.data(), current.size());

    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = s.main;
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = kPathBufferSize;
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_EXPLORER;
    if (!GetOpenFileNameW(&ofn))
        return false;
    file.back() = L'\0';
    Text chosen;
    if (!PathToGbk(std::wstring(file.data()), chosen))
        return false;
    s.openFileName = chosen;
    return true;
}

Text OpenFileName(ControlId) { return State().openFileName; }

Text BrowseForFolder(const Text& prompt, bool includeFiles)
{
    const std::wstring title = ToWide(prompt);
    std::vector<wchar_t> displayName(MAX_PATH, L'\0');
    BROWSEINFOW bi{};
    bi.hwndOwner = State().main;
    bi.pidlRoot = nullptr;
    bi.pszDisplayName = displayName.data();
    bi.lpszTitle = title.c_str();
    bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE | BIF_EDITBOX | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0);
    PIDLIST_ABSOLUTE pidl = SHBrowseForFolderW(&bi);
    if (!pidl)
        return Text();
    std::vector<wchar_t> path(kPathBufferSize, L'\0');
    const bool ok = SHGetPathFromIDListEx(pidl, path.data(), kPathBufferSize, GPFIDL_DEFAULT) != FALSE;
    CoTaskMemFree(pidl);
    path.back() = L'\0';
    Text folder;
    // A folder the GBK services cannot name even in short form is no answer.
    if (!ok || !PathToGbk(std::wstring(path.data()), folder))
        return Text();
    return folder;
}

void PopBalloon(ControlId, int x, int y, const Text& text, int icon, bool autoClose)
{
    WindowState& s = State();
    if (!s.tooltip)
        return;
    HideBalloon();
    s.balloonText = ToWide(text);
    TTTOOLINFOW tool = BalloonTool();
    SendMessageW(s.tooltip, TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&tool));
    // An icon shows only beside a title, so a title of one blank carries it.
    // Without an icon no title is set at all: an empty one still takes a
    // line in some tooltip versions.
    const bool withIcon = icon >= TTI_INFO && icon <= TTI_ERROR;
    if (withIcon || s.balloonTitled)
        SendMessageW(s.tooltip, TTM_SETTITLEW, withIcon ? static_cast<WPARAM>(icon) : TTI_NONE,
                     reinterpret_cast<LPARAM>(withIcon ? L" " : L""));
    s.balloonTitled = withIcon;
    // Another process reads what is shown through WM_GETTEXT.
    SetWindowTextW(s.tooltip, s.balloonText.c_str());
    SendMessageW(s.tooltip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
    SendMessageW(s.tooltip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    s.balloonShown = true;
    if (autoClose)
        SetTimer(s.main, kBalloonTimer, kBalloonShowTime, nullptr);
}

// The loop ---------------------------------------------------------------------

void ProcessEvents()
{
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Left for the main loop, which ends on it.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        if (IsUserInput(msg.message) && IsProgramWindow(msg.hwnd))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

ScreenPoint MousePosition()
{
    POINT p{};
    GetCursorPos(&p);
    return ScreenPoint{p.x, p.y};
}

bool CreateMainWindow()
{
    WindowState& s = State();
    if (s.main)
        return true;
    HINSTANCE instance = GetModuleHandleW(nullptr);

    // The folder picker's new style needs COM on this thread.
    static const bool comReady = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    (void)comReady;

    INITCOMMONCONTROLSEX icc{};
    icc.dwSize = sizeof(icc);
    icc.dwICC = ICC_STANDARD_CLASSES | ICC_LINK_CLASS | ICC_BAR_CLASSES | ICC_WIN95_CLASSES;
    InitCommonControlsEx(&icc);

    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = MainWindowProc;
    wc.hInstance = instance;
    wc.hIcon = LoadIconW(nullptr, IDI_APPLICATION);
    wc.hIconSm = wc.hIcon;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_BTNFACE + 1));
    wc.lpszClassName = kClassName;
    if (!RegisterClassExW(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    const int left = (GetSystemMetrics(SM_CXSCREEN) - kDesignWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kDesignHeight) / 2;
    s.main = CreateWindowExW(WS_EX_APPWINDOW, kClassName, ToWide(kWindowCaption).c_str(),
                             WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, left, top, kDesignWidth, kDesignHeight,
                             nullptr, nullptr, instance, nullptr);
    if (!s.main)
        return false;
    if (!CreateControls(instance) || !CreateBalloon(instance)) {
        DestroyWindow(s.main);
        // The quit message of that destruction must not end a later loop.
        MSG msg;
        PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
        return false;
    }
    ApplyEnabledStates();

    DispatchEvent(kNoControl, Event::Created);
    if (!s.main)
        return false;  // the created event closed the window
    ShowWindow(s.main, SW_SHOWNORMAL);
    UpdateWindow(s.main);
    return true;
}

void RunMessageLoop()
{
    MSG msg;
    for (;;) {
        const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
        if (got == 0 || got == -1)
            break;
        // Esc anywhere in the window closes it at once.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE && IsProgramWindow(msg.hwnd)) {
            DestroyWindow(State().main);
            continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}
