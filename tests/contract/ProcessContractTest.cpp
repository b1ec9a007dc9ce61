// Starting programs for real: the launch code over CreateProcessW.

#include <gtest/gtest.h>

#include "game/RunProgram.h"
#include "platform/FileSystem.h"
#include "support/Sandbox.h"

namespace {

TEST(ProcessContract, RunProgramStartsTheProgramInItsOwnFolder)
{
    const Text probe = RunDirectory() + "\\probe_child.exe";
    const Text folder = SandboxFolder() + "\\启动器 目录";
    ASSERT_TRUE(MakeDirectory(folder));
    ASSERT_TRUE(CopyFileTo(probe, folder + "\\启动.exe"));

    ProcessRecord record;
    Text workingFolder;
    const std::uint32_t id = RunProgram(folder + "\\启动.exe", "", 1, 0, workingFolder, record, 1);
    EXPECT_NE(id, 0u);
    EXPECT_EQ(id, record.dwProcessId);
    EXPECT_EQ(workingFolder, folder + "\\");
    const Text ran = ReadWholeFile(folder + "\\ran.txt");
    EXPECT_EQ(ran.substr(0, ran.find('\n')), folder) << "its own folder was its current folder";
}

TEST(ProcessContract, WhatCannotStartReturnsZeroAtOnce)
{
    for (const Text& path : {Text("请先设置...."), Text(""), SandboxFolder() + "\\missing.exe", RunDirectory()}) {
        ProcessRecord record;
        Text workingFolder;
        EXPECT_EQ(RunProgram(path, "", 0, 0, workingFolder, record, 1), 0u) << path;
        EXPECT_EQ(record.hProcess, nullptr);
        EXPECT_EQ(record.hThread, nullptr);
    }
}

}  // namespace
