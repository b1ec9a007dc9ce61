#include <windows.h>

#include "platform/FileSystem.h"

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Gbk.h"

namespace {

constexpr DWORD kReportedAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrFolder | kAttrArchive;

// A running game keeps its mod files open for a moment after it lets go of
// them, and virus scanners open fresh files; a few short tries ride that out.
constexpr int kTries = 3;
constexpr DWORD kRetryDelayMs = 20;

// Beside the target, so the final swap is a rename within one folder.
const wchar_t kTempSuffix[] = L".qmtmp";

Text g_runDirectory;

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

bool IsDotName(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
}

// The wide form of a path the caller gave; false refuses the operation.
bool ToWidePath(const Text& path, std::wstring& wide, bool wildcards) {
    if (path.empty() || !GbkToWide(path, wide) || wide.empty()) return false;
    if (!wildcards && wide.find_first_of(L"*?") != std::wstring::npos) return false;
    return true;
}

DWORD AttributesOf(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

bool IsMissingError(DWORD error) { return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND; }

bool IsGone(const std::wstring& path) {
    if (AttributesOf(path) != INVALID_FILE_ATTRIBUTES) return false;
    return IsMissingError(GetLastError());
}

// Runs op again while the entry is merely in use. Access denied also comes
// from a file still being closed by another process, but from a read-only
// entry it is final.
template <typename Operation>
bool WithRetry(const std::wstring& entry, Operation op) {
    for (int attempt = 1;; ++attempt) {
        if (op()) return true;
        const DWORD error = GetLastError();
        if (attempt >= kTries) return false;
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) return false;
        const DWORD attrs = AttributesOf(entry);
        if (attrs != INVALID_FILE_ATTRIBUTES && (attrs & FILE_ATTRIBUTE_READONLY)) return false;
        Sleep(kRetryDelayMs);
    }
}

std::wstring FullPathOf(const std::wstring& path) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetFullPathNameW(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
        if (length == 0) return std::wstring();
        if (length < full.size()) {
            full.resize(length);
            return full;
        }
        full.resize(length);
    }
}

std::wstring UpperCase(const std::wstring& text) {
    if (text.empty()) return text;
    std::wstring upper(text);
    const int length = static_cast<int>(text.size());
    if (LCMapStringW(LOCALE_INVARIANT, LCMAP_UPPERCASE, text.c_str(), length, upper.data(), length) != length) {
        return text;
    }
    return upper;
}

void StripTrailingSeparators(std::wstring& path) {
    while (path.size() > 1 && IsSeparator(path.back())) path.pop_back();
}

bool IsOnlySeparators(const std::wstring& path) {
    for (wchar_t c : path) {
        if (!IsSeparator(c)) return false;
    }
    return true;
}

// "C:", "C:\", "c:/" and the like.
bool IsBareDrive(const std::wstring& path) {
    if (path.size() < 2 || !IsDriveLetter(path[0]) || path[1] != L':') return false;
    for (size_t i = 2; i < path.size(); ++i) {
        if (!IsSeparator(path[i])) return false;
    }
    return true;
}

// True when the path, once made absolute, is the root of a volume: it also
// catches "C:\Games\.." and "." while the current folder is a root.
bool NamesVolumeRoot(const std::wstring& path) {
    std::wstring full = FullPathOf(path);
    if (full.empty()) return true;  // cannot tell: better refuse
    StripTrailingSeparators(full);
    if (IsOnlySeparators(full)) return true;
    if (full.size() >= 4 && IsSeparator(full[0]) && IsSeparator(full[1]) && (full[2] == L'?' || full[2] == L'.') &&
        IsSeparator(full[3])) {
        std::wstring rest = full.substr(4);
        if (rest.size() >= 4 && UpperCase(rest.substr(0, 3)) == L"UNC" && IsSeparator(rest[3])) {
            full = L"\\\\" + rest.substr(4);
        } else {
            return IsBareDrive(rest) || rest.find_first_of(L"\\/") == std::wstring::npos;
        }
    }
    if (full.size() >= 2 && IsSeparator(full[0]) && IsSeparator(full[1])) {
        // "\\server" or "\\server\share"
        size_t separators = 0;
        for (size_t i = 2; i < full.size(); ++i) {
            if (IsSeparator(full[i])) ++separators;
        }
        return separators <= 1;
    }
    return IsBareDrive(full);
}

// Windows keeps no "." or ".." in a volume root; some file systems still
// report them there.
bool SearchesDriveRoot(const std::wstring& pattern) {
    size_t end = pattern.size();
    while (end > 0 && !IsSeparator(pattern[end - 1])) --end;
    if (end == 0) return false;
    std::wstring folder = pattern.substr(0, end);
    return IsOnlySeparators(folder) || IsBareDrive(folder);
}

