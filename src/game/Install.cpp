#include "game/Install.h"

#include "app/AppState.h"
#include "app/Common.h"
#include "fsops/CopyTree.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

void InstallSelectedMod()
{
    if (!DirectoryExists(AppState.GameModsDir))
        MakeDirectory(AppState.GameModsDir);
    if (!DirectoryExists(AppState.GameConfigDir))
        MakeDirectory(AppState.GameConfigDir);
    if (ListSelection(资源库列表框) < 0) {
        ShowMessageBox("请先选择Mod文件", kBoxOk, "错误");
        return;
    }
    const Text name = ListItemText(资源库列表框, ListSelection(资源库列表框));
    const bool hasConfig = DirectoryExists(AppState.LibraryConfigDir + "\\" + name);

    // A mod that did not reach the game gets no configuration either, and
    // the user is told rather than shown a success.
    if (!CopyFileTo(AppState.LibraryModsDir + "\\" + name, AppState.GameModsDir + "\\" + name)) {
        RefreshModLists();
        ShowMessageBox("添加Mod文件失败！", kBoxOk, "错误");
        return;
    }
    const bool configCopied = !hasConfig || CopyConfigToGame();
    RefreshModLists();
    if (!hasConfig)
        ShowNotice("添加Mod文件成功，配置文件因不存在添加失败！");
    else if (configCopied)
        ShowNotice("添加Mod文件及其配置成功！");
    else
        ShowNotice("Mod文件已添加，配置文件复制失败！");
}

bool CopyConfigToGame()
{
    if (ListSelection(资源库列表框) < 0) {
        ShowMessageBox("请先选择Mod文件", kBoxOk, "错误");
        return false;
    }
    return CopyPath(AppState.LibraryConfigDir + "\\" + ListItemText(资源库列表框, ListSelection(资源库列表框)),
                    AppState.GameConfigDir, 1);
}
