#pragma once

// Starting a program, as the launch button does.

#include "platform/Process.h"
#include "platform/Text.h"

// What a show-mode code sets in the start-up record: codes 1, 3, 4, 5 and 6
// set the show-window flag with their window state; any other code sets only
// the standard-handles flag and leaves the state to the started program.
StartupFields StartupFieldsFor(int showMode);

// The program path's leading part up to and including its last separator
// (a trail byte of that value does not count); empty without one.
Text WorkingFolderOf(const Text& programPath);

// Starts a program and returns its process id (0 when it could not start).
// An empty working folder is derived from the program path and handed back.
// With waitForExit nonzero it waits until the program ends, otherwise until
// it is ready for input, at most 1000 ms. With closeHandles nonzero it
// closes the thread handle, then the process handle.
std::uint32_t RunProgram(const Text& programPath, const Text& commandLine, int waitForExit, int showMode,
                         Text& workingFolder, ProcessRecord& record, int closeHandles);
