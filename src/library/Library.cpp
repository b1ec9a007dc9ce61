#include "library/Library.h"

#include "app/AppState.h"
#include "app/Common.h"
#include "platform/FileSystem.h"
#include "ui/Window.h"

Text ModFilePath(const Text& name) { return AppState.LibraryModsDir + "\\" + name; }
Text ModConfigPath(const Text& name) { return AppState.LibraryConfigDir + "\\" + name; }
Text ModNotePath(const Text& name) { return AppState.LibraryNotesDir + "\\" + name + ".txt"; }

Text NoteText(const Text& bytes) { return bytes.substr(0, bytes.find('\0')); }

bool IsUsableFileName(const Text& name)
{
    if (name.empty() || name == "." || name == ".." || !IsWellFormedGbk(name))
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if (IsGbkLeadByte(b)) {
            ++i;  // a trail byte may have the value of a reserved character
            continue;
        }
        if (b < 0x20 || Text("\\/:*?\"<>|").find(static_cast<char>(b)) != Text::npos)
            return false;
    }
    if (name.back() == ' ' || name.back() == '.')
        return false;
    // Device names stay devices whatever extension follows them.
    const Text stem = FoldAsciiCase(name.substr(0, name.find('.')));
    for (const char* device : {"CON", "PRN", "AUX", "NUL"})
        if (stem == device)
            return false;
    if (stem.size() == 4 && (stem.compare(0, 3, "COM") == 0 || stem.compare(0, 3, "LPT") == 0) && stem[3] >= '1' &&
        stem[3] <= '9')
        return false;
    return true;
}

bool ListHolds(ControlId list, const Text& text)
{
    const int count = ListItemCount(list);
    for (int k = 0; k < count; ++k)
        if (ListItemText(list, k) == text)
            return true;
    return false;
}

void CheckLibrary()
{
    const int count = ListItemCount(资源库列表框);
    for (int k = 0; k < count; ++k) {
        const Text name = ListItemText(资源库列表框, k);
        if (!DirectoryExists(ModConfigPath(name)))
            MakeDirectory(ModConfigPath(name));
        if (!PathExists(ModNotePath(name)))
            WriteWholeFile(ModNotePath(name), NOTE_TEMPLATE);
        ShowNotice("进度已完成");
    }
}