// Drops the read-only bit so the entry can be deleted; gives it back when
// the deletion fails.
class WritableForDeletion {
public:
    WritableForDeletion(const std::wstring& path, DWORD attrs) : path_(path), attrs_(attrs) {
        if (attrs_ & FILE_ATTRIBUTE_READONLY) {
            const DWORD rest = attrs_ & kSettable & ~FILE_ATTRIBUTE_READONLY;
            cleared_ = SetFileAttributesW(path_.c_str(), rest ? rest : FILE_ATTRIBUTE_NORMAL) != 0;
        }
    }
    ~WritableForDeletion() {
        if (cleared_ && !done_) SetFileAttributesW(path_.c_str(), attrs_ & kSettable);
    }
    WritableForDeletion(const WritableForDeletion&) = delete;
    WritableForDeletion& operator=(const WritableForDeletion&) = delete;
    void Deleted() { done_ = true; }

private:
    static constexpr DWORD kSettable = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED |
                                       FILE_ATTRIBUTE_TEMPORARY;

    const std::wstring& path_;
    DWORD attrs_;
    bool cleared_ = false;
    bool done_ = false;
};

bool DeleteFolderEntry(const std::wstring& path, DWORD attrs) {
    WritableForDeletion writable(path, attrs);
    const bool removed = WithRetry(path, [&] { return RemoveDirectoryW(path.c_str()) != 0; });
    if (removed) writable.Deleted();
    return removed;
}

bool DeleteFileEntry(const std::wstring& path, DWORD attrs) {
    WritableForDeletion writable(path, attrs);
    const bool removed = WithRetry(path, [&] { return DeleteFileW(path.c_str()) != 0; });
    if (removed) writable.Deleted();
    return removed;
}

// A junction or symbolic link goes as the link itself.
void RemoveLink(const std::wstring& path, DWORD attrs) {
    if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
        DeleteFolderEntry(path, attrs);
    } else {
        DeleteFileEntry(path, attrs);
    }
}

// Best effort all the way down: what can go, goes; the caller judges by
// whether the folder is gone.
void RemoveTree(const std::wstring& folder, DWORD folderAttrs) {
    // Read the whole listing before deleting anything, so deletions cannot
    // disturb the enumeration.
    std::vector<std::pair<std::wstring, DWORD>> children;
    WIN32_FIND_DATAW data;
    const std::wstring pattern = folder + L"\\*";
    HANDLE find = FindFirstFileW(pattern.c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!IsDotName(data.cFileName)) children.emplace_back(data.cFileName, data.dwFileAttributes);
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    for (const auto& [name, attrs] : children) {
        const std::wstring child = folder + L"\\" + name;
        if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) {
            RemoveLink(child, attrs);
        } else if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(child, attrs);
        } else {
            DeleteFileEntry(child, attrs);
        }
    }
    DeleteFolderEntry(folder, folderAttrs);
}

void DiscardTemporary(const std::wstring& path) {
    const DWORD attrs = AttributesOf(path);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return;
    DeleteFileEntry(path, attrs);
}

