#include <windows.h>
#include <winioctl.h>

#include "support/Sandbox.h"

#include <cstddef>
#include <cstring>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/win32/Gbk.h"

// Works on the wide API directly rather than through the program's services,
// so that a fault in those cannot hide itself in the test set-up.

namespace {

std::vector<std::wstring> g_folders;
std::map<Text, HANDLE> g_held;
unsigned g_counter = 0;

bool IsDotName(const wchar_t* name) {
    return name[0] == L'.' && (name[1] == L'\0' || (name[1] == L'.' && name[2] == L'\0'));
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

// Converts through one of the path query calls (GetLongPathNameW,
// GetShortPathNameW), which share their calling pattern.
template <typename Query>
std::wstring QueryPath(const std::wstring& path, Query query) {
    std::wstring out(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = query(path.c_str(), out.data(), static_cast<DWORD>(out.size()));
        if (length == 0) return std::wstring();
        if (length < out.size()) {
            out.resize(length);
            return out;
        }
        out.resize(length);
    }
}

// The temporary folder in a form the program can hold, without a trailing
// separator; empty when there is none.
std::wstring TempBase(Text& gbk) {
    std::wstring temp(MAX_PATH + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(temp.size()), temp.data());
    if (length == 0 || length >= temp.size()) return std::wstring();
    temp.resize(length);
    std::wstring candidates[] = {QueryPath(temp, GetLongPathNameW), temp, QueryPath(temp, GetShortPathNameW)};
    for (std::wstring& candidate : candidates) {
        if (candidate.empty()) continue;
        while (candidate.size() > 3 && (candidate.back() == L'\\' || candidate.back() == L'/')) candidate.pop_back();
        if (WideToGbk(candidate, gbk)) return candidate;
    }
    return std::wstring();
}

void MakeRemovable(const std::wstring& path, DWORD attrs) {
    if (attrs & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
}

// Links are removed as links, never entered: a junction may point at a
// folder outside the sandbox.
void RemoveAll(const std::wstring& folder, DWORD folderAttrs) {
    if (!(folderAttrs & FILE_ATTRIBUTE_REPARSE_POINT)) {
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
            if (attrs & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveAll(child, attrs);
            } else {
                MakeRemovable(child, attrs);
                DeleteFileW(child.c_str());
            }
        }
    }
    MakeRemovable(folder, folderAttrs);
    RemoveDirectoryW(folder.c_str());
}

bool ToWide(const Text& path, std::wstring& wide) { return !path.empty() && GbkToWide(path, wide); }

// The mount-point layout of REPARSE_DATA_BUFFER, which only the driver
// headers declare.
struct MountPointReparseBuffer {
    DWORD ReparseTag;
    WORD ReparseDataLength;
    WORD Reserved;
    WORD SubstituteNameOffset;
    WORD SubstituteNameLength;
    WORD PrintNameOffset;
    WORD PrintNameLength;
    WCHAR PathBuffer[1];
};

}  // namespace

Text SandboxFolder() {
    Text base;
    const std::wstring wideBase = TempBase(base);
    if (wideBase.empty()) return Text();
    const std::wstring pid = std::to_wstring(GetCurrentProcessId());
    for (int attempt = 0; attempt < 1000; ++attempt) {
        const std::wstring name = L"qm-" + pid + L"-" + std::to_wstring(++g_counter);
        const std::wstring folder = wideBase + L"\\" + name;
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            g_folders.push_back(folder);
            Text gbk;
            WideToGbk(folder, gbk);
            return gbk;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) return Text();
    }
    return Text();
}

void SandboxCleanUp() {
    for (auto& [path, handle] : g_held) CloseHandle(handle);
    g_held.clear();
    for (const std::wstring& folder : g_folders) {
        const DWORD attrs = GetFileAttributesW(folder.c_str());
        if (attrs != INVALID_FILE_ATTRIBUTES) RemoveAll(folder, attrs);
    }
    g_folders.clear();
}

