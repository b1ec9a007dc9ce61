// The file-system services over an in-memory volume, for host tests. It
// keeps to what NTFS and the Win32 path rules do for the calls the program
// makes, since the same contract tests run against it and against Windows.

#include "support/MemoryFileSystem.h"

#include <algorithm>
#include <cstddef>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "platform/FileSystem.h"

namespace {

constexpr int kReportedAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrFolder | kAttrArchive;
constexpr int kSettableAttributes = kAttrReadOnly | kAttrHidden | kAttrSystem | kAttrArchive;

// MAX_PATH less the terminating zero: Win32 refuses longer full paths
// without the long-path prefix.
constexpr std::size_t kMaxFullPath = 259;
// Longer than any path Windows takes in at all; refused before any work.
constexpr std::size_t kMaxPathText = 32767;
// Junctions met in one look-up, at most: Windows also gives up on a chain
// of reparse points, and a junction pointing into itself must end.
constexpr int kMaxLinkHops = 32;

struct Node {
    Text name;  // as created; empty for a drive root
    bool folder = false;
    bool held = false;  // open without sharing
    int attrs = 0;
    Text data;
    Text link;       // full path a junction points to; empty for other entries
    char drive = 0;  // drive roots only
    Node* parent = nullptr;
    std::vector<std::unique_ptr<Node>> children;  // creation order

    bool IsJunction() const { return !link.empty(); }
};

struct Fault {
    Text operation;
    Text foldedPath;  // empty: every path
};

std::unique_ptr<Node> NewRoot(char letter) {
    auto root = std::make_unique<Node>();
    root->folder = true;
    root->attrs = kAttrFolder;
    root->drive = letter;
    return root;
}

struct Volume {
    std::map<char, std::unique_ptr<Node>> drives;
    char currentDrive = 'C';
    std::vector<Text> currentParts;  // the current folder below the root
    // The process keeps its current folder open, so Windows will neither
    // remove nor rename it.
    Node* currentFolder = nullptr;
    Text runDirectory = "C:";
    std::vector<Fault> faults;
    bool faultsSuspended = false;

    Volume() { Clear(); }

    void Clear() {
        drives.clear();
        drives['C'] = NewRoot('C');
        drives['D'] = NewRoot('D');
        currentDrive = 'C';
        currentParts.clear();
        currentFolder = drives['C'].get();
        runDirectory = "C:";
        faults.clear();
        faultsSuspended = false;
    }
};

Volume& TheVolume() {
    static Volume volume;
    return volume;
}

bool IsSeparator(unsigned char c) { return c == '\\' || c == '/'; }

bool IsAsciiLetter(unsigned char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

unsigned char UpperByte(unsigned char c) { return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 32) : c; }

// ASCII letters upper-cased; the bytes of double-byte characters (whose
// trail byte may look like a letter) kept as they are.
Text Folded(const Text& text) {
    Text out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsGbkLeadByte(b) && i + 1 < text.size()) {
            out += text[i];
            out += text[++i];
        } else {
            out += static_cast<char>(UpperByte(b));
        }
    }
    return out;
}

bool SameName(const Text& a, const Text& b) { return a.size() == b.size() && Folded(a) == Folded(b); }

// One unit per character, letters folded, for wildcard matching.
std::vector<unsigned> Characters(const Text& text) {
    std::vector<unsigned> out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(text[i]);
        if (IsGbkLeadByte(b) && i + 1 < text.size()) {
            out.push_back((unsigned{b} << 8) | static_cast<unsigned char>(text[++i]));
        } else {
            out.push_back(UpperByte(b));
        }
    }
    return out;
}

bool HasWildcard(const Text& text) { return text.find_first_of("*?") != Text::npos; }

bool MatchesMask(const Text& mask, const Text& name) {
    if (mask == "*.*") return true;
    const std::vector<unsigned> m = Characters(mask);
    const std::vector<unsigned> n = Characters(name);
    std::size_t mi = 0;
    std::size_t ni = 0;
    std::size_t starAt = Text::npos;
    std::size_t starName = 0;
    while (ni < n.size()) {
        if (mi < m.size() && m[mi] == '*') {
            starAt = mi++;
            starName = ni;
        } else if (mi < m.size() && (m[mi] == '?' || m[mi] == n[ni])) {
            ++mi;
            ++ni;
        } else if (starAt != Text::npos) {
            mi = starAt + 1;
            ni = ++starName;
        } else {
            return false;
        }
    }
    while (mi < m.size() && m[mi] == '*') ++mi;
    return mi == m.size();
}

