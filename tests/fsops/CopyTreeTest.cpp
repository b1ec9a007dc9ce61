#include <set>

#include "fsops/CopyTree.h"
#include "support/ProgramFolder.h"

namespace {


class CopyTreeTest : public ProgramFolderTest {
protected:
    // Every entry below the folder, as relative paths ("sub\" for folders).
    static std::set<Text> Tree(const Text& folder)
    {
        std::set<Text> entries;
        std::vector<Text> pending{""};
        while (!pending.empty()) {
            const Text rel = pending.back();
            pending.pop_back();
            SearchState state;
            for (Text n = FindFirst(state, folder + "\\" + rel + "*.*", kFilterFolders | kFilterFileBits);
                 !n.empty(); n = FindNext(state, kFilterFolders | kFilterFileBits)) {
                if (n == "." || n == "..")
                    continue;
                const bool isFolder = (GetAttributes(folder + "\\" + rel + n) & kAttrFolder) != 0;
                entries.insert(rel + n + (isFolder ? "\\" : ""));
                if (isFolder)
                    pending.push_back(rel + n + "\\");
            }
        }
        return entries;
    }

    // A configuration tree: files at the root and two levels down, an empty
    // folder at depth, hidden and system entries.
    void MakeSourceTree()
    {
        MakeFolder("src");
        MakeFile("src\\root.cfg", "root");
        MakeFolder("src\\a");
        MakeFile("src\\a\\a.cfg", "a");
        MakeFolder("src\\a\\deep");
        MakeFolder("src\\a\\deep\\empty");
        MakeFile("src\\a\\deep\\d.cfg", "d");
        MakeFolder("src\\隐藏");
        MakeFile("src\\隐藏\\h.cfg", "h");
        ASSERT_TRUE(SandboxSetAttributes(At("src\\隐藏"), kAttrHidden));
        ASSERT_TRUE(SandboxSetAttributes(At("src\\隐藏\\h.cfg"), kAttrHidden | kAttrSystem));
    }
};

const std::set<Text> kSourceTree = {"root.cfg", "a\\", "a\\a.cfg", "a\\deep\\", "a\\deep\\empty\\",
                                    "a\\deep\\d.cfg", "隐藏\\", "隐藏\\h.cfg"};

TEST_F(CopyTreeTest, CopiesTheWholeTreeIntoANewFolder)
{
    MakeSourceTree();
    EXPECT_TRUE(CopyPath(At("src"), At("dst"), 0));
    EXPECT_EQ(Tree(At("dst")), kSourceTree);
    EXPECT_EQ(ReadWholeFile(At("dst\\a\\deep\\d.cfg")), "d");
    EXPECT_EQ(ReadWholeFile(At("dst\\隐藏\\h.cfg")), "h");
    EXPECT_EQ(FakeProcessEventsCalls(), 0) << "events flag 0 handles no messages";
}

TEST_F(CopyTreeTest, MergesIntoAnExistingTree)
{
    MakeSourceTree();
    MakeFolder("dst");
    MakeFile("dst\\root.cfg", "old");
    MakeFile("dst\\mine.cfg", "mine");
    MakeFolder("dst\\a");
    MakeFile("dst\\a\\other.cfg", "other");
    EXPECT_TRUE(CopyPath(At("src"), At("dst\\"), 0)) << "the destination may end with a separator";
    EXPECT_EQ(ReadWholeFile(At("dst\\root.cfg")), "root") << "same relative path is overwritten";
    EXPECT_EQ(ReadWholeFile(At("dst\\mine.cfg")), "mine");
    EXPECT_EQ(ReadWholeFile(At("dst\\a\\other.cfg")), "other");
    std::set<Text> expected = kSourceTree;
    expected.insert({"mine.cfg", "a\\other.cfg"});
    EXPECT_EQ(Tree(At("dst")), expected);
}

TEST_F(CopyTreeTest, MakesEveryFolderBeforeTheFirstFile)
{
    if (!SandboxFaultsSupported())
        GTEST_SKIP() << "needs fault injection";
    MakeSourceTree();
    // The very first file copy fails: by then every folder must exist, and
    // the copy stops there.
    SandboxFailOperation("CopyFileTo", At("src\\root.cfg"));
    EXPECT_FALSE(CopyPath(At("src"), At("dst"), 0));
    EXPECT_EQ(Tree(At("dst")), (std::set<Text>{"a\\", "a\\deep\\", "a\\deep\\empty\\", "隐藏\\"}));
}

TEST_F(CopyTreeTest, StopsAtTheFirstFileThatCannotBeCopied)
{
    if (!SandboxFaultsSupported())
        GTEST_SKIP() << "needs fault injection";
    MakeSourceTree();
    SandboxFailOperation("CopyFileTo", At("src\\a\\a.cfg"));
    EXPECT_FALSE(CopyPath(At("src"), At("dst"), 0));
    // Root files come first, then folder by folder in the order found:
    // what came before stays, nothing after is tried.
    const std::set<Text> tree = Tree(At("dst"));
    EXPECT_TRUE(tree.count("root.cfg"));
    EXPECT_FALSE(tree.count("a\\a.cfg"));
    EXPECT_FALSE(tree.count("a\\deep\\d.cfg"));
}

TEST_F(CopyTreeTest, AFileInUseAtTheDestinationStopsTheCopy)
{
    MakeSourceTree();
    MakeFolder("dst");
    MakeFile("dst\\root.cfg", "old");
    ASSERT_TRUE(SandboxHoldOpen(At("dst\\root.cfg")));
    EXPECT_FALSE(CopyPath(At("src"), At("dst"), 0));
    SandboxRelease(At("dst\\root.cfg"));
    EXPECT_EQ(ReadWholeFile(At("dst\\root.cfg")), "old");
}

TEST_F(CopyTreeTest, RefusesADestinationInsideTheSource)
{
    MakeSourceTree();
    const Text insides[] = {At("src\\a\\copy"), At("SRC\\A"), At("src"), At("src\\.\\new"), "src\\relative"};
    for (const Text& inside : insides) {
        EXPECT_FALSE(CopyPath(At("src"), inside, 0)) << inside;
        EXPECT_EQ(Tree(At("src")), kSourceTree) << inside << ": nothing created or copied";
    }
    EXPECT_TRUE(CopyPath(At("src"), At("src2"), 0)) << "a sibling with the same prefix is no inside";
}

TEST_F(CopyTreeTest, HandlesWindowMessagesBetweenEntriesWithFlagOne)
{
    MakeSourceTree();
    EXPECT_TRUE(CopyPath(At("src"), At("dst"), 1));
    EXPECT_GT(FakeProcessEventsCalls(), 8);
    const int calls = FakeProcessEventsCalls();
    EXPECT_TRUE(CopyPath(At("src"), At("dst2"), 2));
    EXPECT_EQ(FakeProcessEventsCalls(), calls) << "only exactly 1 handles messages";
}

TEST_F(CopyTreeTest, SourcesThatAreNoFolder)
{
    MakeFile("one.cfg", "one");
    MakeFolder("existing");
    MakeFolder("empty");
    const struct {
        const char* why;
        Text source, destination;
        bool result;
    } cases[] = {
        {"a file is copied to the destination path itself", At("one.cfg"), At("copy.cfg"), true},
        {"a file onto an existing folder fails", At("one.cfg"), At("existing"), false},
        {"a missing source", At("missing"), At("d1"), false},
        {"an empty source", "", At("d2"), false},
        {"a source ending in a separator matches no entry", At("one.cfg\\"), At("d3"), false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CopyPath(c.source, c.destination, 0), c.result) << c.why;
    EXPECT_EQ(ReadWholeFile(At("copy.cfg")), "one");
    for (const char* d : {"d1", "d2", "d3"})
        EXPECT_EQ(GetAttributes(At(d)), -1) << d << " is not created";
    EXPECT_TRUE(CopyPath(At("empty"), At("d4"), 0)) << "an empty folder copies nothing, successfully";
    EXPECT_EQ(GetAttributes(At("d4")), kAttrFolder);
}

TEST_F(CopyTreeTest, DestinationsThatCannotBeUsed)
{
    MakeSourceTree();
    MakeFile("afile", "file");
    EXPECT_FALSE(CopyPath(At("src"), At("missing\\dst"), 0)) << "a missing parent";
    EXPECT_EQ(GetAttributes(At("missing")), -1);
    EXPECT_FALSE(CopyPath(At("src"), At("afile"), 0)) << "an existing file";
    EXPECT_EQ(ReadWholeFile(At("afile")), "file");
}

}  // namespace
