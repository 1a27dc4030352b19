#include "script/IniEdit.h"

#include "script/ProfileRules.h"

namespace {

template <class Char> bool IsLineEnd(Char c) {
    return c == Char('\r') || c == Char('\n');
}

template <class Char>
std::basic_string<Char> Trimmed(const std::basic_string<Char>& text, size_t start, size_t end) {
    return std::basic_string<Char>(
        TrimIniBlanks(std::basic_string_view<Char>(text).substr(start, end - start)));
}

template <class Char>
bool SameName(const std::basic_string<Char>& a, const std::basic_string<Char>& b) {
    return SameIniName(std::basic_string_view<Char>(a), std::basic_string_view<Char>(b));
}

// A section header "[name]": the name is what stands between "[" and the last "]".
template <class Char>
bool IsHeader(const std::basic_string<Char>& text, const IniLine& line,
              std::basic_string<Char>& name) {
    size_t first = line.start;
    while (first < line.end && IsIniBlank(text[first]))
        ++first;
    if (first == line.end || text[first] != Char('['))
        return false;
    const std::basic_string<Char> trimmed = Trimmed(text, line.start, line.end);
    size_t close = trimmed.rfind(Char(']'));
    if (trimmed.empty() || trimmed[0] != Char('[') || close == std::basic_string<Char>::npos)
        return false;
    name = Trimmed(trimmed, 1, close);
    return true;
}

template <class Char>
std::basic_string<Char> KeyOf(const std::basic_string<Char>& text, const IniLine& line,
                              size_t& equals) {
    equals = text.find(Char('='), line.start);
    if (equals >= line.end)
        equals = std::basic_string<Char>::npos;
    return Trimmed(text, line.start, equals == std::basic_string<Char>::npos ? line.end : equals);
}

template <class Char> std::basic_string<Char> Widened(const char* ascii) {
    std::basic_string<Char> text;
    for (; *ascii; ++ascii)
        text += Char(*ascii);
    return text;
}

} // namespace

template <class Char>
std::basic_string<Char> SetIniValues(const std::basic_string<Char>& text,
                                     const std::basic_string<Char>& section,
                                     const IniValues<Char>& values) {
    using Text = std::basic_string<Char>;
    const std::vector<IniLine> lines = SplitIniLines(std::basic_string_view<Char>(text));
    const Text wantedSection = Trimmed(section, 0, section.size());

    // The file's own line end, CRLF where it shows none.
    Text lineEnd = Widened<Char>("\r\n");
    for (const auto& line : lines) {
        if (line.next > line.end) {
            lineEnd = text.substr(line.end, line.next - line.end);
            break;
        }
    }

    // The first section of that name: its header line and the line after its last line.
    size_t header = lines.size(), sectionEnd = lines.size();
    for (size_t i = 0; i < lines.size(); ++i) {
        Text name;
        if (!IsHeader(text, lines[i], name))
            continue;
        if (header < lines.size()) {
            sectionEnd = i;
            break;
        }
        if (SameName(name, wantedSection))
            header = i;
    }

    std::vector<Text> replaced(lines.size());
    std::vector<bool> isReplaced(lines.size(), false);
    Text added;
    for (const auto& value : values.values) {
        const Text key = Trimmed(value.first, 0, value.first.size());
        bool found = false;
        for (size_t i = header + 1; header < lines.size() && i < sectionEnd && !found; ++i) {
            size_t equals;
            if (SameName(KeyOf(text, lines[i], equals), key)) {
                Text start =
                    equals == Text::npos
                        ? text.substr(lines[i].start, lines[i].end - lines[i].start) + Char('=')
                        : text.substr(lines[i].start, equals + 1 - lines[i].start);
                replaced[i] = start + value.second;
                isReplaced[i] = found = true;
            }
        }
        if (!found)
            added += key + Char('=') + value.second + lineEnd;
    }

    // New keys go after the section's last line that is not blank.
    size_t insertAfter = header;
    for (size_t i = header + 1; header < lines.size() && i < sectionEnd; ++i) {
        for (size_t at = lines[i].start; at < lines[i].end; ++at) {
            if (!IsIniBlank(text[at])) {
                insertAfter = i;
                break;
            }
        }
    }

    Text result;
    result.reserve(text.size() + added.size() + 64);
    for (size_t i = 0; i < lines.size(); ++i) {
        const IniLine& line = lines[i];
        if (isReplaced[i])
            result += replaced[i];
        else
            result.append(text, line.start, line.end - line.start);
        if (i == insertAfter && !added.empty()) {
            if (line.next == line.end)
                result += lineEnd;
            else
                result.append(text, line.end, line.next - line.end);
            result += added;
            added.clear();
        } else {
            result.append(text, line.end, line.next - line.end);
        }
    }
    if (header == lines.size()) {
        if (!result.empty() && !IsLineEnd(result.back()))
            result += lineEnd;
        result += Char('[') + wantedSection + Char(']') + lineEnd + added;
    }
    return result;
}

template std::string SetIniValues(const std::string&, const std::string&, const IniValues<char>&);
template std::u16string SetIniValues(const std::u16string&, const std::u16string&,
                                     const IniValues<char16_t>&);
