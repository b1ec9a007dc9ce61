#pragma once

// The file-system services the program asks of Windows. Declared once here;
// implemented over the Win32 wide-character API for the product
// (platform/win32/) and as an in-memory volume for the host tests
// (tests/support/). Which one is used is decided at link time.
//
// Every path and name is GBK. Names match without regard to letter case, as
// the file system does. A path that is not a usable GBK name (empty where a
// name is needed, an embedded zero byte, ill-formed GBK, a lead byte at the
// end) is refused: the operation fails without touching anything.
// Only FindFirst and PathExists treat "*" and "?" as wildcards; the other
// operations refuse a path that holds one.

#include "platform/Text.h"

// windows.h defines RemoveDirectory as a macro; the program's own service
// of that name wins wherever this header is seen.
#ifdef RemoveDirectory
#undef RemoveDirectory
#endif

// Attribute bits, as GetAttributes reports them and FindFirst filters by.
constexpr int kAttrReadOnly = 1;
constexpr int kAttrHidden = 2;
constexpr int kAttrSystem = 4;
constexpr int kAttrFolder = 16;
constexpr int kAttrArchive = 32;

// Filters for FindFirst and FindNext. An entry passes a filter when it has
// at least one of the filter's bits. kNoFilter ("filter left out") passes
// every entry that is not a folder.
constexpr int kFilterFolders = kAttrFolder;                                        // 16
constexpr int kFilterFileBits = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;  // 39
constexpr int kNoFilter = -1;

// One enumeration. Each routine that enumerates owns one. The implementation
// keeps what it needs behind impl; the state ends any open enumeration when
// it goes out of scope.
struct SearchState {
    void* impl = nullptr;
    SearchState() = default;
    SearchState(const SearchState&) = delete;
    SearchState& operator=(const SearchState&) = delete;
    ~SearchState();
};

// Ends the enumeration the state held, then begins one over the entries that
// match the pattern: "*" and "?" are wildcards in the last component and
// "*.*" matches every name, with or without a dot. A plain path yields that
// one entry; a pattern ending in "\" yields none. Returns the first name that
// passes the filter, or empty text when none is left (which ends the
// enumeration). Names are bare (no folder part), in long form, in the file
// system's order; "." and ".." come like other folders (not in a drive root).
Text FindFirst(SearchState& state, const Text& pattern, int filter = kNoFilter);
// The next name that passes the filter; empty text at the end, and after it.
Text FindNext(SearchState& state, int filter = kNoFilter);
// Ends the enumeration early. Harmless on a state that holds none.
void EndFind(SearchState& state);

inline SearchState::~SearchState() { EndFind(*this); }

// Creates one folder, not its missing parents. False if the path exists
// already (folder or file) or the folder cannot be made.
bool MakeDirectory(const Text& path);

// Deletes what the folder holds, depth first, then the folder itself; true
// when the folder is gone afterwards (a folder that did not exist is gone).
// A junction or symbolic link met inside is removed as a link; what it points
// to is never entered. Read-only entries inside are removed too. Refused
// (false, nothing touched): an empty path, a bare drive ("C:", "C:\"), a path
// made only of separators, and a path that names a file.
bool RemoveDirectory(const Text& path);

// Copies one file to the target path, replacing an existing target file.
// The copy is made beside the target and swapped in once it is whole, so a
// failure part way leaves the old target as it was. False when the source is
// not a file or the target is a folder, is read-only or cannot be written.
bool CopyFileTo(const Text& source, const Text& target);

// Deletes one file. False when it is missing, is a folder, is read-only or
// is in use.
bool RemoveFile(const Text& path);

// Renames (or moves on the same volume) a file or folder. False, and nothing
// changes, when the new path exists already or the old one is missing. A
// change of letter case alone of the same entry is allowed.
bool RenamePath(const Text& oldPath, const Text& newPath);

// True when the pattern names an existing file or folder, matched as by
// FindFirst (so a path ending in "\" is false).
bool PathExists(const Text& path);

// The attribute bits 1, 2, 4, 16 and 32 of the entry (others cleared);
// -1 when the path does not exist.
int GetAttributes(const Text& path);

// The file's bytes; empty when it cannot be opened or read.
Text ReadWholeFile(const Text& path);

// Makes the bytes the whole content of the file, creating it when missing.
// The new content is written beside the file and swapped in once whole, so a
// failure leaves the old content. False when it cannot be written; no folder
// is created.
bool WriteWholeFile(const Text& path, const Text& bytes);

// The path made absolute as Windows makes it: the current folder and drive
// applied, "." and ".." resolved, "/" read as "\". Empty for a path that is
// refused.
Text AbsolutePath(const Text& path);

// Records the program file's folder as RunDirectory and makes it the current
// folder. Called at start-up, before anything else here. Tests pass a folder
// of their own to stand in for the program's folder.
void StartPlatform(const Text& programFolder = Text());

// The program file's folder, without a trailing "\" (drive letter and colon
// for a drive root).
Text RunDirectory();

// Settings files ("key=value" lines under "[section]" lines, CR LF). The
// value as the profile functions read it with no default: blanks around it
// trimmed, one pair of enclosing quotes dropped, at most 10239 bytes; empty
// for a missing file, section or key. Section and key names match without
// regard to ASCII letter case.
Text ReadIniValue(const Text& file, const Text& section, const Text& key);

// Sets the key in place, or appends it to its section, creating the file and
// the section as needed; every other line stays as it was. False when the
// file cannot be written, or for a name or value that cannot be stored on one
// line (a line break, a zero byte, "=" in a key, "]" in a section, an empty
// section or key).
bool WriteIniValue(const Text& file, const Text& section, const Text& key, const Text& value);
