#pragma once

// Conversions between the program's GBK texts and the UTF-16 the wide
// Win32 API takes. Code page 936 is named explicitly: the system's ANSI code
// page may be anything on the player's machine.

#include <string>

#include "platform/Text.h"

// False for text that is not well-formed GBK, holds a zero byte, or has a
// character Windows cannot map; empty text gives empty wide text.
bool GbkToWide(const Text& text, std::wstring& wide);

// False when a character has no exact GBK form (no best-fit look-alikes),
// or for a zero character; empty wide text gives empty text.
bool WideToGbk(const std::wstring& wide, Text& text);

// The GBK form of an existing path. A path with characters GBK lacks is
// given in its short (8.3) form, which names the same entry; false when it
// has none either.
bool PathToGbk(const std::wstring& path, Text& text);
