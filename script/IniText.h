// Profile (.ini) text read the way the profile functions read it, but with every value as the
// file holds it: quotation marks kept, no length cut.  Section and key names compare ignoring
// letter case and the blanks around them; where a key stands twice, the first one counts.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class IniSection {
public:
    // Adds the key=value lines of `lines` (split at CR, LF or NUL); a line without "=" is
    // skipped.  Blanks around the key and around the value are dropped.
    void AddLines(std::string_view lines);
    void Add(std::string_view line);
    // The first value of `key`, or null when no line sets it.
    const std::string* Find(std::string_view key) const;
    const std::vector<std::pair<std::string, std::string>>& Entries() const { return m_entries; }

private:
    std::vector<std::pair<std::string, std::string>> m_entries;
};

class IniText {
public:
    // A whole file's text: "[name]" lines open sections (the name runs to the last "]"); lines
    // before the first are ignored.
    explicit IniText(std::string_view text);
    // The first section of that name, or null.
    const IniSection* Section(std::string_view name) const;
    const std::map<std::string, IniSection>& Sections() const { return m_sections; }

private:
    std::map<std::string, IniSection> m_sections; // by IniNameKey
};

// The rules of the profile functions for one line's texts, for ANSI and UTF-16 text alike.

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

inline std::string_view TrimBlanks(std::string_view text) {
    return TrimIniBlanks(text);
}
inline std::string_view Unquoted(std::string_view value) {
    return UnquotedIni(value);
}

// Names as the profile functions compare them: ignoring case and surrounding blanks.
bool SameIniName(std::string_view a, std::string_view b);
std::string IniNameKey(std::string_view name); // trimmed, lower case

// The text with every CR and LF replaced by a blank, so that it stays one value of one line.
std::string OneLine(std::string text);
