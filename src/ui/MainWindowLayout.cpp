#include <array>

#include "ui/Controls.h"

const char* const kWindowCaption = "Quillmarsh v0.18";

namespace {

using K = ControlKind;

// What both note editors show until a selection or a reset puts the note
// template in its place (47 bytes: a blank after the first colon, no line
// break at the end).
constexpr const char* kNoteDesignText = "Mod名称： \r\n\r\n主要功能：\r\n\r\n添加时间：\r\n\r\nBug：";

// Places are inside the parent; a group box comes before what it holds.
constexpr std::array<ControlRow, kControlCount> kControls = {{
    {分组框1, "分组框1", K::GroupBox, kNoControl, 8, 8, 552, 64, "游戏根目录设置", nullptr, kStyleNone},
    {标签1, "标签1", K::Label, 分组框1, 8, 24, 472, 24, "请先设置....", nullptr, kBorderSingle | kStartsDisabled},
    {按钮1, "按钮1", K::Button, 分组框1, 488, 24, 56, 24, "浏览", nullptr, kStyleNone},
    {气球提示框1, "气球提示框1", K::BalloonTip, 分组框1, 0, 0, 0, 0, "", nullptr, kStyleNone},

    {分组框2, "分组框2", K::GroupBox, kNoControl, 8, 72, 552, 400, "Mod管理", nullptr, kTitleCentred},
    {分组框3, "分组框3", K::GroupBox, 分组框2, 8, 16, 264, 312, "资源库", nullptr, kStyleNone},
    {资源库列表框, "资源库列表框", K::ListBox, 分组框3, 8, 16, 248, 232, "", nullptr, kRowsTaller8},
    {按钮3, "按钮3", K::Button, 分组框3, 8, 256, 248, 24, "添加Mod及其配置到游戏", nullptr, kStyleNone},
    {按钮6, "按钮6", K::Button, 分组框3, 8, 280, 248, 24, "查看Mod注释", nullptr, kStyleNone},
    {分组框4, "分组框4", K::GroupBox, 分组框2, 280, 16, 264, 312, "游戏已有Mod", nullptr, kStyleNone},
    {已有Mod列表框, "已有Mod列表框", K::ListBox, 分组框4, 8, 16, 248, 232, "", nullptr, kRowsTaller3},
    {按钮2, "按钮2", K::Button, 分组框4, 8, 256, 128, 24, "删除该Mod文件", nullptr, kStyleNone},
    {按钮4, "按钮4", K::Button, 分组框4, 144, 256, 112, 24, "清空游戏所有Mod", nullptr, kStyleNone},
    {按钮5, "按钮5", K::Button, 分组框4, 8, 280, 248, 24, "清空游戏配置文件", nullptr, kStyleNone},
    {分组框5, "分组框5", K::GroupBox, 分组框2, 8, 328, 536, 64, "游戏启动文件设置", nullptr, kStyleNone},
    {标签2, "标签2", K::Label, 分组框5, 8, 24, 360, 24, "请先设置....", nullptr, kBorderSingle},
    {按钮7, "按钮7", K::Button, 分组框5, 376, 24, 48, 24, "浏览", nullptr, kStyleNone},
    {按钮8, "按钮8", K::Button, 分组框5, 432, 16, 88, 40, "启动", nullptr, kStartsDisabled},
    {通用对话框1, "通用对话框1", K::OpenFileDialog, 分组框5, 0, 0, 0, 0, "", nullptr, kStyleNone},

    {分组框7, "分组框7", K::GroupBox, kNoControl, 8, 472, 552, 48, "快捷打开", nullptr, kTitleCentred},
    // 64 wide, not 56: the default GUI font needs 60 pixels for the caption,
    // which would otherwise wrap; it still ends where 超级链接框2 begins.
    {超级链接框1, "超级链接框1", K::HyperLink, 分组框7, 16, 16, 64, 24, "游戏根目录", "C:\\", kStyleNone},
    {超级链接框2, "超级链接框2", K::HyperLink, 分组框7, 80, 16, 112, 24, "游戏配置文件目录", "", kStyleNone},
    {超级链接框3, "超级链接框3", K::HyperLink, 分组框7, 192, 16, 72, 24, "游戏Mod目录", "", kStyleNone},
    {超级链接框4, "超级链接框4", K::HyperLink, 分组框7, 504, 16, 32, 24, "说明", "", kStyleNone},

    {按钮9, "按钮9", K::Button, kNoControl, 560, 16, 24, 504,
     "资\r\n\r\n源\r\n\r\n管\r\n\r\n理\r\n\r\n界\r\n\r\n面", nullptr, kStackedCaption},

    {分组框6, "分组框6", K::GroupBox, kNoControl, 584, 8, 336, 512, "资源管理", nullptr, kStyleNone},
    {分组框10, "分组框10", K::GroupBox, 分组框6, 8, 16, 320, 240, "添加单个Mod到资源库", nullptr, kStyleNone},
    {标签3, "标签3", K::Label, 分组框10, 8, 16, 264, 16, " Mod文件路径....", nullptr, kBorderSunken},
    {按钮12, "按钮12", K::Button, 分组框10, 280, 16, 32, 16, "浏览", nullptr, kStyleNone},
    {标签4, "标签4", K::Label, 分组框10, 8, 40, 264, 16, " Mod配置文件的文件夹路径....", nullptr, kBorderSingle},
    {按钮13, "按钮13", K::Button, 分组框10, 280, 40, 32, 16, "浏览", nullptr, kStyleNone},
    {分组框11, "分组框11", K::GroupBox, 分组框10, 8, 64, 304, 136, "注释文件内容填写", nullptr, kStyleNone},
    {编辑框3, "编辑框3", K::MultiLineEdit, 分组框11, 8, 16, 288, 112,
     kNoteDesignText, nullptr, kStyleNone},
    {按钮14, "按钮14", K::Button, 分组框10, 16, 208, 176, 24, "确认添加", nullptr, kStyleNone},
    {按钮15, "按钮15", K::Button, 分组框10, 192, 208, 112, 24, "清空内容", nullptr, kStyleNone},
    {分组框8, "分组框8", K::GroupBox, 分组框6, 8, 264, 320, 48, "修改Mod名称并自动相关内容修复", nullptr, kStyleNone},
    {编辑框1, "编辑框1", K::EditBox, 分组框8, 16, 16, 216, 24, " 请先选择Mod...", nullptr, kStyleNone},
    {按钮11, "按钮11", K::Button, 分组框8, 240, 16, 72, 24, "确认修改", nullptr, kStyleNone},
    {分组框9, "分组框9", K::GroupBox, 分组框6, 8, 312, 320, 142, "Mod注释更改", nullptr, kStyleNone},
    {编辑框2, "编辑框2", K::MultiLineEdit, 分组框9, 8, 16, 304, 96,
     kNoteDesignText, nullptr, kStyleNone},
    {按钮16, "按钮16", K::Button, 分组框9, 15, 113, 176, 24, "确认更改", nullptr, kStyleNone},
    {按钮17, "按钮17", K::Button, 分组框9, 200, 114, 112, 24, "清空内容", nullptr, kStyleNone},
    {按钮10, "按钮10", K::Button, 分组框6, 8, 456, 320, 24, "检查并自动创建资源库里所有Mod配置文件文件夹", nullptr, kStyleNone},
    {按钮18, "按钮18", K::Button, 分组框6, 8, 480, 320, 24, "删除选中的资源Mod文件及其配置等", nullptr, kStyleNone},
}};

constexpr bool RowsInOrder()
{
    for (int i = 0; i < kControlCount; ++i) {
        if (kControls[i].id != i)
            return false;
        // A parent is a group box made before what it holds.
        const ControlId p = kControls[i].parent;
        if (p != kNoControl && (p >= i || kControls[p].kind != ControlKind::GroupBox))
            return false;
    }
    return true;
}
static_assert(RowsInOrder(), "rows are indexed by ControlId and parents come first");

}  // namespace

const ControlRow& ControlInfo(ControlId id) { return kControls[id]; }

Rect ClientRectOf(ControlId id)
{
    const ControlRow& row = kControls[id];
    Rect r{row.x, row.y, row.width, row.height};
    for (ControlId p = row.parent; p != kNoControl; p = kControls[p].parent) {
        r.x += kControls[p].x;
        r.y += kControls[p].y;
    }
    return r;
}
