// How the platform's profile functions read the lines of an .ini file, for ANSI (char) and
// UTF-16 (char16_t, wchar_t) text alike: every reader and editor of the game's settings files
// and of game-set texts follows these rules, so that what Kestrine reads or writes is what
// the game reads.
#pragma once

#include <string_view>
#include <vector>

// The blanks dropped around names and values: the DOS end-of-file mark, vertical tabs and
// form feeds among them.
template <class Char> constexpr bool IsIniBlank(Char c) {
    return c == Char(' ') || c == Char('\t') || c == Char('\v') || c == Char('\f') ||
           c == Char(0x1A);
}

template <class Char>
std::basic_string_view<Char> TrimIniBlanks(std::basic_string_view<Char> text) {
    while (!text.empty() && IsIniBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsIniBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

// A value as the profile functions give it: one pair of quotation marks around it removed.
template <class Char> std::basic_string_view<Char> UnquotedIni(std::basic_string_view<Char> value) {
    if (value.size() >= 2 && (value.front() == Char('"') || value.front() == Char('\'')) &&
        value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

// Section and key names compare ignoring the blanks around them and the case of ASCII letters.
template <class Char> constexpr Char IniLower(Char c) {
    return c >= Char('A') && c <= Char('Z') ? Char(c - Char('A') + Char('a')) : c;
}

template <class Char>
bool SameIniName(std::basic_string_view<Char> a, std::basic_string_view<Char> b) {
    a = TrimIniBlanks(a);
    b = TrimIniBlanks(b);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IniLower(a[i]) != IniLower(b[i]))
            return false;
    }
    return true;
}

// A section header: "[name]", blanks around it allowed.  The name is what stands between "["
// and the last "]", without the blanks around it.
template <class Char>
bool IniSectionHeader(std::basic_string_view<Char> line, std::basic_string_view<Char>& name) {
    line = TrimIniBlanks(line);
    const size_t close = line.rfind(Char(']'));
    if (line.empty() || line.front() != Char('[') || close == line.npos)
        return false;
    name = TrimIniBlanks(line.substr(1, close - 1));
    return true;
}

// One line of a text: its characters run from `start` to `end`, the next line starts at
// `next` (after its CR, LF or CRLF, or its NUL).
struct IniLine {
    size_t start, end, next;
};

// The lines of a file's text, split at CR, LF and CRLF; with `nulEnds`, at NUL too, as the
// profile functions' readers and their lists of NUL-ended texts have them.  Empty lines are
// kept.
template <class Char>
std::vector<IniLine> SplitIniLines(std::basic_string_view<Char> text, bool nulEnds = false) {
    std::vector<IniLine> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && text[end] != Char('\r') && text[end] != Char('\n') &&
               !(nulEnds && text[end] == Char('\0')))
            ++end;
        size_t next = end;
        if (next < text.size() && text[next] == Char('\r'))
            ++next;
        if (next < text.size() && text[next] == Char('\n'))
            ++next;
        if (next == end && next < text.size()) // a NUL
            ++next;
        lines.push_back({start, end, next});
        start = next;
    }
    return lines;
}

// A value as one line: every CR and LF becomes a blank.  A line break would end the value and
// start a line of its own in the file: a new key or even a new section.
template <class Text> Text OneLine(Text text) {
    for (auto& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}
