#pragma once

#include <string>

// Every text inside the program is a byte string in code page 936 (GBK).
// Lengths and positions count bytes. Conversion to UTF-16 happens only at
// the Win32 calls. A Text holding file contents may hold zero bytes; a Text
// taken as a name or path ends before its first zero byte (see ValidPathText).
using Text = std::string;

// True for a byte that starts a double-byte GBK character.
inline bool IsGbkLeadByte(unsigned char b) { return b >= 0x81 && b <= 0xFE; }

// True when the text is well-formed GBK: single bytes 0x01..0x80 (0x80 is
// the euro sign of code page 936), or a lead byte 0x81..0xFE followed by a
// trail byte 0x40..0x7E or 0x80..0xFE. A zero byte, a lone 0xFF or a lead
// byte at the very end makes it ill-formed.
bool IsWellFormedGbk(const Text& text);

// Position (from 0) of the last "\" that is a separator, walking the text
// one character at a time so that the trail byte of a double-byte character
// (which may be 0x5C) is never taken for one; -1 when there is none.
int LastSeparatorIndex(const Text& text);

// The text with its single-byte letters a..z made upper case: the trail byte
// of a double-byte character may look like a letter and stays as it is.
// Names compare without regard to letter case through it.
Text FoldAsciiCase(const Text& text);