// A path made absolute and collapsed the way GetFullPathNameW does it.
struct FullPath {
    char drive = 'C';
    std::vector<Text> parts;
    bool trailingSeparator = false;  // "C:\a\": names a folder only

    bool IsRoot() const { return parts.empty(); }

    Text Joined(std::size_t count) const {
        Text out{drive, ':', '\\'};
        for (std::size_t i = 0; i < count; ++i) {
            if (i > 0) out += '\\';
            out += parts[i];
        }
        return out;
    }
    Text Str() const { return Joined(parts.size()); }
    Text Name() const { return parts.empty() ? Text() : parts.back(); }
};

bool IsUsableName(const Text& name, bool wildcards) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        const unsigned char b = static_cast<unsigned char>(name[i]);
        if (IsGbkLeadByte(b)) {
            ++i;
            continue;
        }
        if (b < 0x20 || b == '<' || b == '>' || b == ':' || b == '"' || b == '|') return false;
        if (!wildcards && (b == '*' || b == '?')) return false;
    }
    return true;
}

// Neither a blank nor a dot can be the trail byte of a double-byte
// character, so they are looked at byte by byte.
void DropTrailingBlanksAndDots(Text& name) {
    while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
}

// False for a text that is no usable path; wildcards are allowed in the last
// component only when asked for.
bool Resolve(const Text& path, bool wildcards, FullPath& out) {
    if (path.empty() || path.size() > kMaxPathText) return false;
    if (path.find('\0') != Text::npos || !IsWellFormedGbk(path)) return false;
    if (!wildcards && HasWildcard(path)) return false;

    const Volume& volume = TheVolume();
    FullPath full;
    std::size_t pos = 0;
    const unsigned char first = static_cast<unsigned char>(path[0]);
    if (path.size() >= 2 && IsAsciiLetter(first) && path[1] == ':') {
        full.drive = static_cast<char>(UpperByte(first));
        pos = 2;
        // "D:name" is relative to the current folder only on its drive; no
        // other drive keeps one here.
        const bool rooted = pos < path.size() && IsSeparator(static_cast<unsigned char>(path[pos]));
        if (!rooted && full.drive == volume.currentDrive) full.parts = volume.currentParts;
    } else if (IsSeparator(first)) {
        // "\\server\share" and "\\?\" paths are not modelled.
        if (path.size() >= 2 && IsSeparator(static_cast<unsigned char>(path[1]))) return false;
        full.drive = volume.currentDrive;
    } else {
        full.drive = volume.currentDrive;
        full.parts = volume.currentParts;
    }

    // Split at separators, stepping over double-byte characters whole.
    std::vector<Text> pieces;
    Text piece;
    bool endsWithSeparator = false;
    for (; pos < path.size(); ++pos) {
        const unsigned char b = static_cast<unsigned char>(path[pos]);
        if (IsGbkLeadByte(b)) {
            piece += path[pos];
            piece += path[++pos];  // well-formed: a trail byte follows
            endsWithSeparator = false;
        } else if (IsSeparator(b)) {
            if (!piece.empty()) pieces.push_back(std::move(piece));
            piece.clear();
            endsWithSeparator = true;
        } else {
            piece += static_cast<char>(b);
            endsWithSeparator = false;
        }
    }
    if (!piece.empty()) pieces.push_back(std::move(piece));

    // As GetFullPathNameW collapses: a component before a separator loses
    // one trailing dot ("d.\c"), but keeps its blanks ("d \c" is not
    // "d\c"); the last one loses every trailing blank and dot.
    full.trailingSeparator = endsWithSeparator;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        Text& p = pieces[i];
        const bool last = i + 1 == pieces.size() && !endsWithSeparator;
        if (p == ".") continue;
        if (p == "..") {
            if (!full.parts.empty()) full.parts.pop_back();
            continue;
        }
        if (!last) {
            if (p.back() == '.') p.pop_back();
            full.parts.push_back(std::move(p));
            continue;
        }
        DropTrailingBlanksAndDots(p);
        if (p.empty()) {
            // "C:\a\ " and "C:\a\..." come out as "C:\a\"
            full.trailingSeparator = true;
            continue;
        }
        full.parts.push_back(std::move(p));
    }

    for (std::size_t i = 0; i < full.parts.size(); ++i) {
        if (!IsUsableName(full.parts[i], wildcards && i + 1 == full.parts.size())) return false;
    }
    std::size_t length = 3;
    for (const Text& p : full.parts) length += p.size() + 1;
    if (!full.parts.empty()) --length;
    if (length > kMaxFullPath) return false;

    out = std::move(full);
    return true;
}

