// What the program relies on from the file system, held against both the
// in-memory volume (host) and a real temporary folder (Windows, under Wine).

#include <gtest/gtest.h>

#include <set>
#include <vector>

#include "platform/FileSystem.h"
#include "support/Sandbox.h"

namespace {

using Names = std::multiset<Text>;

class FileSystemContract : public testing::Test {
protected:
    const Text root = SandboxFolder();

    Text At(const Text& relative) const { return root + "\\" + relative; }

    void MakeFile(const Text& relative, const Text& bytes = "x")
    {
        ASSERT_TRUE(WriteWholeFile(At(relative), bytes)) << At(relative);
    }
    void MakeFolder(const Text& relative) { ASSERT_TRUE(MakeDirectory(At(relative))) << At(relative); }

    static Names Enumerate(const Text& pattern, int filter = kNoFilter)
    {
        Names names;
        SearchState state;
        for (Text n = FindFirst(state, pattern, filter); !n.empty(); n = FindNext(state, filter))
            names.insert(n);
        return names;
    }
};

// ---- folders -------------------------------------------------------------

TEST_F(FileSystemContract, MakeDirectoryMakesOneLevelOnly)
{
    EXPECT_TRUE(MakeDirectory(At("a")));
    EXPECT_EQ(GetAttributes(At("a")), kAttrFolder);
    EXPECT_FALSE(MakeDirectory(At("a"))) << "an existing folder is no success";
    EXPECT_FALSE(MakeDirectory(At("A"))) << "names match without regard to case";
    EXPECT_FALSE(MakeDirectory(At("missing\\b")));
    EXPECT_EQ(GetAttributes(At("missing")), -1);
    MakeFile("file");
    EXPECT_FALSE(MakeDirectory(At("file")));
    EXPECT_EQ(GetAttributes(At("file")) & kAttrFolder, 0);
}

TEST_F(FileSystemContract, RemoveDirectoryRemovesTheWholeTree)
{
    MakeFolder("t");
    MakeFolder("t\\sub");
    MakeFolder("t\\sub\\deep");
    MakeFolder("t\\empty");
    MakeFile("t\\a.cfg");
    MakeFile("t\\sub\\deep\\ro.cfg");
    MakeFile("t\\sub\\hidden.cfg");
    ASSERT_TRUE(SandboxSetAttributes(At("t\\sub\\deep\\ro.cfg"), kAttrReadOnly));
    ASSERT_TRUE(SandboxSetAttributes(At("t\\sub\\hidden.cfg"), kAttrHidden | kAttrSystem));
    ASSERT_TRUE(SandboxSetAttributes(At("t\\sub"), kAttrHidden));

    EXPECT_TRUE(RemoveDirectory(At("t")));
    EXPECT_EQ(GetAttributes(At("t")), -1);
    EXPECT_TRUE(RemoveDirectory(At("t"))) << "a missing folder is gone already";
}

TEST_F(FileSystemContract, RemoveDirectoryRefusesDrivesEmptyPathsAndFiles)
{
    for (const char* path : {"", "C:", "C:\\", "c:/", "\\", "\\\\"})
        EXPECT_FALSE(RemoveDirectory(path)) << path;
    MakeFile("f", "keep");
    EXPECT_FALSE(RemoveDirectory(At("f")));
    EXPECT_EQ(ReadWholeFile(At("f")), "keep");
}

TEST_F(FileSystemContract, RemoveDirectoryRemovesAJunctionWithoutEnteringIt)
{
    MakeFolder("elsewhere");
    MakeFile("elsewhere\\precious.dat", "mine");
    MakeFolder("t");
    if (!SandboxMakeJunction(At("t\\link"), At("elsewhere")))
        GTEST_SKIP() << "this volume cannot make junctions";
    ASSERT_EQ(ReadWholeFile(At("t\\link\\precious.dat")), "mine");

    EXPECT_TRUE(RemoveDirectory(At("t")));
    EXPECT_EQ(GetAttributes(At("t")), -1);
    EXPECT_EQ(ReadWholeFile(At("elsewhere\\precious.dat")), "mine");
}

TEST_F(FileSystemContract, RemoveDirectoryStopsShortOfAFileInUse)
{
    MakeFolder("t");
    MakeFile("t\\busy.jar", "in use");
    ASSERT_TRUE(SandboxHoldOpen(At("t\\busy.jar")));
    EXPECT_FALSE(RemoveDirectory(At("t")));
    SandboxRelease(At("t\\busy.jar"));
    EXPECT_EQ(ReadWholeFile(At("t\\busy.jar")), "in use");
}

// ---- files ---------------------------------------------------------------

TEST_F(FileSystemContract, WholeFilesRoundTripAnyBytes)
{
    const Text bytes("line\r\n\0\xFF\xB0 end", 13);
    MakeFile("n.txt", bytes);
    EXPECT_EQ(ReadWholeFile(At("n.txt")), bytes);
    MakeFile("n.txt", "short");
    EXPECT_EQ(ReadWholeFile(At("n.txt")), "short") << "the old content is replaced whole";
    MakeFile("n.txt", "");
    EXPECT_EQ(ReadWholeFile(At("n.txt")), "");
    EXPECT_NE(GetAttributes(At("n.txt")), -1);
}

TEST_F(FileSystemContract, WriteWholeFileCreatesNoFolder)
{
    EXPECT_FALSE(WriteWholeFile(At("missing\\n.txt"), "x"));
    EXPECT_EQ(GetAttributes(At("missing")), -1);
    MakeFolder("dir");
    EXPECT_FALSE(WriteWholeFile(At("dir"), "x"));
    EXPECT_EQ(GetAttributes(At("dir")), kAttrFolder);
}

TEST_F(FileSystemContract, WriteWholeFileLeavesAReadOnlyOrBusyFileAsItWas)
{
    MakeFile("ro.txt", "old");
    ASSERT_TRUE(SandboxSetAttributes(At("ro.txt"), kAttrReadOnly));
    EXPECT_FALSE(WriteWholeFile(At("ro.txt"), "new"));
    EXPECT_EQ(ReadWholeFile(At("ro.txt")), "old");

    MakeFile("busy.txt", "old");
    ASSERT_TRUE(SandboxHoldOpen(At("busy.txt")));
    EXPECT_FALSE(WriteWholeFile(At("busy.txt"), "new"));
    SandboxRelease(At("busy.txt"));
    EXPECT_EQ(ReadWholeFile(At("busy.txt")), "old");
    EXPECT_EQ(Enumerate(At("*.*"), kNoFilter), (Names{"busy.txt", "ro.txt"})) << "no staging file is left behind";
}

TEST_F(FileSystemContract, ReadWholeFileOfAnythingButAFileIsEmpty)
{
    MakeFolder("dir");
    EXPECT_EQ(ReadWholeFile(At("dir")), "");
    EXPECT_EQ(ReadWholeFile(At("missing.txt")), "");
}

TEST_F(FileSystemContract, CopyFileToCopiesAndReplaces)
{
    MakeFile("mod.jar", "v2");
    MakeFile("old.jar", "v1");
    ASSERT_TRUE(SandboxSetAttributes(At("mod.jar"), kAttrHidden | kAttrArchive));

    EXPECT_TRUE(CopyFileTo(At("mod.jar"), At("new.jar")));
    EXPECT_EQ(ReadWholeFile(At("new.jar")), "v2");
    EXPECT_EQ(GetAttributes(At("new.jar")) & kAttrHidden, kAttrHidden) << "attributes come along";
    EXPECT_TRUE(CopyFileTo(At("mod.jar"), At("old.jar")));
    EXPECT_EQ(ReadWholeFile(At("old.jar")), "v2");
    EXPECT_EQ(ReadWholeFile(At("mod.jar")), "v2");
}

TEST_F(FileSystemContract, CopyFileToFailsWithoutHarm)
{
    MakeFile("src.jar", "new");
    MakeFile("ro.jar", "old");
    MakeFile("busy.jar", "old");
    MakeFolder("dir");
    ASSERT_TRUE(SandboxSetAttributes(At("ro.jar"), kAttrReadOnly));
    ASSERT_TRUE(SandboxHoldOpen(At("busy.jar")));

    EXPECT_FALSE(CopyFileTo(At("missing.jar"), At("t.jar")));
    EXPECT_EQ(GetAttributes(At("t.jar")), -1);
    EXPECT_FALSE(CopyFileTo(At("dir"), At("t.jar"))) << "a folder is no file";
    EXPECT_FALSE(CopyFileTo(At("src.jar"), At("dir"))) << "a folder is not replaced";
    EXPECT_EQ(GetAttributes(At("dir")), kAttrFolder);
    EXPECT_FALSE(CopyFileTo(At("src.jar"), At("missing\\t.jar")));
    EXPECT_EQ(GetAttributes(At("missing")), -1);
    EXPECT_FALSE(CopyFileTo(At("src.jar"), At("ro.jar")));
    EXPECT_EQ(ReadWholeFile(At("ro.jar")), "old");
    EXPECT_FALSE(CopyFileTo(At("src.jar"), At("busy.jar")));
    SandboxRelease(At("busy.jar"));
    EXPECT_EQ(ReadWholeFile(At("busy.jar")), "old");
    EXPECT_EQ(Enumerate(At("*"), kNoFilter), (Names{"busy.jar", "ro.jar", "src.jar"}))
        << "no staging file is left behind";
}

TEST_F(FileSystemContract, RemoveFileRemovesOnlyAFileThatMayGo)
{
    MakeFile("a.jar");
    MakeFile("ro.jar");
    MakeFile("busy.jar");
    MakeFolder("dir");
    ASSERT_TRUE(SandboxSetAttributes(At("ro.jar"), kAttrReadOnly));
    ASSERT_TRUE(SandboxHoldOpen(At("busy.jar")));

    EXPECT_TRUE(RemoveFile(At("A.JAR")));
    EXPECT_EQ(GetAttributes(At("a.jar")), -1);
    EXPECT_FALSE(RemoveFile(At("a.jar"))) << "already gone";
    EXPECT_FALSE(RemoveFile(At("dir")));
    EXPECT_FALSE(RemoveFile(At("ro.jar")));
    EXPECT_FALSE(RemoveFile(At("busy.jar")));
    SandboxRelease(At("busy.jar"));
    EXPECT_NE(GetAttributes(At("dir")), -1);
    EXPECT_NE(GetAttributes(At("ro.jar")), -1);
    EXPECT_NE(GetAttributes(At("busy.jar")), -1);
}

TEST_F(FileSystemContract, RenamePathNeverReplaces)
{
    MakeFile("a.jar", "a");
    MakeFile("b.jar", "b");
    MakeFolder("cfg");
    MakeFile("cfg\\x.cfg", "x");
    MakeFolder("cfg2");

    EXPECT_FALSE(RenamePath(At("a.jar"), At("b.jar")));
    EXPECT_FALSE(RenamePath(At("a.jar"), At("B.JAR")));
    EXPECT_FALSE(RenamePath(At("cfg"), At("cfg2")));
    EXPECT_FALSE(RenamePath(At("a.jar"), At("cfg2")));
    EXPECT_FALSE(RenamePath(At("missing"), At("c.jar")));
    EXPECT_EQ(ReadWholeFile(At("a.jar")), "a");
    EXPECT_EQ(ReadWholeFile(At("b.jar")), "b");
    EXPECT_EQ(Enumerate(At("cfg2\\*.*"), kFilterFolders | kFilterFileBits), (Names{".", ".."}));

    EXPECT_TRUE(RenamePath(At("a.jar"), At("c.jar")));
    EXPECT_EQ(ReadWholeFile(At("c.jar")), "a");
    EXPECT_EQ(GetAttributes(At("a.jar")), -1);
    EXPECT_TRUE(RenamePath(At("cfg"), At("配置")));
    EXPECT_EQ(ReadWholeFile(At("配置\\x.cfg")), "x");
}

TEST_F(FileSystemContract, RenamePathMayChangeLetterCaseAlone)
{
    MakeFile("mod.jar");
    EXPECT_TRUE(RenamePath(At("mod.jar"), At("Mod.JAR")));
    EXPECT_EQ(Enumerate(At("*")), (Names{"Mod.JAR"}));
}

TEST_F(FileSystemContract, RenamePathLeavesAFileInUse)
{
    MakeFile("busy.jar");
    ASSERT_TRUE(SandboxHoldOpen(At("busy.jar")));
    EXPECT_FALSE(RenamePath(At("busy.jar"), At("other.jar")));
    SandboxRelease(At("busy.jar"));
    EXPECT_NE(GetAttributes(At("busy.jar")), -1);
    EXPECT_EQ(GetAttributes(At("other.jar")), -1);
}

// ---- looking things up ---------------------------------------------------

TEST_F(FileSystemContract, AttributesAreMaskedToTheKnownBits)
{
    MakeFile("f");
    MakeFolder("d");
    EXPECT_EQ(GetAttributes(At("f")), kAttrArchive);
    EXPECT_EQ(GetAttributes(At("d")), kAttrFolder);
    ASSERT_TRUE(SandboxSetAttributes(At("f"), kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive));
    EXPECT_EQ(GetAttributes(At("F")), 39);
    ASSERT_TRUE(SandboxSetAttributes(At("f"), kAttrHidden));
    EXPECT_EQ(GetAttributes(At("f")) & ~kAttrArchive, kAttrHidden) << "Wine keeps the archive bit of a file";
    ASSERT_TRUE(SandboxSetAttributes(At("d"), kAttrHidden));
    EXPECT_EQ(GetAttributes(At("d")), kAttrFolder | kAttrHidden);
    EXPECT_EQ(GetAttributes(At("missing")), -1);
}

TEST_F(FileSystemContract, PathExistsMatchesAsFindFirstDoes)
{
    MakeFile("mod.jar");
    MakeFolder("cfg");
    EXPECT_TRUE(PathExists(At("mod.jar")));
    EXPECT_TRUE(PathExists(At("MOD.JAR")));
    EXPECT_TRUE(PathExists(At("cfg")));
    EXPECT_TRUE(PathExists(At("*.jar")));
    EXPECT_TRUE(PathExists(At("m?d.jar")));
    EXPECT_FALSE(PathExists(At("*.zip")));
    EXPECT_FALSE(PathExists(At("missing")));
    EXPECT_FALSE(PathExists(At("cfg\\"))) << "a path ending in \\ matches nothing";
    EXPECT_FALSE(PathExists(At("missing\\mod.jar")));
    EXPECT_FALSE(PathExists(""));
}

TEST_F(FileSystemContract, FindFirstOnAPlainPathYieldsThatEntry)
{
    MakeFolder("Mods");
    EXPECT_EQ(Enumerate(At("mods"), kFilterFolders), (Names{"Mods"})) << "stored case, not the asked one";
    EXPECT_EQ(Enumerate(At("mods\\"), kFilterFolders), Names{});
    EXPECT_EQ(Enumerate(At("mods"), kNoFilter), Names{}) << "a folder does not pass the files-only filter";
    EXPECT_EQ(Enumerate(At("missing"), kFilterFolders), Names{});
    EXPECT_EQ(Enumerate("", kFilterFolders), Names{});
}

TEST_F(FileSystemContract, FindFirstFiltersByAttributes)
{
    MakeFolder("d");
    MakeFolder("d\\sub");
    MakeFile("d\\plain.jar");
    MakeFile("d\\hidden.jar");
    MakeFile("d\\bare.cfg");
    MakeFile("d\\noext");
    ASSERT_TRUE(SandboxSetAttributes(At("d\\hidden.jar"), kAttrHidden));
    ASSERT_TRUE(SandboxSetAttributes(At("d\\bare.cfg"), 0));
    // Windows clears a file's archive bit when told; Wine keeps it.
    const bool bare = GetAttributes(At("d\\bare.cfg")) == 0;
    const Names withBits = bare ? Names{"plain.jar", "hidden.jar", "noext"}
                                : Names{"plain.jar", "hidden.jar", "noext", "bare.cfg"};

    const struct {
        const char* pattern;
        int filter;
        Names names;
    } cases[] = {
        {"*.*", kFilterFolders, {".", "..", "sub"}},
        {"*.*", kFilterFileBits, withBits},
        {"*.*", kNoFilter, {"plain.jar", "hidden.jar", "bare.cfg", "noext"}},
        {"*", kNoFilter, {"plain.jar", "hidden.jar", "bare.cfg", "noext"}},
        {"*.JAR", kNoFilter, {"plain.jar", "hidden.jar"}},
        {"?oext", kNoFilter, {"noext"}},
        {"s*", kFilterFolders | kFilterFileBits, {"sub"}},
        {"*.zip", kNoFilter, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Enumerate(At(Text("d\\") + c.pattern), c.filter), c.names) << c.pattern << " " << c.filter;
}

TEST_F(FileSystemContract, AnEnumerationEndsAndStartsAgainCleanly)
{
    MakeFile("a");
    MakeFile("b");
    MakeFile("c");
    SearchState state;
    EXPECT_NE(FindFirst(state, At("*")), "");
    EndFind(state);
    EXPECT_EQ(FindNext(state), "") << "ended early";
    EndFind(state);

    Names seen;
    for (Text n = FindFirst(state, At("*")); !n.empty(); n = FindNext(state))
        seen.insert(n);
    EXPECT_EQ(seen, (Names{"a", "b", "c"}));
    EXPECT_EQ(FindNext(state), "") << "after the end";

    EXPECT_NE(FindFirst(state, At("*")), "");
    EXPECT_EQ(FindFirst(state, At("b")), "b") << "a new FindFirst replaces the running enumeration";
    EXPECT_EQ(FindNext(state), "");
}

TEST_F(FileSystemContract, ChineseNamesRoundTrip)
{
    MakeFolder("Mod资源文件");
    MakeFile("Mod资源文件\\工业时代2.jar", "ic2");
    // 0xD5 0x5C: a character whose trail byte has the value of "\".
    MakeFile("Mod资源文件\\\xD5\x5C.jar", "trail");
    EXPECT_EQ(Enumerate(At("Mod资源文件\\*.*")), (Names{"工业时代2.jar", "\xD5\x5C.jar"}));
    EXPECT_EQ(ReadWholeFile(At("Mod资源文件\\\xD5\x5C.jar")), "trail");
    EXPECT_EQ(Enumerate(At("*.*"), kFilterFolders), (Names{".", "..", "Mod资源文件"}));
}

// ---- texts that are no usable path --------------------------------------

TEST_F(FileSystemContract, NoTextTouchesAPathItWasNotGiven)
{
    MakeFolder("x");
    MakeFile("x\\keep.txt", "keep");
    MakeFile("f", "keep");
    const Text nul("\0y", 2);
    const struct {
        Text path;
        bool unusable;  // no path at all; a usable one just names nothing
    } cases[] = {
        {"", true},
        {At("x") + nul, true},               // would name "x" if cut at the zero
        {At("f") + nul, true},
        {At("x\\keep.txt") + nul, true},
        {At("\xB0\x20"), true},              // a blank is no trail byte
        {At("f\xB0"), true},                 // lead byte at the very end
        {At("x\\keep.txt\xB0"), true},
        {At(Text(5000, 'a')), false},        // longer than Windows takes
        {At("x\\") + Text(40000, 'b'), false},
    };
    for (const auto& c : cases) {
        const Text& p = c.path;
        const Text shown = testing::PrintToString(p.substr(0, 80));
        SearchState state;
        EXPECT_EQ(FindFirst(state, p, kFilterFolders | kFilterFileBits), "") << shown;
        EXPECT_FALSE(PathExists(p)) << shown;
        EXPECT_EQ(GetAttributes(p), -1) << shown;
        EXPECT_EQ(ReadWholeFile(p), "") << shown;
        EXPECT_FALSE(WriteWholeFile(p, "new")) << shown;
        EXPECT_FALSE(MakeDirectory(p)) << shown;
        EXPECT_FALSE(RemoveFile(p)) << shown;
        if (c.unusable)
            EXPECT_FALSE(RemoveDirectory(p)) << shown;
        else
            RemoveDirectory(p);  // names no folder, so it is gone either way
        EXPECT_FALSE(CopyFileTo(At("f"), p)) << shown;
        EXPECT_FALSE(CopyFileTo(p, At("copy"))) << shown;
        EXPECT_FALSE(RenamePath(p, At("moved"))) << shown;
        EXPECT_FALSE(RenamePath(At("f"), p)) << shown;
        EXPECT_FALSE(WriteIniValue(p, "s", "k", "v")) << shown;
        EXPECT_EQ(ReadIniValue(p, "s", "k"), "") << shown;
    }
    EXPECT_EQ(ReadWholeFile(At("f")), "keep");
    EXPECT_EQ(ReadWholeFile(At("x\\keep.txt")), "keep");
    EXPECT_EQ(Enumerate(At("*")), (Names{"f"}));
    EXPECT_EQ(Enumerate(At("*.*"), kFilterFolders), (Names{".", "..", "x"}));
}

TEST_F(FileSystemContract, OtherServicesRefuseWildcards)
{
    MakeFile("a.jar", "a");
    EXPECT_FALSE(RemoveFile(At("*.jar")));
    EXPECT_FALSE(CopyFileTo(At("*.jar"), At("b.jar")));
    EXPECT_FALSE(RenamePath(At("a.ja?"), At("b.jar")));
    EXPECT_EQ(GetAttributes(At("*.jar")), -1);
    EXPECT_EQ(ReadWholeFile(At("a.*")), "");
    EXPECT_EQ(ReadWholeFile(At("a.jar")), "a");
}

// ---- settings files ------------------------------------------------------

TEST_F(FileSystemContract, SettingsFileIsWrittenInTheProfileLayout)
{
    const Text ini = At("配置.ini");
    EXPECT_EQ(ReadIniValue(ini, "目录设置", "游戏根目录"), "") << "missing file";
    ASSERT_TRUE(WriteIniValue(ini, "目录设置", "游戏启动文件路径", "请先设置...."));
    EXPECT_EQ(ReadWholeFile(ini), "[目录设置]\r\n游戏启动文件路径=请先设置....\r\n");
    ASSERT_TRUE(WriteIniValue(ini, "目录设置", "游戏根目录", "D:\\我的世界"));
    ASSERT_TRUE(WriteIniValue(ini, "目录设置", "游戏启动文件路径", "D:\\我的世界\\启动.exe"));
    EXPECT_EQ(ReadWholeFile(ini), "[目录设置]\r\n游戏启动文件路径=D:\\我的世界\\启动.exe\r\n游戏根目录=D:\\我的世界\r\n");
    EXPECT_EQ(ReadIniValue(ini, "目录设置", "游戏根目录"), "D:\\我的世界");
    EXPECT_EQ(ReadIniValue(ini, "目录设置", "missing"), "");
    EXPECT_EQ(ReadIniValue(ini, "missing", "游戏根目录"), "");
}

TEST_F(FileSystemContract, SettingsValuesAreReadUpTo10239Bytes)
{
    const Text ini = At("s.ini");
    MakeFile("s.ini", "[s]\r\nk=" + Text(12000, 'v') + "\r\n");
    EXPECT_EQ(ReadIniValue(ini, "s", "k"), Text(10239, 'v'));
}

TEST_F(FileSystemContract, SettingsWriteCreatesNoFolderAndSparesAReadOnlyFile)
{
    EXPECT_FALSE(WriteIniValue(At("missing\\s.ini"), "s", "k", "v"));
    EXPECT_EQ(GetAttributes(At("missing")), -1);
    MakeFile("ro.ini", "[s]\r\nk=old\r\n");
    ASSERT_TRUE(SandboxSetAttributes(At("ro.ini"), kAttrReadOnly));
    EXPECT_FALSE(WriteIniValue(At("ro.ini"), "s", "k", "new"));
    EXPECT_EQ(ReadIniValue(At("ro.ini"), "s", "k"), "old");
}

// ---- the program's folder ------------------------------------------------

TEST_F(FileSystemContract, StartPlatformMakesTheProgramFolderCurrent)
{
    MakeFolder("程序");
    StartPlatform(At("程序"));
    EXPECT_EQ(RunDirectory(), At("程序"));
    EXPECT_TRUE(MakeDirectory("Mod资源文件"));
    EXPECT_TRUE(WriteWholeFile("Mod资源文件\\a.jar", "a"));
    EXPECT_EQ(ReadWholeFile(At("程序\\Mod资源文件\\a.jar")), "a");
    EXPECT_EQ(Enumerate("Mod资源文件\\*.*"), (Names{"a.jar"}));
    StartPlatform();
    EXPECT_NE(RunDirectory(), At("程序"));
    ASSERT_FALSE(RunDirectory().empty());
    EXPECT_NE(RunDirectory().back(), '\\') << "no trailing separator";
}

}  // namespace
