// The sandbox over the in-memory volume. Every state a test needs can be
// set directly, faults included; cleaning up just empties the volume.

#include "support/Sandbox.h"

#include <string>

#include "support/MemoryFileSystem.h"

// Defined in MemoryFileSystem.cpp, beside the state they reach.
namespace memory_volume {
bool MakeFolderUnfaulted(const Text& path);
bool SetAttributes(const Text& path, int bits);
bool MakeJunction(const Text& link, const Text& target);
bool HoldOpen(const Text& path);
void Release(const Text& path);
void AddFault(const Text& operation, const Text& path);
void ClearFaults();
}  // namespace memory_volume

namespace {

const char kSandboxRoot[] = "C:\\sandbox";

// Keeps counting across clean-ups, so no two tests share a name.
unsigned g_lastFolder = 0;

}  // namespace

Text SandboxFolder() {
    memory_volume::MakeFolderUnfaulted(kSandboxRoot);
    Text folder;
    // Bounded, in case a test has put a file where the sandbox goes.
    for (int attempt = 0; attempt < 1000; ++attempt) {
        folder = Text(kSandboxRoot) + "\\t" + std::to_string(++g_lastFolder);
        if (memory_volume::MakeFolderUnfaulted(folder)) break;
    }
    return folder;
}

void SandboxCleanUp() { MemoryVolumeReset(); }

bool SandboxSetAttributes(const Text& path, int bits) { return memory_volume::SetAttributes(path, bits); }

bool SandboxMakeJunction(const Text& link, const Text& target) { return memory_volume::MakeJunction(link, target); }

bool SandboxHoldOpen(const Text& path) { return memory_volume::HoldOpen(path); }

void SandboxRelease(const Text& path) { memory_volume::Release(path); }

bool SandboxFaultsSupported() { return true; }

void SandboxFailOperation(const Text& operation, const Text& path) { memory_volume::AddFault(operation, path); }

void SandboxClearFaults() { memory_volume::ClearFaults(); }