Node* DriveRoot(char letter) {
    Volume& volume = TheVolume();
    const auto it = volume.drives.find(letter);
    return it == volume.drives.end() ? nullptr : it->second.get();
}

Node* ChildNamed(const Node* folder, const Text& name) {
    for (const auto& child : folder->children) {
        if (SameName(child->name, name)) return child.get();
    }
    return nullptr;
}

Node* Walk(const FullPath& path, std::size_t count, int& hops);

// The real folder behind an entry, following junctions; null when the entry
// is no folder or a junction leads nowhere.
Node* AsFolder(Node* node, int& hops) {
    while (node != nullptr && node->IsJunction()) {
        if (++hops > kMaxLinkHops) return nullptr;
        FullPath target;
        if (!Resolve(node->link, false, target)) return nullptr;
        node = Walk(target, target.parts.size(), hops);
    }
    return (node != nullptr && node->folder) ? node : nullptr;
}

// The entry the first count components name; a junction at the end is the
// entry itself, not its target.
Node* Walk(const FullPath& path, std::size_t count, int& hops) {
    Node* node = DriveRoot(path.drive);
    for (std::size_t i = 0; i < count && node != nullptr; ++i) {
        Node* folder = AsFolder(node, hops);
        if (folder == nullptr) return nullptr;
        node = ChildNamed(folder, path.parts[i]);
    }
    return node;
}

Node* Walk(const FullPath& path, std::size_t count) {
    int hops = 0;
    return Walk(path, count, hops);
}

Node* AsFolder(Node* node) {
    int hops = 0;
    return AsFolder(node, hops);
}

// The entry the path names; a file is not found through "name\".
Node* Find(const FullPath& path) {
    Node* node = Walk(path, path.parts.size());
    if (node != nullptr && path.trailingSeparator && !node->folder) return nullptr;
    return node;
}

// The folder a new entry of the path would go into.
Node* ParentFolder(const FullPath& path) {
    if (path.IsRoot()) return nullptr;
    return AsFolder(Walk(path, path.parts.size() - 1));
}

char DriveOf(const Node* node) {
    while (node->parent != nullptr) node = node->parent;
    return node->drive;
}

bool IsInside(const Node* node, const Node* ancestor) {
    for (; node != nullptr; node = node->parent) {
        if (node == ancestor) return true;
    }
    return false;
}

bool IsInUse(const Node* node) { return node->held || node == TheVolume().currentFolder; }

// Junctions are links and hold nothing of their own.
bool HoldsEntryInUse(const Node* node) {
    if (IsInUse(node)) return true;
    if (node->IsJunction()) return false;
    for (const auto& child : node->children) {
        if (HoldsEntryInUse(child.get())) return true;
    }
    return false;
}

std::unique_ptr<Node> Detach(Node* node) {
    auto& siblings = node->parent->children;
    const auto it = std::find_if(siblings.begin(), siblings.end(),
                                 [node](const std::unique_ptr<Node>& p) { return p.get() == node; });
    std::unique_ptr<Node> owned = std::move(*it);
    siblings.erase(it);
    owned->parent = nullptr;
    return owned;
}

Node* Attach(Node* folder, std::unique_ptr<Node> node) {
    node->parent = folder;
    folder->children.push_back(std::move(node));
    return folder->children.back().get();
}

Node* NewEntry(Node* folder, const Text& name, bool isFolder, int attrs) {
    auto node = std::make_unique<Node>();
    node->name = name;
    node->folder = isFolder;
    node->attrs = attrs;
    return Attach(folder, std::move(node));
}

