#include "app/AppState.h"
#include "app/Common.h"
#include "library/Library.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

void DeleteSelectedMod()
{
    if (ListSelection(资源库列表框) < 0) {
        ShowNotice("请先选择资源库里的Mod文件");
        return;
    }
    const Text name = ListItemText(资源库列表框, ListSelection(资源库列表框));
    if (ShowMessageBox("是否删除 " + name + " Mod文件及其他信息？", kBoxYesNo, "警告，删除后将无法恢复！") !=
        kAnswerYes)
        return;
    // A mod file that stays (in use, read-only) keeps its note and
    // configuration; one already gone does not hold the rest back.
    if (!RemoveFile(ModFilePath(name)) && GetAttributes(ModFilePath(name)) != -1) {
        ShowMessageBox("删除失败，Mod文件可能正在使用或为只读，Mod未删除！", kBoxOk, "错误");
        return;
    }
    RemoveFile(ModNotePath(name));
    RemoveDirectory(ModConfigPath(name));
    SetListSelection(资源库列表框, -1);
    RefreshModLists();
    ResetNoteEditor();
    ShowNotice("删除成功！");
}
