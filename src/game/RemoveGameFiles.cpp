#include "game/RemoveGameFiles.h"

#include "app/AppState.h"
#include "app/Common.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

namespace {

// The title's comma is the ASCII one.
const char* const kDeleteWarning = "警告,文件删除后无法恢复！";

bool Confirmed(const Text& question) { return ShowMessageBox(question, kBoxOkCancel, kDeleteWarning) == kAnswerOk; }

}  // namespace

void DeleteSelectedGameMod()
{
    if (ListSelection(已有Mod列表框) < 0) {
        ShowMessageBox("请先选择游戏内的Mod文件", kBoxOk, "错误");
        return;
    }
    if (!Confirmed("是否删除 " + ListItemText(已有Mod列表框, ListSelection(已有Mod列表框)) + " 文件"))
        return;
    RemoveFile(AppState.GameModsDir + "\\" + ListItemText(已有Mod列表框, ListSelection(已有Mod列表框)));
    RefreshModLists();
}

void ClearGameMods()
{
    if (!Confirmed("是否清空游戏内所有的Mod文件？"))
        return;
    RemoveDirectory(AppState.GameModsDir);
    MakeDirectory(AppState.GameModsDir);
    RefreshModLists();
}

void ClearGameConfig()
{
    if (!Confirmed("是否清空游戏所有的配置文件？"))
        return;
    RemoveDirectory(AppState.GameConfigDir);
    MakeDirectory(AppState.GameConfigDir);
}
