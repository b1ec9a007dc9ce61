#pragma once

// A fixture for handler tests: a fresh folder stands in for the program's
// folder (RunDirectory and the current folder), the records are new and the
// fake window is as the table makes it.

#include <gtest/gtest.h>

#include "app/AppState.h"
#include "platform/FileSystem.h"
#include "support/FakeProcess.h"
#include "support/FakeWindow.h"
#include "support/Sandbox.h"
#include "ui/Window.h"

class ProgramFolderTest : public testing::Test {
protected:
    Text program;

    void SetUp() override
    {
        program = SandboxFolder();
        StartPlatform(program);
        CreateState();
        FakeWindowReset();
        FakeProcessReset();
    }
    // The folder must not stay current, or it could not be removed.
    void TearDown() override { StartPlatform(); }

    Text At(const Text& relative) const { return program + "\\" + relative; }
    void MakeFile(const Text& relative, const Text& bytes = "x")
    {
        ASSERT_TRUE(WriteWholeFile(At(relative), bytes)) << At(relative);
    }
    void MakeFolder(const Text& relative) { ASSERT_TRUE(MakeDirectory(At(relative))) << At(relative); }

    // The three library folders beside the program.
    void MakeLibrary()
    {
        MakeFolder("Mod资源文件");
        MakeFolder("Mod配置文件");
        MakeFolder("Mod注释文件");
    }
    // A game root at the relative path, with .minecraft\mods and \config.
    Text MakeGame(const Text& relative)
    {
        MakeFolder(relative);
        MakeFolder(relative + "\\.minecraft");
        MakeFolder(relative + "\\.minecraft\\mods");
        MakeFolder(relative + "\\.minecraft\\config");
        return At(relative);
    }
    void WriteSettings(const Text& content) { MakeFile("配置.ini", content); }
    bool SettingsExist() const { return GetAttributes(At("配置.ini")) != -1; }

    static std::vector<Text> Items(ControlId list)
    {
        std::vector<Text> items;
        for (int i = 0; i < ListItemCount(list); ++i)
            items.push_back(ListItemText(list, i));
        return items;
    }
    static int IndexOf(ControlId list, const Text& name)
    {
        for (int i = 0; i < ListItemCount(list); ++i)
            if (ListItemText(list, i) == name)
                return i;
        return -1;
    }
    // The user selects the item of that name.
    static void Select(ControlId list, const Text& name)
    {
        ASSERT_TRUE(FakeUserSelect(list, IndexOf(list, name))) << name;
    }
};
