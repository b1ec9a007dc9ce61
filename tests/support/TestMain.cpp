#include <gtest/gtest.h>

#include "platform/FileSystem.h"
#include "support/Sandbox.h"

namespace {

// Every test starts on a clean volume: what one test left cannot decide
// another.
class CleanSandbox : public testing::EmptyTestEventListener {
    void OnTestEnd(const testing::TestInfo&) override { SandboxCleanUp(); }
};

}  // namespace

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    testing::UnitTest::GetInstance()->listeners().Append(new CleanSandbox);
    StartPlatform();
    SandboxCleanUp();
    return RUN_ALL_TESTS();
}
