#include <windows.h>

#include "platform/win32/Gbk.h"

#include <climits>

namespace {

constexpr UINT kGbkCodePage = 936;

}  // namespace

bool GbkToWide(const Text& text, std::wstring& wide) {
    wide.clear();
    if (text.empty()) return true;
    // Windows maps a few bytes the program counts as ill-formed (a lone 0xFF
    // becomes a private-use character), so the program's own rule goes first.
    if (text.find('\0') != Text::npos || !IsWellFormedGbk(text)) return false;
    if (text.size() > static_cast<size_t>(INT_MAX)) return false;
    const int length = static_cast<int>(text.size());
    const int needed = MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, text.data(), length,
                                           nullptr, 0);
    if (needed <= 0) return false;
    std::wstring out(static_cast<size_t>(needed), L'\0');
    if (MultiByteToWideChar(kGbkCodePage, MB_ERR_INVALID_CHARS, text.data(), length, out.data(),
                            needed) != needed) {
        return false;
    }
    wide.swap(out);
    return true;
}

bool WideToGbk(const std::wstring& wide, Text& text) {
    text.clear();
    if (wide.empty()) return true;
    if (wide.find(L'\0') != std::wstring::npos) return false;
    if (wide.size() > static_cast<size_t>(INT_MAX / 2)) return false;
    const int length = static_cast<int>(wide.size());
    BOOL usedDefault = FALSE;
    const int needed = WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length,
                                           nullptr, 0, nullptr, &usedDefault);
    if (needed <= 0 || usedDefault) return false;
    Text out(static_cast<size_t>(needed), '\0');
    usedDefault = FALSE;
    if (WideCharToMultiByte(kGbkCodePage, WC_NO_BEST_FIT_CHARS, wide.data(), length, out.data(),
                            needed, nullptr, &usedDefault) != needed ||
        usedDefault) {
        return false;
    }
    text.swap(out);
    return true;
}

bool PathToGbk(const std::wstring& path, Text& text) {
    if (WideToGbk(path, text)) return true;
    std::wstring shortForm(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetShortPathNameW(path.c_str(), shortForm.data(), static_cast<DWORD>(shortForm.size()));
        if (length == 0) return false;
        if (length < shortForm.size()) {
            shortForm.resize(length);
            return WideToGbk(shortForm, text);
        }
        shortForm.resize(length);
    }
}
