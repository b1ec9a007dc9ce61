#include "game/GameRoot.h"

#include "app/AppState.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

void ChooseGameRoot()
{
    SetControlText(标签1, BrowseForFolder("请选择MC根目录"));
    // From here on the label is the chosen path.
    if (!PathExists(ControlText(标签1) + "\\.minecraft")) {
        ShowMessageBox("目录不正确，请重新选择", kBoxOk, "错误");
        return;
    }
    AppState.GameRoot = ControlText(标签1);
    AppState.GameModsDir = ControlText(标签1) + "\\.minecraft\\mods";
    AppState.GameConfigDir = ControlText(标签1) + "\\.minecraft\\config";
    WriteIniValue(SettingsFile(), kSettingsSection, kGameRootKey, AppState.GameRoot);
    WriteIniValue(SettingsFile(), kSettingsSection, kLaunchFileKey, kNotSetPlaceholder);
    ControlDisabled(按钮8, true);
    InitialiseFromSettings();
}
