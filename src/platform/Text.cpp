#include "platform/Text.h"

bool IsWellFormedGbk(const Text& text)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == 0 || b == 0xFF)
            return false;
        if (!IsGbkLeadByte(b))
            continue;
        if (i + 1 == text.size())
            return false;
        const auto t = static_cast<unsigned char>(text[++i]);
        if (!((t >= 0x40 && t <= 0x7E) || (t >= 0x80 && t <= 0xFE)))
            return false;
    }
    return true;
}

int LastSeparatorIndex(const Text& text)
{
    // Bytes 0x80 and above start a double-byte character; its trail byte may
    // have the value of "\" and must be skipped with it.
    int last = -1;
    std::size_t i = 0;
    while (i < text.size() && text[i] != '\0') {
        const auto b = static_cast<unsigned char>(text[i]);
        if (b == '\\')
            last = static_cast<int>(i);
        if (b >= 0x80) {
            if (i + 1 >= text.size() || text[i + 1] == '\0')
                break;
            i += 2;
        } else {
            ++i;
        }
    }
    return last;
}

Text FoldAsciiCase(const Text& text)
{
    Text out = text;
    for (std::size_t i = 0; i < out.size(); ++i) {
        const auto b = static_cast<unsigned char>(out[i]);
        if (IsGbkLeadByte(b))
            ++i;
        else if (b >= 'a' && b <= 'z')
            out[i] = static_cast<char>(b - 'a' + 'A');
    }
    return out;
}
