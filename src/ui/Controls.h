#pragma once

// The main window's controls and the events the program handles: one table
// describes every control (MainWindowLayout.cpp) and one binds the events to
// their handlers (MainWindowEvents.cpp). Both window implementations, the
// Win32 one and the fake one of the tests, are built from these tables.

#include "platform/Text.h"

// Every control by its own name. The order is the order of creation: a
// group box comes before what it holds.
enum ControlId : int {
    分组框1,
    标签1,
    按钮1,
    气球提示框1,
    分组框2,
    分组框3,
    资源库列表框,
    按钮3,
    按钮6,
    分组框4,
    已有Mod列表框,
    按钮2,
    按钮4,
    按钮5,
    分组框5,
    标签2,
    按钮7,
    按钮8,
    通用对话框1,
    分组框7,
    超级链接框1,
    超级链接框2,
    超级链接框3,
    超级链接框4,
    按钮9,
    分组框6,
    分组框10,
    标签3,
    按钮12,
    标签4,
    按钮13,
    分组框11,
    编辑框3,
    按钮14,
    按钮15,
    分组框8,
    编辑框1,
    按钮11,
    分组框9,
    编辑框2,
    按钮16,
    按钮17,
    按钮10,
    按钮18,
    kControlCount,
    kNoControl = -1,  // the window's client area, as a parent
};

enum class ControlKind {
    GroupBox,
    Button,
    Label,        // static text
    EditBox,      // single line
    MultiLineEdit,
    ListBox,
    HyperLink,
    BalloonTip,   // not visible; shown by PopBalloon
    OpenFileDialog,  // not visible; shown by ChooseOpenFile
};

// Look-and-feel details of a row that the kind alone does not give.
enum ControlStyle : unsigned {
    kStyleNone = 0,
    kTitleCentred = 1u << 0,     // group box title centred
    kBorderSingle = 1u << 1,     // label with a single-line border
    kBorderSunken = 1u << 2,     // label with a shallow sunken border
    kStartsDisabled = 1u << 3,   // its own flag is off at creation
    kRowsTaller8 = 1u << 4,      // list rows 8 pixels taller than the default
    kRowsTaller3 = 1u << 5,      // list rows 3 pixels taller than the default
    kStackedCaption = 1u << 6,   // multi-line button caption
};

struct ControlRow {
    ControlId id;
    const char* name;        // the control's own name, GBK
    ControlKind kind;
    ControlId parent;        // kNoControl for the client area
    int x, y, width, height; // inside the parent
    const char* text;        // initial caption or text, GBK
    const char* linkTarget;  // hyperlink boxes: the initial target
    unsigned style;
};

// The table, indexed by ControlId.
const ControlRow& ControlInfo(ControlId id);

// The control's place in the window's client area: its own place plus the
// places of every group box around it.
struct Rect {
    int x, y, width, height;
};
Rect ClientRectOf(ControlId id);

// The window itself.
extern const char* const kWindowCaption;   // "Quillmarsh v0.18"
constexpr int kDesignWidth = 931;          // outer size, frame included
constexpr int kDesignHeight = 552;
constexpr int kNarrowWidth = 588;

// Events the program can handle. A control's event with no binding is not
// handled.
enum class Event {
    Created,       // the window, before it is first shown (control kNoControl)
    Clicked,       // a button
    ItemSelected,  // a list, by the user only
    LinkPressed,   // a hyperlink box, left mouse button pressed
};

using Handler = void (*)();

// The handler bound to the event, or nullptr.
Handler HandlerFor(ControlId control, Event event);

// Runs the bound handler, when there is one; true when one ran.
bool DispatchEvent(ControlId control, Event event);
