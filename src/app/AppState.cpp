#include "app/AppState.h"

#include <vector>

#include "app/Common.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

AppStateRecord AppState;
PendingAdditionRecord PendingAddition;

const char* const kSettingsSection = "目录设置";
const char* const kGameRootKey = "游戏根目录";
const char* const kLaunchFileKey = "游戏启动文件路径";
const char* const kNotSetPlaceholder = "请先设置....";

Text SettingsFile() { return RunDirectory() + "\\配置.ini"; }

void CreateState()
{
    AppState = AppStateRecord{};
    PendingAddition = PendingAdditionRecord{};
}

void ReleaseState()
{
    for (Text* field : {&AppState.GameRoot, &AppState.GameModsDir, &AppState.GameConfigDir, &AppState.LaunchFile,
                        &AppState.LibraryModsDir, &AppState.LibraryConfigDir, &AppState.LibraryNotesDir,
                        &PendingAddition.PendingModFile, &PendingAddition.PendingConfigDir}) {
        Text().swap(*field);
    }
}

namespace {

std::vector<void (*)()>& ExitHooks()
{
    static std::vector<void (*)()> hooks;
    return hooks;
}

void RunExitHooks()
{
    for (auto hook : ExitHooks())
        hook();
}

int StartHook() { return 0; }

}  // namespace

void RegisterExitHook(void (*hook)())
{
    for (auto h : ExitHooks())
        if (h == hook)
            return;
    ExitHooks().push_back(hook);
}

int StartUp()
{
    StartPlatform();
    CreateState();
    RegisterExitHook(ReleaseState);
    StartHook();
    if (CreateMainWindow())
        RunMessageLoop();
    RunExitHooks();
    return 0;
}

void InitialiseFromSettings()
{
    AppState.LibraryModsDir = RunDirectory() + "\\Mod资源文件";
    AppState.LibraryConfigDir = RunDirectory() + "\\Mod配置文件";
    AppState.LibraryNotesDir = RunDirectory() + "\\Mod注释文件";

    SetWindowWidth(kNarrowWidth);
    SetWindowHeight(kDesignHeight);

    if (PathExists(SettingsFile())) {
        AppState.GameRoot = ReadIniValue(SettingsFile(), kSettingsSection, kGameRootKey);
        AppState.LaunchFile = ReadIniValue(SettingsFile(), kSettingsSection, kLaunchFileKey);
        if (DirectoryExists(AppState.GameRoot)) {
            SetControlText(标签1, AppState.GameRoot);
            SetControlText(标签2, AppState.LaunchFile);
            AppState.GameModsDir = AppState.GameRoot + "\\.minecraft\\mods";
            AppState.GameConfigDir = AppState.GameRoot + "\\.minecraft\\config";
            SetLinkTarget(超级链接框1, AppState.GameRoot);
            SetLinkTarget(超级链接框2, AppState.GameConfigDir);
            SetLinkTarget(超级链接框3, AppState.GameModsDir);
            SetPanelEnabled(kModPanelCode, 1);
            RefreshModLists();
            ControlDisabled(按钮8, false);
            return;
        }
        RemoveFile(SettingsFile());
    }
    SetPanelEnabled(kModPanelCode, 0);
}

void SetPanelEnabled(int panelCode, int on)
{
    if (panelCode == kModPanelCode)
        ControlDisabled(分组框2, on != 1);
}
