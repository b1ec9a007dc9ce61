#include "app/AppState.h"
#include "app/Common.h"
#include "fsops/CopyTree.h"
#include "library/Library.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

namespace {

const char* const kModFilePlaceholder = " Mod文件路径....";
const char* const kConfigFolderPlaceholder = " Mod配置文件的文件夹路径....";

// The configuration folder (made when missing) gets the picked folder's
// contents, and the note the text of 编辑框3; then the panel empties.
void CompleteAddition(const Text& name)
{
    if (!PathExists(ModConfigPath(name)))
        MakeDirectory(ModConfigPath(name));
    CopyPath(PendingAddition.PendingConfigDir, ModConfigPath(name), 0);
    WriteWholeFile(ModNotePath(name), ControlText(编辑框3));
    RefreshModLists();
    ResetPendingAddition();
}

// Nothing else of the mod is written when its file did not arrive, and the
// picks stay for another try.
bool CopyModFile(const Text& name)
{
    if (CopyFileTo(PendingAddition.PendingModFile, ModFilePath(name)))
        return true;
    ShowMessageBox("Mod文件复制失败，该Mod未添加到资源库！", kBoxOk, "错误");
    return false;
}

}  // namespace

void PickModFile()
{
    ChooseOpenFile(通用对话框1);
    const Text name = OpenFileName(通用对话框1);
    if (name.empty()) {
        SetControlText(标签3, kModFilePlaceholder);
        return;
    }
    PendingAddition.PendingModFile = name;
    SetControlText(标签3, PendingAddition.PendingModFile);
}

void PickConfigFolder()
{
    const Text path = BrowseForFolder("请选择Mod的配置文件夹");
    if (path.empty()) {
        SetControlText(标签4, kConfigFolderPlaceholder);
        return;
    }
    PendingAddition.PendingConfigDir = path;
    SetControlText(标签4, path);
}

void AddPendingMod()
{
    if (PendingAddition.PendingModFile.empty()) {
        ShowNotice("请先选择要添加的新Mod文件");
        return;
    }
    const Text name = FileNameOfPath(PendingAddition.PendingModFile);

    // The list is empty before a game root is known, and a name may differ
    // from a listed one only in letter case: the library folder has the
    // last word on what copying would overwrite.
    const bool duplicate = ListHolds(资源库列表框, name) || GetAttributes(ModFilePath(name)) != -1;
    if (!duplicate) {
        if (CopyModFile(name))
            CompleteAddition(name);
        return;
    }

    if (ShowMessageBox("查到资源库里有相同名称的Mod文件，是否替换？\r\n替换将会替换Mod文件及其配置！", kBoxYesNo,
                       "提示") != kAnswerYes) {
        ShowNotice("请先查看对照信息！");
        ResetPendingAddition();
        RefreshModLists();
        return;
    }
    if (!CopyModFile(name))
        return;
    if (PendingAddition.PendingConfigDir.empty()) {
        // Only the file is replaced; the mod keeps its configuration and note.
        RefreshModLists();
        ResetPendingAddition();
        return;
    }
    CompleteAddition(name);
}

void ResetPendingAddition()
{
    PendingAddition.PendingModFile.clear();
    PendingAddition.PendingConfigDir.clear();
    SetControlText(标签3, kModFilePlaceholder);
    SetControlText(标签4, kConfigFolderPlaceholder);
    SetControlText(编辑框3, NOTE_TEMPLATE);
}
