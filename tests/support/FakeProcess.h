#pragma once

// The recording fake of platform/Process.h for the host tests: no program
// starts; each call is recorded, and a start succeeds only for a path the
// test made startable.

#include <vector>

#include "platform/Process.h"

struct FakeStart {
    Text application, commandLine, currentFolder;
    StartupFields startup;
};

void FakeProcessReset();
// Starting this path succeeds (with a made-up process id and handles).
void FakeMakeStartable(const Text& application);

const std::vector<FakeStart>& FakeStarts();      // every attempt, started or not
const std::vector<Text>& FakeProcessCalls();     // "create", "wait-exit", "wait-idle 1000", "close <handle>"
int FakeOpenHandles();                           // handles handed out and not closed
