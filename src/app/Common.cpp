#include "app/Common.h"

#include "app/AppState.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

bool DirectoryExists(const Text& path)
{
    // One trailing separator is dropped; a trail byte of the value of "\"
    // at the end belongs to its character and stays.
    Text p = path;
    if (!p.empty() && LastSeparatorIndex(p) == static_cast<int>(p.size()) - 1)
        p.pop_back();
    const int sep = LastSeparatorIndex(p);
    const Text parent = p.substr(0, static_cast<std::size_t>(sep + 1));
    const Text wanted = p.substr(static_cast<std::size_t>(sep + 1));

    // The parent goes to the file system as a pattern, so its letter case
    // does not matter; the last component must match byte for byte.
    SearchState state;
    bool found = false;
    for (Text name = FindFirst(state, parent + "*.*", kFilterFolders); !name.empty();
         name = FindNext(state, kFilterFolders)) {
        if (name == wanted) {
            found = true;
            break;
        }
    }
    EndFind(state);
    return found;
}

Text FileNameOfPath(const Text& path)
{
    return path.substr(static_cast<std::size_t>(LastSeparatorIndex(path) + 1));
}

namespace {

void FillList(SearchState& state, ControlId list, const Text& folder)
{
    // An empty folder would make the pattern "\*.*", the root of the
    // current drive; with no folder known there is nothing to list.
    if (folder.empty())
        return;
    for (Text name = FindFirst(state, folder + "\\*.*"); !name.empty(); name = FindNext(state))
        ListAddItem(list, name);
}

}  // namespace

void RefreshModLists()
{
    ListRedraw(资源库列表框, false);
    ListRedraw(已有Mod列表框, false);
    ListClear(资源库列表框);
    ListClear(已有Mod列表框);
    SearchState state;
    FillList(state, 资源库列表框, AppState.LibraryModsDir);
    FillList(state, 已有Mod列表框, AppState.GameModsDir);
    EndFind(state);
    ListRedraw(资源库列表框, true);
    ListRedraw(已有Mod列表框, true);
}

void ShowNotice(const Text& text)
{
    const ScreenPoint at = MousePosition();
    PopBalloon(气球提示框1, at.x, at.y, text, -1, true);
}
