#include "script/IniEdit.h"

#include "script/IniRules.h"

namespace {

template <class Char> using Text = std::basic_string<Char>;
template <class Char> using View = std::basic_string_view<Char>;

template <class Char> View<Char> LineText(const Text<Char>& text, const IniLine& line) {
    return View<Char>(text).substr(line.start, line.end - line.start);
}

template <class Char> bool SameName(View<Char> a, View<Char> b) {
    return SameIniName(a, b);
}

// The line's key, and where its "=" stands (npos for a line without one).
template <class Char>
View<Char> KeyOf(const Text<Char>& text, const IniLine& line, size_t& equals) {
    equals = text.find(Char('='), line.start);
    if (equals >= line.end)
        equals = Text<Char>::npos;
    const size_t end = equals == Text<Char>::npos ? line.end : equals;
    return TrimIniBlanks(View<Char>(text).substr(line.start, end - line.start));
}

template <class Char> bool IsBlankLine(const Text<Char>& text, const IniLine& line) {
    return TrimIniBlanks(LineText(text, line)).empty();
}

// The file's own line end: that of its first line that has one, CRLF where none has.
template <class Char>
Text<Char> LineEndOf(const Text<Char>& text, const std::vector<IniLine>& lines) {
    for (const IniLine& line : lines) {
        if (line.next > line.end)
            return text.substr(line.end, line.next - line.end);
    }
    return {Char('\r'), Char('\n')};
}

// The first section of that name, as line numbers: its header, and the line after its last.
// Both are lines.size() where there is no such section.
struct SectionLines {
    size_t header, end;
};

template <class Char>
SectionLines FindSection(const Text<Char>& text, const std::vector<IniLine>& lines,
                         View<Char> wanted) {
    SectionLines found{lines.size(), lines.size()};
    for (size_t i = 0; i < lines.size(); ++i) {
        View<Char> name;
        if (!IniSectionHeader(LineText(text, lines[i]), name))
            continue;
        if (found.header < lines.size()) {
            found.end = i;
            break;
        }
        if (SameName(name, wanted))
            found.header = i;
    }
    return found;
}

// Where new keys go: after the section's last line that is not blank.
template <class Char>
size_t LastFilledLine(const Text<Char>& text, const std::vector<IniLine>& lines,
                      SectionLines section) {
    size_t last = section.header;
    for (size_t i = section.header + 1; i < section.end; ++i) {
        if (!IsBlankLine(text, lines[i]))
            last = i;
    }
    return last;
}

} // namespace

template <class Char>
Text<Char> SetIniValues(const Text<Char>& text, const Text<Char>& section,
                        const IniValues<Char>& values) {
    const std::vector<IniLine> lines = SplitIniLines(View<Char>(text));
    const Text<Char> lineEnd = LineEndOf(text, lines);
    const Text<Char> wanted(TrimIniBlanks(View<Char>(section)));
    const SectionLines found = FindSection(text, lines, View<Char>(wanted));
    const bool exists = found.header < lines.size();

    // Keys there get their new value in place, on the first line of their name; the others
    // are added together.
    std::vector<Text<Char>> replaced(lines.size());
    std::vector<bool> isReplaced(lines.size(), false);
    Text<Char> added;
    for (const auto& [rawKey, value] : values.values) {
        const View<Char> key = TrimIniBlanks(View<Char>(rawKey));
        size_t line = found.header + 1;
        size_t equals = Text<Char>::npos;
        while (exists && line < found.end && !SameName(KeyOf(text, lines[line], equals), key))
            ++line;
        if (!exists || line >= found.end) {
            added += Text<Char>(key) + Char('=') + value + lineEnd;
            continue;
        }
        const IniLine& at = lines[line];
        replaced[line] = equals == Text<Char>::npos ? Text<Char>(LineText(text, at)) + Char('=')
                                                    : text.substr(at.start, equals + 1 - at.start);
        replaced[line] += value;
        isReplaced[line] = true;
    }

    const size_t insertAfter = exists ? LastFilledLine(text, lines, found) : lines.size();
    Text<Char> result;
    result.reserve(text.size() + added.size() + 64);
    for (size_t i = 0; i < lines.size(); ++i) {
        const IniLine& line = lines[i];
        if (isReplaced[i])
            result += replaced[i];
        else
            result += LineText(text, line);
        const bool lastLineHasNoEnd = line.next == line.end;
        if (i == insertAfter && !added.empty()) {
            result += lastLineHasNoEnd ? lineEnd : text.substr(line.end, line.next - line.end);
            result += added;
            added.clear();
        } else {
            result.append(text, line.end, line.next - line.end);
        }
    }
    if (!exists) {
        if (!result.empty() && result.back() != Char('\r') && result.back() != Char('\n'))
            result += lineEnd;
        result += Char('[') + wanted + Char(']') + lineEnd + added;
    }
    return result;
}

template std::string SetIniValues(const std::string&, const std::string&, const IniValues<char>&);
template std::u16string SetIniValues(const std::u16string&, const std::u16string&,
                                     const IniValues<char16_t>&);
