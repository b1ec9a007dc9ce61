#include "app/AppState.h"
#include "app/Common.h"
#include "library/Library.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

namespace {

// Moves the three pieces of a mod to the new name, or none of them: a piece
// that cannot follow puts back the ones already moved.
bool RenamePieces(const Text& oldName, const Text& newName)
{
    if (!RenamePath(ModFilePath(oldName), ModFilePath(newName)))
        return false;
    const bool hasConfig = PathExists(ModConfigPath(oldName));
    if (hasConfig && !RenamePath(ModConfigPath(oldName), ModConfigPath(newName))) {
        RenamePath(ModFilePath(newName), ModFilePath(oldName));
        return false;
    }
    if (PathExists(ModNotePath(oldName)) && !RenamePath(ModNotePath(oldName), ModNotePath(newName))) {
        if (hasConfig)
            RenamePath(ModConfigPath(newName), ModConfigPath(oldName));
        RenamePath(ModFilePath(newName), ModFilePath(oldName));
        return false;
    }
    return true;
}

void Rename()
{
    if (ListSelection(资源库列表框) < 0)
        return;
    const Text newName = ControlText(编辑框1);
    if (newName.empty())
        return;
    // The name goes into three paths as it is: it must be one plain name,
    // or it would move the mod out of the library.
    if (!IsUsableFileName(newName)) {
        ShowMessageBox("Mod名称不合法，不能含有 \\ / : * ? \" < > | 等字符，请更改其他名称！", kBoxOk, "错误");
        return;
    }
    if (ListHolds(资源库列表框, newName) &&
        ShowMessageBox("检查出现相同名称，是否覆盖？", kBoxYesNo, "警示！") != kAnswerYes) {
        ShowNotice("请更改其他名称！");
        return;
    }
    const Text oldName = ListItemText(资源库列表框, ListSelection(资源库列表框));
    if (newName != oldName && !RenamePieces(oldName, newName)) {
        ShowMessageBox("重命名失败，该名称已被占用或文件正在使用中，Mod未作更改！", kBoxOk, "错误");
        return;
    }
    SetControlText(编辑框1, " 请先选择Mod...");
    RefreshModLists();
}

}  // namespace

void RenameSelectedMod()
{
    Rename();
    ControlDisabled(按钮11, true);
}