// The fault list names operations and paths; a path matches when it names
// the same entry once resolved.
bool FaultHits(const char* operation, const Text& fullPath) {
    const Volume& volume = TheVolume();
    if (volume.faultsSuspended) return false;
    Text folded;
    bool foldedMade = false;
    for (const Fault& fault : volume.faults) {
        if (fault.operation != "*" && fault.operation != operation) continue;
        if (fault.foldedPath.empty()) return true;
        if (!foldedMade) {
            folded = Folded(fullPath);
            foldedMade = true;
        }
        if (fault.foldedPath == folded) return true;
    }
    return false;
}

bool Faulted(const char* operation, const FullPath& path) { return FaultHits(operation, path.Str()); }

struct Entry {
    Text name;
    int attrs = 0;
};

struct Search {
    std::vector<Entry> entries;
    std::size_t next = 0;
};

bool Passes(int attrs, int filter) {
    if (filter == kNoFilter) return (attrs & kAttrFolder) == 0;
    return (attrs & filter) != 0;
}

// What FindFirstFileW would list for the pattern, in NTFS order.
std::vector<Entry> Snapshot(const FullPath& pattern) {
    std::vector<Entry> entries;
    if (pattern.IsRoot() || pattern.trailingSeparator) return entries;
    const Node* folder = ParentFolder(pattern);
    if (folder == nullptr) return entries;
    const Text& mask = pattern.parts.back();
    if (!HasWildcard(mask)) {
        if (const Node* entry = ChildNamed(folder, mask)) {
            entries.push_back({entry->name, entry->attrs & kReportedAttributes});
        }
        return entries;
    }
    // A drive root lists no "." and "..", other folders list them first.
    if (folder->parent != nullptr) {
        for (const char* dots : {".", ".."}) {
            if (MatchesMask(mask, dots)) entries.push_back({dots, kAttrFolder});
        }
    }
    std::vector<const Node*> matching;
    for (const auto& child : folder->children) {
        if (MatchesMask(mask, child->name)) matching.push_back(child.get());
    }
    std::sort(matching.begin(), matching.end(), [](const Node* a, const Node* b) {
        const Text fa = Folded(a->name);
        const Text fb = Folded(b->name);
        return std::lexicographical_compare(fa.begin(), fa.end(), fb.begin(), fb.end(), [](char x, char y) {
            return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
        });
    });
    for (const Node* node : matching) entries.push_back({node->name, node->attrs & kReportedAttributes});
    return entries;
}

Text JoinName(const Text& folder, const Text& name) {
    if (!folder.empty() && folder.back() == '\\') return folder + name;
    return folder + '\\' + name;
}

// Empties the folder depth first; what is held open or faulted stays, the
// rest goes. True when nothing is left.
bool EmptyFolder(Node* folder, const Text& folderPath) {
    bool emptied = true;
    for (std::size_t i = 0; i < folder->children.size();) {
        Node* child = folder->children[i].get();
        const Text childPath = JoinName(folderPath, child->name);
        bool removed = false;
        if (!child->folder) {
            removed = !child->held && !FaultHits("RemoveFile", childPath);
        } else if (child->IsJunction()) {
            removed = !FaultHits("RemoveDirectory", childPath);
        } else {
            removed = !FaultHits("RemoveDirectory", childPath) && EmptyFolder(child, childPath) && !IsInUse(child);
        }
        if (removed) {
            folder->children.erase(folder->children.begin() + static_cast<std::ptrdiff_t>(i));
        } else {
            emptied = false;
            ++i;
        }
    }
    return emptied;
}

bool IsOnlySeparators(const Text& path) {
    return std::all_of(path.begin(), path.end(), [](char c) { return IsSeparator(static_cast<unsigned char>(c)); });
}

bool IsBareDrive(const Text& path) {
    return path.size() >= 2 && IsAsciiLetter(static_cast<unsigned char>(path[0])) && path[1] == ':' &&
           IsOnlySeparators(path.substr(2));
}

}  // namespace

// ---- controls for the tests and for SandboxMemory.cpp ---------------------

void MemoryVolumeReset() { TheVolume().Clear(); }

void MemoryVolumeAddDrive(char letter) {
    const unsigned char c = static_cast<unsigned char>(letter);
    if (!IsAsciiLetter(c)) return;
    const char upper = static_cast<char>(UpperByte(c));
    auto& drives = TheVolume().drives;
    if (drives.find(upper) == drives.end()) drives[upper] = NewRoot(upper);
}

