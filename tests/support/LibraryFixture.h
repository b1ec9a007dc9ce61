#pragma once

// A program folder with a library and a game root, the window set up from
// them, for the library handlers' tests.

#include "app/Common.h"
#include "library/Library.h"
#include "support/ProgramFolder.h"

class LibraryTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        MakeLibrary();
        WriteSettings("[目录设置]\r\n游戏根目录=" + MakeGame("game") + "\r\n");
    }
    // Makes a library mod with the pieces asked for, before the window is
    // set up (or refresh it with InitialiseFromSettings).
    void MakeMod(const Text& name, bool withConfig, bool withNote, const Text& note = "note")
    {
        MakeFile("Mod资源文件\\" + name, "mod " + name);
        if (withConfig) {
            MakeFolder("Mod配置文件\\" + name);
            MakeFile("Mod配置文件\\" + name + "\\c.cfg", "cfg " + name);
        }
        if (withNote)
            MakeFile("Mod注释文件\\" + name + ".txt", note);
    }
    void Start() { ASSERT_TRUE(CreateMainWindow()); }
    static int IndexOf(const Text& name) { return ProgramFolderTest::IndexOf(资源库列表框, name); }
    static void Select(const Text& name) { ProgramFolderTest::Select(资源库列表框, name); }
    bool Exists(const Text& relative) const { return GetAttributes(At(relative)) != -1; }
    Text LastNotice() const { return FakeNotices().empty() ? Text() : FakeNotices().back().text; }
};
