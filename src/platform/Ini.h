#pragma once

// Reading and writing settings in the text of an INI file, as the profile
// functions do, over GBK bytes. ReadIniValue and WriteIniValue put these over
// ReadWholeFile and WriteWholeFile.

#include "platform/Text.h"

// The longest value a read gives, in bytes.
constexpr std::size_t kIniValueLimit = 10239;

// The value of key in section: blanks around it trimmed, one pair of
// enclosing quotes dropped, cut to kIniValueLimit bytes (never inside a
// double-byte character). Empty when the section or key is missing.
Text IniLookUp(const Text& content, const Text& section, const Text& key);

// Sets key in section inside content: in place when the key is there, else
// appended as the section's last key, else a new section at the end. Every
// other line stays. False, content unchanged, for a section, key or value
// that cannot stand on one line.
bool IniAssign(Text& content, const Text& section, const Text& key, const Text& value);
