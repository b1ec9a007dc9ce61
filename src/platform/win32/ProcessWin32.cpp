#include <windows.h>

#include "platform/Process.h"

#include <string>

#include "platform/win32/Gbk.h"

// The start-up record of 32-bit Windows is 68 bytes, in both forms; cb says so.
static_assert(sizeof(STARTUPINFOA) == 68 && sizeof(STARTUPINFOW) == 68, "32-bit start-up record");

bool CreateProcessFor(const Text& application, const Text& commandLine, const Text& currentFolder,
                      const StartupFields& startup, ProcessRecord& record)
{
    record = ProcessRecord{};
    // The wide form, converted from GBK explicitly: the ANSI form would read
    // the path in whatever code page the system happens to use.
    std::wstring app, command, folder;
    if (!GbkToWide(application, app) || app.empty() || !GbkToWide(commandLine, command) ||
        !GbkToWide(currentFolder, folder))
        return false;

    STARTUPINFOW info{};
    info.cb = sizeof(info);
    info.dwFlags = startup.dwFlags;
    info.wShowWindow = startup.wShowWindow;
    PROCESS_INFORMATION pi{};
    // CreateProcessW may write into the command line, so it gets its own copy.
    std::wstring commandBuffer = command;
    commandBuffer.push_back(L'\0');
    if (!CreateProcessW(app.c_str(), command.empty() ? nullptr : commandBuffer.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, folder.empty() ? nullptr : folder.c_str(), &info, &pi))
        return false;
    record.hProcess = pi.hProcess;
    record.hThread = pi.hThread;
    record.dwProcessId = pi.dwProcessId;
    record.dwThreadId = pi.dwThreadId;
    return true;
}

void WaitForProcessExit(void* process)
{
    if (process)
        WaitForSingleObject(process, INFINITE);
}

void WaitForProcessInputIdle(void* process, std::uint32_t milliseconds)
{
    if (process)
        WaitForInputIdle(process, milliseconds);
}

void CloseProcessHandle(void* handle)
{
    if (handle)
        CloseHandle(handle);
}