// The sandbox reaches the volume's own state through these; they take no
// faults, since they set the stage rather than act in it.
namespace memory_volume {

bool MakeFolderUnfaulted(const Text& path) {
    Volume& volume = TheVolume();
    const bool suspended = volume.faultsSuspended;
    volume.faultsSuspended = true;
    const bool made = MakeDirectory(path);
    volume.faultsSuspended = suspended;
    return made;
}

bool SetAttributes(const Text& path, int bits) {
    FullPath full;
    if (!Resolve(path, false, full)) return false;
    Node* node = Find(full);
    if (node == nullptr) return false;
    node->attrs = (bits & kSettableAttributes) | (node->folder ? kAttrFolder : 0);
    return true;
}

bool MakeJunction(const Text& link, const Text& target) {
    FullPath linkPath;
    FullPath targetPath;
    if (!Resolve(link, false, linkPath) || !Resolve(target, false, targetPath)) return false;
    if (AsFolder(Walk(targetPath, targetPath.parts.size())) == nullptr) return false;
    Node* folder = ParentFolder(linkPath);
    if (folder == nullptr || ChildNamed(folder, linkPath.Name()) != nullptr) return false;
    Node* junction = NewEntry(folder, linkPath.Name(), true, kAttrFolder);
    junction->link = targetPath.Str();
    return true;
}

bool HoldOpen(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full)) return false;
    Node* node = Find(full);
    if (node == nullptr || node->folder) return false;
    node->held = true;  // holding it again changes nothing
    return true;
}

void Release(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full)) return;
    if (Node* node = Find(full)) node->held = false;
}

void AddFault(const Text& operation, const Text& path) {
    Fault fault{operation, Text()};
    if (!path.empty()) {
        FullPath full;
        fault.foldedPath = Folded(Resolve(path, true, full) ? full.Str() : path);
    }
    TheVolume().faults.push_back(std::move(fault));
}

void ClearFaults() { TheVolume().faults.clear(); }

}  // namespace memory_volume

// ---- the services ----------------------------------------------------------

Text FindFirst(SearchState& state, const Text& pattern, int filter) {
    EndFind(state);
    FullPath full;
    if (!Resolve(pattern, true, full) || Faulted("FindFirst", full)) return Text();
    auto search = std::make_unique<Search>();
    search->entries = Snapshot(full);
    state.impl = search.release();
    return FindNext(state, filter);
}

Text FindNext(SearchState& state, int filter) {
    auto* search = static_cast<Search*>(state.impl);
    if (search == nullptr) return Text();
    while (search->next < search->entries.size()) {
        const Entry& entry = search->entries[search->next++];
        if (Passes(entry.attrs, filter)) return entry.name;
    }
    EndFind(state);
    return Text();
}

void EndFind(SearchState& state) {
    delete static_cast<Search*>(state.impl);
    state.impl = nullptr;
}

bool MakeDirectory(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full) || full.IsRoot() || Faulted("MakeDirectory", full)) return false;
    Node* folder = ParentFolder(full);
    if (folder == nullptr || ChildNamed(folder, full.Name()) != nullptr) return false;
    NewEntry(folder, full.Name(), true, kAttrFolder);
    return true;
}

bool RemoveDirectory(const Text& path) {
    if (path.empty() || IsOnlySeparators(path) || IsBareDrive(path)) return false;
    FullPath full;
    if (!Resolve(path, false, full) || full.IsRoot() || Faulted("RemoveDirectory", full)) return false;
    Node* node = Walk(full, full.parts.size());
    if (node == nullptr) return true;
    if (!node->folder) return false;
    if (!node->IsJunction() && (!EmptyFolder(node, full.Str()) || IsInUse(node))) return false;
    Detach(node);
    return true;
}

