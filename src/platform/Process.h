#pragma once

// Starting another program. Declared once; implemented over CreateProcessW
// for the product (platform/win32/ProcessWin32.cpp) and as a recording fake
// for the host tests.

#include <cstdint>

#include "platform/Text.h"

// What process creation hands back (PROCESS_INFORMATION).
struct ProcessRecord {
    void* hProcess = nullptr;
    void* hThread = nullptr;
    std::uint32_t dwProcessId = 0;
    std::uint32_t dwThreadId = 0;
};

// The fields of the start-up record the program sets; every other field,
// the three standard handles included, stays zero.
struct StartupFields {
    std::uint32_t dwFlags = 0;
    std::uint16_t wShowWindow = 0;
};

// Starts the program (application name) with the command line (empty: none)
// in the current folder (empty: this program's), with handle inheritance off,
// creation flags 0 and this program's environment. Fills the record; false,
// and the record stays zeroed, when the program cannot be started.
bool CreateProcessFor(const Text& application, const Text& commandLine, const Text& currentFolder,
                      const StartupFields& startup, ProcessRecord& record);

// Waits until the process ends; returns at once for a null handle.
void WaitForProcessExit(void* process);
// Waits until the process is ready for input, at most the given time; at
// once for a null handle or a program without a message queue.
void WaitForProcessInputIdle(void* process, std::uint32_t milliseconds);
// Closes a handle; harmless for null.
void CloseProcessHandle(void* handle);