bool SwapIn(const std::wstring& temporary, const std::wstring& target) {
    return WithRetry(target, [&] {
        return MoveFileExW(temporary.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    });
}

// A target that may be replaced: missing, or a file that is not read-only.
bool IsReplaceableTarget(const std::wstring& target) {
    const DWORD attrs = AttributesOf(target);
    if (attrs == INVALID_FILE_ATTRIBUTES) return true;
    return (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) == 0;
}

// True when the entry's stored name is spelled exactly as the path's last
// component (or when that cannot be told).
bool IsSpelledAs(std::wstring path) {
    StripTrailingSeparators(path);
    const size_t cut = path.find_last_of(L"\\/:");
    const std::wstring wanted = cut == std::wstring::npos ? path : path.substr(cut + 1);
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW(path.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return true;
    FindClose(find);
    return wanted.empty() || wanted == data.cFileName;
}

bool RenameByWayOfTemporary(std::wstring from, const std::wstring& to) {
    StripTrailingSeparators(from);
    const std::wstring step = from + L".qmcase";
    if (AttributesOf(step) != INVALID_FILE_ATTRIBUTES) return false;
    if (!MoveFileExW(from.c_str(), step.c_str(), 0)) return false;
    if (MoveFileExW(step.c_str(), to.c_str(), 0)) return true;
    MoveFileExW(step.c_str(), from.c_str(), 0);
    return false;
}

bool WriteAll(HANDLE file, const Text& bytes) {
    constexpr size_t kChunk = 1u << 20;
    size_t done = 0;
    while (done < bytes.size()) {
        const DWORD want = static_cast<DWORD>(bytes.size() - done < kChunk ? bytes.size() - done : kChunk);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, want, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

struct Search {
    HANDLE handle = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAW data{};
    bool pending = false;  // data holds an entry not looked at yet
    bool inDriveRoot = false;
};

bool Passes(DWORD attrs, int filter) {
    const DWORD bits = attrs & kReportedAttributes;
    if (filter == kNoFilter) return (bits & FILE_ATTRIBUTE_DIRECTORY) == 0;
    return (bits & static_cast<DWORD>(filter)) != 0;
}

// The name the program gets for an entry: the long name when it has a GBK
// form, else the short name, which still opens the same entry.
bool EntryName(const WIN32_FIND_DATAW& data, Text& name) {
    if (WideToGbk(data.cFileName, name) && !name.empty()) return true;
    return data.cAlternateFileName[0] != L'\0' && WideToGbk(data.cAlternateFileName, name) && !name.empty();
}

// The next entry that passes; every entry passes when everything is set.
// name is null when only the entry's existence matters.
bool NextEntry(SearchState& state, int filter, bool everything, Text* name) {
    auto* search = static_cast<Search*>(state.impl);
    if (search == nullptr) return false;
    for (;;) {
        if (!search->pending && !FindNextFileW(search->handle, &search->data)) {
            EndFind(state);
            return false;
        }
        search->pending = false;
        if (search->inDriveRoot && IsDotName(search->data.cFileName)) continue;
        if (!everything && !Passes(search->data.dwFileAttributes, filter)) continue;
        if (name == nullptr) return true;
        if (EntryName(search->data, *name)) return true;
        // no name the program could use: as if the entry were not there
    }
}

bool BeginSearch(SearchState& state, const Text& pattern, int filter, bool everything, Text* name) {
    EndFind(state);
    std::wstring wide;
    if (!ToWidePath(pattern, wide, true)) return false;
    // FindFirstFileExW is not to be trusted here: some file systems list the
    // folder's entries for "dir\".
    if (IsSeparator(wide.back())) return false;
    auto search = std::make_unique<Search>();
    search->handle =
        FindFirstFileExW(wide.c_str(), FindExInfoStandard, &search->data, FindExSearchNameMatch, nullptr, 0);
    if (search->handle == INVALID_HANDLE_VALUE) return false;
    search->pending = true;
    search->inDriveRoot = SearchesDriveRoot(wide);
    state.impl = search.release();
    return NextEntry(state, filter, everything, name);
}

}  // namespace

Text FindFirst(SearchState& state, const Text& pattern, int filter) {
    Text name;
    if (!BeginSearch(state, pattern, filter, false, &name)) return Text();
    return name;
}

Text FindNext(SearchState& state, int filter) {
    Text name;
    if (!NextEntry(state, filter, false, &name)) return Text();
    return name;
}

void EndFind(SearchState& state) {
    auto* search = static_cast<Search*>(state.impl);
    if (search == nullptr) return;
    if (search->handle != INVALID_HANDLE_VALUE) FindClose(search->handle);
    delete search;
    state.impl = nullptr;
}

bool MakeDirectory(const Text& path) {
    std::wstring wide;
    if (!ToWidePath(path, wide, false)) return false;
    return CreateDirectoryW(wide.c_str(), nullptr) != 0;
}

bool RemoveDirectory(const Text& path) {
    std::wstring wide;
    if (!ToWidePath(path, wide, false)) return false;
    if (IsOnlySeparators(wide) || IsBareDrive(wide) || NamesVolumeRoot(wide)) return false;
    StripTrailingSeparators(wide);
    const DWORD attrs = AttributesOf(wide);
    if (attrs == INVALID_FILE_ATTRIBUTES) return IsMissingError(GetLastError());
    if (!(attrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    if (attrs & FILE_ATTRIBUTE_REPARSE_POINT) {
        RemoveLink(wide, attrs);
    } else {
        RemoveTree(wide, attrs);
    }
    return IsGone(wide);
}

bool CopyFileTo(const Text& source, const Text& target) {
    std::wstring from;
    std::wstring to;
    if (!ToWidePath(source, from, false) || !ToWidePath(target, to, false)) return false;
    const DWORD sourceAttrs = AttributesOf(from);
    if (sourceAttrs == INVALID_FILE_ATTRIBUTES || (sourceAttrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    // Checked here: a rename with replacement would overwrite a read-only
    // file on some systems.
    if (!IsReplaceableTarget(to)) return false;
    const std::wstring temporary = to + kTempSuffix;
    if (!WithRetry(from, [&] { return CopyFileW(from.c_str(), temporary.c_str(), FALSE) != 0; }) ||
        !SwapIn(temporary, to)) {
        DiscardTemporary(temporary);
        return false;
    }
    return true;
}

bool RemoveFile(const Text& path) {
    std::wstring wide;
    if (!ToWidePath(path, wide, false)) return false;
    const DWORD attrs = AttributesOf(wide);
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        return false;
    }
    return WithRetry(wide, [&] { return DeleteFileW(wide.c_str()) != 0; });
}

bool RenamePath(const Text& oldPath, const Text& newPath) {
    std::wstring from;
    std::wstring to;
    if (!ToWidePath(oldPath, from, false) || !ToWidePath(newPath, to, false)) return false;
    if (AttributesOf(from) == INVALID_FILE_ATTRIBUTES) return false;
    bool sameEntry = false;
    if (AttributesOf(to) != INVALID_FILE_ATTRIBUTES) {
        // Names match without regard to case, so a new spelling of the same
        // entry finds the entry itself.
        const std::wstring fullFrom = FullPathOf(from);
        if (fullFrom.empty() || UpperCase(fullFrom) != UpperCase(FullPathOf(to))) return false;
        sameEntry = true;
    }
    if (!WithRetry(from, [&] { return MoveFileExW(from.c_str(), to.c_str(), 0) != 0; })) return false;
    // Some file systems report success for a new spelling of the same name
    // and keep the old one; going by way of another name makes it take.
    if (sameEntry && !IsSpelledAs(to)) return RenameByWayOfTemporary(from, to);
    return true;
}

bool PathExists(const Text& path) {
    SearchState state;
    return BeginSearch(state, path, 0, true, nullptr);
}

int GetAttributes(const Text& path) {
    std::wstring wide;
    if (!ToWidePath(path, wide, false)) return -1;
    const DWORD attrs = AttributesOf(wide);
    if (attrs == INVALID_FILE_ATTRIBUTES) return -1;
    return static_cast<int>(attrs & kReportedAttributes);
}

Text ReadWholeFile(const Text& path) {
    std::wstring wide;
    if (!ToWidePath(path, wide, false)) return Text();
    HANDLE file = CreateFileW(wide.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return Text();
    Text content;
    bool ok = true;
    try {
        LARGE_INTEGER size;
        if (GetFileSizeEx(file, &size) && size.QuadPart > 0 &&
            static_cast<unsigned long long>(size.QuadPart) < content.max_size()) {
            content.reserve(static_cast<size_t>(size.QuadPart));
        }
        // Read to the end rather than to the size seen: the file may grow.
        std::vector<char> buffer(64 * 1024);
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr)) {
                ok = false;
                break;
            }
            if (got == 0) break;
            content.append(buffer.data(), got);
        }
    } catch (const std::bad_alloc&) {
        ok = false;
    } catch (const std::length_error&) {
        ok = false;
    }
    CloseHandle(file);
    if (!ok) return Text();
    return content;
}

bool WriteWholeFile(const Text& path, const Text& bytes) {
    std::wstring wide;
    if (!ToWidePath(path, wide, false)) return false;
    if (!IsReplaceableTarget(wide)) return false;
    const std::wstring temporary = wide + kTempSuffix;
    HANDLE file = CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bool ok = WriteAll(file, bytes) && FlushFileBuffers(file);
    ok = CloseHandle(file) && ok;
    if (!ok || !SwapIn(temporary, wide)) {
        DiscardTemporary(temporary);
        return false;
    }
    return true;
}

void StartPlatform(const Text& programFolder) {
    std::wstring folder;
    if (!programFolder.empty()) {
        g_runDirectory = programFolder;
        if (!GbkToWide(programFolder, folder)) return;
    } else {
        std::wstring module(MAX_PATH, L'\0');
        for (;;) {
            const DWORD length = GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
            if (length == 0) return;
            if (length < module.size()) {
                module.resize(length);
                break;
            }
            module.resize(module.size() * 2);
        }
        const size_t cut = module.find_last_of(L"\\/");
        folder = cut == std::wstring::npos ? module : module.substr(0, cut);
        Text gbk;
        if (!PathToGbk(folder, gbk)) gbk.clear();
        g_runDirectory = gbk;
    }
    // "C:" alone names the current folder of drive C, not its root.
    if (folder.size() == 2 && folder[1] == L':') folder += L'\\';
    SetCurrentDirectoryW(folder.c_str());
}

Text RunDirectory() { return g_runDirectory; }

Text AbsolutePath(const Text& path) {
    std::wstring wide;
    Text out;
    if (!ToWidePath(path, wide, false)) return Text();
    const std::wstring full = FullPathOf(wide);
    if (full.empty() || !WideToGbk(full, out)) return Text();
    return out;
}
