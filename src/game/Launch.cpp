#include "game/Launch.h"

#include "game/RunProgram.h"

#include "app/AppState.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

void ChooseLaunchProgram()
{
    ChooseOpenFile(通用对话框1);
    // A cancel keeps the dialog's last confirmed name, which is applied too.
    if (OpenFileName(通用对话框1).empty())
        return;
    SetControlText(标签2, OpenFileName(通用对话框1));
    AppState.LaunchFile = ControlText(标签2);
    WriteIniValue(SettingsFile(), kSettingsSection, kLaunchFileKey, AppState.LaunchFile);
    ControlDisabled(按钮8, false);
}

void StartLaunchProgram()
{
    ProcessRecord record;
    Text workingFolder;
    // The handles are of no use to the program once the wait is over.
    RunProgram(AppState.LaunchFile, Text(), 0, 0, workingFolder, record, 1);
}
