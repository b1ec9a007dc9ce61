#pragma once

// What a test needs of a volume beyond the program's own services: a fresh
// folder to work in, and ways to put entries into states the program cannot
// make itself. Implemented twice, like the services: over the in-memory
// volume (SandboxMemory.cpp) and over a real temporary folder on Windows
// (SandboxWin32.cpp). Tests use only this and the declared services, so the
// same test runs against both.

#include "platform/Text.h"

// A fresh, empty folder for the current test: an absolute path without a
// trailing "\". Each call makes a new one; everything made by earlier calls
// is removed by SandboxCleanUp.
Text SandboxFolder();

// Removes every folder SandboxFolder made (and, on the in-memory volume,
// clears faults and held files). Run between tests by the test environment.
void SandboxCleanUp();

// Sets the entry's attribute bits (1 read-only, 2 hidden, 4 system,
// 32 archive; 16 is ignored). False when the entry does not exist.
bool SandboxSetAttributes(const Text& path, int bits);

// Makes a junction (a link to a folder) at link, pointing to the existing
// folder target. False when it cannot.
bool SandboxMakeJunction(const Text& link, const Text& target);

// Holds the file open without sharing, as a running game holds its mods:
// deleting, renaming or replacing it then fails. SandboxRelease lets it go.
bool SandboxHoldOpen(const Text& path);
void SandboxRelease(const Text& path);

// Fault injection: from now on the named operation (a service name such as
// "CopyFileTo", "WriteWholeFile", "MakeDirectory", "RenamePath",
// "RemoveFile", or "*" for every operation) fails for the given path, or for
// every path when path is empty. A failing operation changes nothing.
// Only the in-memory volume can do it: SandboxFaultsSupported is false on
// Windows, and tests that need faults skip there.
bool SandboxFaultsSupported();
void SandboxFailOperation(const Text& operation, const Text& path);
void SandboxClearFaults();