bool CopyFileTo(const Text& source, const Text& target) {
    FullPath from;
    FullPath to;
    if (!Resolve(source, false, from) || !Resolve(target, false, to)) return false;
    if (to.IsRoot() || to.trailingSeparator) return false;
    if (Faulted("CopyFileTo", from) || Faulted("CopyFileTo", to)) return false;
    const Node* original = Find(from);
    if (original == nullptr || original->folder || original->held) return false;
    Node* folder = ParentFolder(to);
    if (folder == nullptr) return false;
    Node* existing = ChildNamed(folder, to.Name());
    if (existing != nullptr) {
        if (existing->folder || (existing->attrs & kAttrReadOnly) || existing->held) return false;
        // A copy onto itself is made beside and swapped in: nothing changes.
        if (existing == original) return true;
        existing->data = original->data;
        existing->attrs = original->attrs;
        return true;
    }
    Node* copy = NewEntry(folder, to.Name(), false, original->attrs);
    copy->data = original->data;
    return true;
}

bool RemoveFile(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full) || Faulted("RemoveFile", full)) return false;
    Node* node = Find(full);
    if (node == nullptr || node->folder || (node->attrs & kAttrReadOnly) || node->held) return false;
    Detach(node);
    return true;
}

bool RenamePath(const Text& oldPath, const Text& newPath) {
    FullPath from;
    FullPath to;
    if (!Resolve(oldPath, false, from) || !Resolve(newPath, false, to)) return false;
    if (from.IsRoot() || to.IsRoot()) return false;
    if (Faulted("RenamePath", from) || Faulted("RenamePath", to)) return false;
    Node* node = Find(from);
    if (node == nullptr) return false;
    if (to.trailingSeparator && !node->folder) return false;
    // Renaming needs the entry opened for deletion, which an open file (or
    // one inside the folder, or the current folder) refuses.
    if (HoldsEntryInUse(node)) return false;
    Node* folder = ParentFolder(to);
    if (folder == nullptr) return false;
    if (Node* existing = ChildNamed(folder, to.Name())) {
        // Only a new spelling of the entry's own name is no clash.
        if (existing != node || Folded(from.Str()) != Folded(to.Str())) return false;
        node->name = to.Name();
        return true;
    }
    if (node->folder && !node->IsJunction() && IsInside(folder, node)) return false;
    // Another drive takes a file as a copy; a folder cannot go there.
    if (node->folder && DriveOf(folder) != DriveOf(node)) return false;
    std::unique_ptr<Node> moved = Detach(node);
    moved->name = to.Name();
    Attach(folder, std::move(moved));
    return true;
}

bool PathExists(const Text& path) {
    FullPath full;
    if (!Resolve(path, true, full) || Faulted("PathExists", full)) return false;
    return !Snapshot(full).empty();
}

int GetAttributes(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full) || Faulted("GetAttributes", full)) return -1;
    const Node* node = Find(full);
    return node == nullptr ? -1 : (node->attrs & kReportedAttributes);
}

Text ReadWholeFile(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full) || Faulted("ReadWholeFile", full)) return Text();
    const Node* node = Find(full);
    if (node == nullptr || node->folder || node->held) return Text();
    return node->data;
}

bool WriteWholeFile(const Text& path, const Text& bytes) {
    FullPath full;
    if (!Resolve(path, false, full) || full.IsRoot() || full.trailingSeparator) return false;
    if (Faulted("WriteWholeFile", full)) return false;
    Node* folder = ParentFolder(full);
    if (folder == nullptr) return false;
    if (Node* existing = ChildNamed(folder, full.Name())) {
        if (existing->folder || (existing->attrs & kAttrReadOnly) || existing->held) return false;
        // The new content arrives as a fresh file swapped in over the old.
        existing->data = bytes;
        existing->attrs = kAttrArchive;
        return true;
    }
    NewEntry(folder, full.Name(), false, kAttrArchive)->data = bytes;
    return true;
}

void StartPlatform(const Text& programFolder) {
    Volume& volume = TheVolume();
    volume.runDirectory = programFolder.empty() ? Text("C:") : programFolder;
    Text folder = volume.runDirectory;
    // "C:" alone names the current folder of drive C, not its root.
    if (IsBareDrive(folder)) folder = folder.substr(0, 2) + '\\';
    FullPath full;
    if (!Resolve(folder, false, full)) return;
    Node* current = AsFolder(Walk(full, full.parts.size()));
    if (current == nullptr) return;
    volume.currentDrive = full.drive;
    volume.currentParts = full.parts;
    volume.currentFolder = current;
}

Text RunDirectory() { return TheVolume().runDirectory; }

Text AbsolutePath(const Text& path) {
    FullPath full;
    if (!Resolve(path, false, full)) return Text();
    return full.Str();
}
