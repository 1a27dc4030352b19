// Profile (.ini) text read the way the profile functions read it, but with every value as the
// file holds it: quotation marks kept, no length cut.  Names compare by the profile rules;
// where a key stands twice, the first one counts.
#pragma once

#include "script/IniRules.h"

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

private:
    std::map<std::string, IniSection> m_sections; // by the name trimmed, in lower case
};
