#pragma once

// The process-wide records every handler works on, and the settings file.

#include "platform/Text.h"

struct AppStateRecord {
    Text GameRoot;          // the folder that holds .minecraft
    Text GameModsDir;       // GameRoot + "\.minecraft\mods"
    Text GameConfigDir;     // GameRoot + "\.minecraft\config"
    Text LaunchFile;        // the program 按钮8 starts
    Text LibraryModsDir;    // RunDirectory + "\Mod资源文件"
    Text LibraryConfigDir;  // RunDirectory + "\Mod配置文件"
    Text LibraryNotesDir;   // RunDirectory + "\Mod注释文件"
};

struct PendingAdditionRecord {
    Text PendingModFile;    // the mod file picked with 按钮12
    Text PendingConfigDir;  // the configuration folder picked with 按钮13
};

// Live from CreateState until the exit hook ReleaseState.
extern AppStateRecord AppState;
extern PendingAdditionRecord PendingAddition;

// Sections and keys of the settings file.
extern const char* const kSettingsSection;    // "目录设置"
extern const char* const kGameRootKey;        // "游戏根目录"
extern const char* const kLaunchFileKey;      // "游戏启动文件路径"
extern const char* const kNotSetPlaceholder;  // "请先设置...."

// "配置.ini" in the program's folder, built afresh for every access.
Text SettingsFile();

// Makes both records with every field empty.
void CreateState();
// Releases both records; runs only as an exit hook.
void ReleaseState();

// The program's entry routine: returns 0 once the main window has closed.
int StartUp();
// Adds a hook to run when the program ends (once, however often it is added).
void RegisterExitHook(void (*hook)());

// Sets the window up from the settings file (start-up, and after a new game
// root is accepted).
void InitialiseFromSettings();
// Panel code 100 is the mod panel 分组框2: enabled when on is exactly 1.
constexpr int kModPanelCode = 100;
void SetPanelEnabled(int panelCode, int on);
