#include "platform/Ini.h"

#include <vector>

namespace {

struct Line {
    Text body;    // without its line break
    Text ending;  // "\r\n", "\n", "\r" or empty for a last line without one
};

std::vector<Line> SplitLines(const Text& content)
{
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find_first_of("\r\n", start);
        if (end == Text::npos) {
            lines.push_back({content.substr(start), ""});
            break;
        }
        std::size_t next = end + 1;
        if (content[end] == '\r' && next < content.size() && content[next] == '\n')
            ++next;
        lines.push_back({content.substr(start, end - start), content.substr(end, next - end)});
        start = next;
    }
    return lines;
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

Text Trim(const Text& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return s.substr(b, e - b);
}

bool SameName(const Text& a, const Text& b) { return FoldAsciiCase(a) == FoldAsciiCase(b); }

// The name of a section line ("[name]"), or false for any other line.
bool SectionOf(const Line& line, Text& name)
{
    const Text t = Trim(line.body);
    if (t.empty() || t[0] != '[')
        return false;
    const std::size_t close = t.find(']');
    name = Trim(t.substr(1, close == Text::npos ? Text::npos : close - 1));
    return true;
}

// Splits a "key=value" line; false for a line without "=".
bool KeyOf(const Line& line, Text& key, Text& value)
{
    const std::size_t eq = line.body.find('=');
    if (eq == Text::npos)
        return false;
    key = Trim(line.body.substr(0, eq));
    value = Trim(line.body.substr(eq + 1));
    return true;
}

// Index of the section line, or -1.
int FindSection(const std::vector<Line>& lines, const Text& section)
{
    Text name;
    for (std::size_t i = 0; i < lines.size(); ++i)
        if (SectionOf(lines[i], name) && SameName(name, section))
            return static_cast<int>(i);
    return -1;
}

// One past the last line that belongs to the section starting at index s.
std::size_t SectionEnd(const std::vector<Line>& lines, std::size_t s)
{
    Text name;
    std::size_t i = s + 1;
    while (i < lines.size() && !SectionOf(lines[i], name))
        ++i;
    return i;
}

Text CutToLimit(Text value)
{
    const std::size_t zero = value.find('\0');
    if (zero != Text::npos)
        value.resize(zero);
    if (value.size() <= kIniValueLimit)
        return value;
    // Cut only between characters.
    std::size_t i = 0;
    while (i < kIniValueLimit) {
        const std::size_t step = IsGbkLeadByte(static_cast<unsigned char>(value[i])) ? 2 : 1;
        if (i + step > kIniValueLimit)
            break;
        i += step;
    }
    value.resize(i);
    return value;
}

bool FitsOnOneLine(const Text& s) { return s.find_first_of(Text("\r\n\0", 3)) == Text::npos; }

}  // namespace

Text IniLookUp(const Text& content, const Text& section, const Text& key)
{
    Text body = content;
    if (body.compare(0, 3, "\xEF\xBB\xBF") == 0)
        body.erase(0, 3);
    const std::vector<Line> lines = SplitLines(body);
    const int s = FindSection(lines, Trim(section));
    if (s < 0)
        return Text();
    const std::size_t end = SectionEnd(lines, static_cast<std::size_t>(s));
    Text k, v;
    for (std::size_t i = static_cast<std::size_t>(s) + 1; i < end; ++i) {
        if (!KeyOf(lines[i], k, v) || !SameName(k, Trim(key)))
            continue;
        if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
            v = v.substr(1, v.size() - 2);
        return CutToLimit(v);
    }
    return Text();
}

bool IniAssign(Text& content, const Text& section, const Text& key, const Text& value)
{
    const Text sec = Trim(section);
    const Text k = Trim(key);
    if (sec.empty() || k.empty() || !FitsOnOneLine(sec) || !FitsOnOneLine(k) || !FitsOnOneLine(value) ||
        sec.find(']') != Text::npos || k.find('=') != Text::npos || k[0] == '[')
        return false;

    std::vector<Line> lines = SplitLines(content);
    const Line entry{k + "=" + value, "\r\n"};
    const int s = FindSection(lines, sec);
    if (s < 0) {
        if (!lines.empty()) {
            if (lines.back().ending.empty())
                lines.back().ending = "\r\n";
            lines.push_back({"", "\r\n"});
        }
        lines.push_back({"[" + sec + "]", "\r\n"});
        lines.push_back(entry);
    } else {
        const std::size_t end = SectionEnd(lines, static_cast<std::size_t>(s));
        std::size_t place = end;
        bool replaced = false;
        Text name, v;
        for (std::size_t i = static_cast<std::size_t>(s) + 1; i < end; ++i) {
            if (KeyOf(lines[i], name, v) && SameName(name, k)) {
                lines[i].body = entry.body;
                if (lines[i].ending.empty() && i + 1 < lines.size())
                    lines[i].ending = "\r\n";
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            // After the section's last non-blank line, before blank lines
            // that separate it from the next section.
            while (place > static_cast<std::size_t>(s) + 1 && Trim(lines[place - 1].body).empty())
                --place;
            if (lines[place - 1].ending.empty())
                lines[place - 1].ending = "\r\n";
            lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(place), entry);
        }
    }

    Text out;
    for (const Line& line : lines)
        out += line.body + line.ending;
    content = out;
    return true;
}
