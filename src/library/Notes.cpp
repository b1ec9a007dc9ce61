#include "app/AppState.h"
#include "library/Library.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

namespace {

Text SelectedMod() { return ListItemText(资源库列表框, ListSelection(资源库列表框)); }

}  // namespace

void LoadSelectedMod()
{
    if (ListSelection(资源库列表框) < 0)
        return;
    SetControlText(编辑框1, SelectedMod());
    if (PathExists(ModNotePath(SelectedMod())))
        SetControlText(编辑框2, NoteText(ReadWholeFile(ModNotePath(SelectedMod()))));
    else
        SetControlText(编辑框2, NOTE_TEMPLATE);
    ControlDisabled(按钮11, false);
}

void ShowSelectedNote()
{
    if (ListSelection(资源库列表框) < 0) {
        ShowMessageBox("请先选择Mod文件", kBoxOk, "错误");
        return;
    }
    if (PathExists(ModNotePath(SelectedMod())))
        ShowMessageBox(NoteText(ReadWholeFile(ModNotePath(SelectedMod()))), kBoxOk, "说明");
    else
        ShowMessageBox("该模块目前没有注释！", kBoxOk, "错误");
}

void SaveSelectedNote()
{
    if (ListSelection(资源库列表框) < 0)
        return;
    // The editor keeps the text, so nothing is lost when the disk says no.
    if (!WriteWholeFile(ModNotePath(SelectedMod()), ControlText(编辑框2)))
        ShowMessageBox("注释保存失败，修改的内容仍在编辑框中！", kBoxOk, "错误");
}

void ResetNoteEditor()
{
    ControlDisabled(按钮11, false);
    SetListSelection(资源库列表框, -1);
    SetControlText(编辑框2, NOTE_TEMPLATE);
    SetControlText(编辑框1, " 请先选择Mod...");
}