bool SandboxSetAttributes(const Text& path, int bits) {
    std::wstring wide;
    if (!ToWide(path, wide)) return false;
    const DWORD old = GetFileAttributesW(wide.c_str());
    if (old == INVALID_FILE_ATTRIBUTES) return false;
    DWORD wanted = static_cast<DWORD>(bits) &
                   (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE);
    if (wanted == 0) wanted = FILE_ATTRIBUTE_NORMAL;
    return SetFileAttributesW(wide.c_str(), wanted) != 0;
}

bool SandboxMakeJunction(const Text& link, const Text& target) {
    std::wstring wideLink;
    std::wstring wideTarget;
    if (!ToWide(link, wideLink) || !ToWide(target, wideTarget)) return false;
    const DWORD targetAttrs = GetFileAttributesW(wideTarget.c_str());
    if (targetAttrs == INVALID_FILE_ATTRIBUTES || !(targetAttrs & FILE_ATTRIBUTE_DIRECTORY)) return false;
    std::wstring printName = FullPathOf(wideTarget);
    if (printName.empty()) return false;
    while (printName.size() > 3 && printName.back() == L'\\') printName.pop_back();
    const std::wstring substituteName = L"\\??\\" + printName;

    // Both names with their terminating zeros, substitute name first.
    const size_t substituteBytes = substituteName.size() * sizeof(WCHAR);
    const size_t printBytes = printName.size() * sizeof(WCHAR);
    const size_t pathBytes = substituteBytes + sizeof(WCHAR) + printBytes + sizeof(WCHAR);
    const size_t header = offsetof(MountPointReparseBuffer, PathBuffer);
    const size_t dataLength = header - offsetof(MountPointReparseBuffer, SubstituteNameOffset) + pathBytes;
    if (header + pathBytes > MAXIMUM_REPARSE_DATA_BUFFER_SIZE) return false;
    std::vector<unsigned char> raw(header + pathBytes + sizeof(WCHAR), 0);
    auto* buffer = reinterpret_cast<MountPointReparseBuffer*>(raw.data());
    buffer->ReparseTag = IO_REPARSE_TAG_MOUNT_POINT;
    buffer->ReparseDataLength = static_cast<WORD>(dataLength);
    buffer->SubstituteNameOffset = 0;
    buffer->SubstituteNameLength = static_cast<WORD>(substituteBytes);
    buffer->PrintNameOffset = static_cast<WORD>(substituteBytes + sizeof(WCHAR));
    buffer->PrintNameLength = static_cast<WORD>(printBytes);
    unsigned char* names = raw.data() + header;
    std::memcpy(names, substituteName.data(), substituteBytes);
    std::memcpy(names + substituteBytes + sizeof(WCHAR), printName.data(), printBytes);

    if (!CreateDirectoryW(wideLink.c_str(), nullptr)) return false;
    HANDLE handle = CreateFileW(wideLink.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    bool made = false;
    if (handle != INVALID_HANDLE_VALUE) {
        DWORD returned = 0;
        made = DeviceIoControl(handle, FSCTL_SET_REPARSE_POINT, buffer, static_cast<DWORD>(header + pathBytes),
                               nullptr, 0, &returned, nullptr) != 0;
        CloseHandle(handle);
    }
    if (!made) RemoveDirectoryW(wideLink.c_str());
    return made;
}

bool SandboxHoldOpen(const Text& path) {
    if (g_held.count(path) != 0) return true;
    std::wstring wide;
    if (!ToWide(path, wide)) return false;
    HANDLE handle = CreateFileW(wide.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) return false;
    g_held[path] = handle;
    return true;
}

void SandboxRelease(const Text& path) {
    const auto found = g_held.find(path);
    if (found == g_held.end()) return;
    CloseHandle(found->second);
    g_held.erase(found);
}

bool SandboxFaultsSupported() { return false; }

void SandboxFailOperation(const Text&, const Text&) {}

void SandboxClearFaults() {}
