#include "fsops/CopyTree.h"

#include <vector>

#include "platform/FileSystem.h"
#include "ui/Window.h"

namespace {

Text WithSeparator(const Text& path)
{
    return !path.empty() && path.back() == '\\' ? path : path + "\\";
}

// A destination inside the source would be walked in turn, again and again,
// until the paths grow too long; the same folder would be copied onto
// itself. Compared as Windows would: absolute, without regard to case.
bool IsSameOrInside(const Text& destination, const Text& source)
{
    Text d = FoldAsciiCase(AbsolutePath(destination));
    Text s = FoldAsciiCase(AbsolutePath(source));
    if (d.empty() || s.empty())
        return false;
    d = WithSeparator(d);
    s = WithSeparator(s);
    return d.compare(0, s.size(), s) == 0;
}

void HandleEvents(int eventsFlag)
{
    if (eventsFlag == 1)
        ProcessEvents();
}

}  // namespace

bool CopyPath(const Text& source, const Text& destination, int eventsFlag)
{
    SearchState state;
    bool result = false;
    if (!FindFirst(state, source, kFilterFolders).empty()) {
        const bool usable = !IsSameOrInside(destination, source) &&
                            (MakeDirectory(destination) || !FindFirst(state, destination, kFilterFolders).empty() ||
                             (GetAttributes(destination) != -1 && (GetAttributes(destination) & kAttrFolder) != 0) ||
                             destination.size() < 4);
        if (usable) {
            std::deque<Text> pending{Text()};
            result = CopyTreeContents(WithSeparator(source), pending, WithSeparator(destination), eventsFlag);
        }
    } else if (!FindFirst(state, source, kFilterFileBits).empty()) {
        result = CopyFileTo(source, destination);
    }
    EndFind(state);
    return result;
}

bool CopyTreeContents(const Text& sourceRoot, std::deque<Text>& pending, const Text& destinationRoot,
                      int eventsFlag)
{
    SearchState state;
    std::vector<Text> folders{Text()};

    while (!pending.empty()) {
        const Text head = pending.front();
        for (Text name = FindFirst(state, sourceRoot + head + "*.*", kFilterFolders); !name.empty();) {
            if (name != "." && name != "..") {
                // An existing folder is simply kept: the copy merges.
                MakeDirectory(destinationRoot + head + name);
                pending.push_back(head + name + "\\");
                folders.push_back(head + name + "\\");
            }
            name = FindNext(state, kFilterFolders);
            HandleEvents(eventsFlag);
        }
        pending.pop_front();
    }

    const std::size_t count = folders.size();
    for (std::size_t i = 0; i < count; ++i) {
        const Text& entry = folders[i];
        for (Text name = FindFirst(state, sourceRoot + entry + "*.*"); !name.empty();) {
            if (!CopyFileTo(sourceRoot + entry + name, destinationRoot + entry + name)) {
                EndFind(state);
                return false;
            }
            name = FindNext(state);
            HandleEvents(eventsFlag);
        }
    }
    EndFind(state);
    return true;
}
