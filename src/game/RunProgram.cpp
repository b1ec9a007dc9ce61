#include "game/RunProgram.h"

StartupFields StartupFieldsFor(int showMode)
{
    constexpr std::uint32_t kUseShowWindow = 0x001;  // STARTF_USESHOWWINDOW
    constexpr std::uint32_t kUseStdHandles = 0x100;  // STARTF_USESTDHANDLES
    switch (showMode) {
    case 1: return {kUseShowWindow, 0};  // SW_HIDE
    case 3: return {kUseShowWindow, 2};  // SW_SHOWMINIMIZED
    case 4: return {kUseShowWindow, 3};  // SW_SHOWMAXIMIZED
    case 5: return {kUseShowWindow, 4};  // SW_SHOWNOACTIVATE
    case 6: return {kUseShowWindow, 6};  // SW_MINIMIZE
    default: return {kUseStdHandles, 1};  // SW_SHOWNORMAL, not applied
    }
}

Text WorkingFolderOf(const Text& programPath)
{
    return programPath.substr(0, static_cast<std::size_t>(LastSeparatorIndex(programPath) + 1));
}

std::uint32_t RunProgram(const Text& programPath, const Text& commandLine, int waitForExit, int showMode,
                         Text& workingFolder, ProcessRecord& record, int closeHandles)
{
    if (workingFolder.empty())
        workingFolder = WorkingFolderOf(programPath);
    CreateProcessFor(programPath, commandLine, workingFolder, StartupFieldsFor(showMode), record);
    if (waitForExit != 0)
        WaitForProcessExit(record.hProcess);
    else
        WaitForProcessInputIdle(record.hProcess, 1000);
    if (closeHandles != 0) {
        CloseProcessHandle(record.hThread);
        CloseProcessHandle(record.hProcess);
    }
    return record.dwProcessId;
}
