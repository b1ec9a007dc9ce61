#include "support/FakeProcess.h"

#include <cstdint>
#include <set>
#include <string>

namespace {

struct State {
    std::set<Text> startable;
    std::vector<FakeStart> starts;
    std::vector<Text> calls;
    std::set<std::uintptr_t> open;
    std::uintptr_t nextHandle = 0x100;
};

State& S()
{
    static State state;
    return state;
}

Text Handle(void* h) { return std::to_string(reinterpret_cast<std::uintptr_t>(h)); }

}  // namespace

void FakeProcessReset() { S() = State{}; }
void FakeMakeStartable(const Text& application) { S().startable.insert(application); }
const std::vector<FakeStart>& FakeStarts() { return S().starts; }
const std::vector<Text>& FakeProcessCalls() { return S().calls; }
int FakeOpenHandles() { return static_cast<int>(S().open.size()); }

bool CreateProcessFor(const Text& application, const Text& commandLine, const Text& currentFolder,
                      const StartupFields& startup, ProcessRecord& record)
{
    S().starts.push_back({application, commandLine, currentFolder, startup});
    S().calls.push_back("create");
    record = ProcessRecord{};
    if (!S().startable.count(application))
        return false;
    const std::uintptr_t process = S().nextHandle++, thread = S().nextHandle++;
    S().open.insert(process);
    S().open.insert(thread);
    record.hProcess = reinterpret_cast<void*>(process);
    record.hThread = reinterpret_cast<void*>(thread);
    record.dwProcessId = 4242;
    record.dwThreadId = 4243;
    return true;
}

void WaitForProcessExit(void* process) { S().calls.push_back("wait-exit " + Handle(process)); }

void WaitForProcessInputIdle(void* process, std::uint32_t milliseconds)
{
    S().calls.push_back("wait-idle " + Handle(process) + " " + std::to_string(milliseconds));
}

void CloseProcessHandle(void* handle)
{
    S().calls.push_back("close " + Handle(handle));
    S().open.erase(reinterpret_cast<std::uintptr_t>(handle));
}
