#include "script/IniText.h"

#include <cctype>

namespace {

bool IsLineBreak(char c) {
    return c == '\r' || c == '\n' || c == '\0';
}

// Calls `line` for every line of `text`, split at CR, LF or NUL.
template <class F> void ForEachLine(std::string_view text, F line) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = start;
        while (end < text.size() && !IsLineBreak(text[end]))
            ++end;
        if (end > start)
            line(text.substr(start, end - start));
        start = end + 1;
    }
}

} // namespace

bool SameIniName(std::string_view a, std::string_view b) {
    a = TrimBlanks(a);
    b = TrimBlanks(b);
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

void IniSection::Add(std::string_view line) {
    size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    m_entries.emplace_back(std::string(TrimBlanks(line.substr(0, equals))),
                           std::string(TrimBlanks(line.substr(equals + 1))));
}

void IniSection::AddLines(std::string_view lines) {
    ForEachLine(lines, [this](std::string_view line) { Add(line); });
}

const std::string* IniSection::Find(std::string_view key) const {
    for (const auto& entry : m_entries) {
        if (SameIniName(entry.first, key))
            return &entry.second;
    }
    return nullptr;
}

std::string IniNameKey(std::string_view name) {
    std::string key(TrimBlanks(name));
    for (char& c : key)
        c = char(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

IniText::IniText(std::string_view text) {
    // Lines of a second section of a name already seen are not read: the profile functions
    // find the first one only.
    IniSection* current = nullptr;
    ForEachLine(text, [&](std::string_view line) {
        std::string_view trimmed = TrimBlanks(line);
        size_t close = trimmed.rfind(']');
        if (!trimmed.empty() && trimmed.front() == '[' && close != std::string_view::npos) {
            auto added = m_sections.emplace(IniNameKey(trimmed.substr(1, close - 1)), IniSection());
            current = added.second ? &added.first->second : nullptr;
        } else if (current != nullptr && !trimmed.empty() && trimmed.front() != ';') {
            current->Add(line);
        }
    });
}

const IniSection* IniText::Section(std::string_view name) const {
    auto found = m_sections.find(IniNameKey(name));
    return found == m_sections.end() ? nullptr : &found->second;
}

std::string OneLine(std::string text) {
    // A line break would end the value and start a line of its own in the file: a new key or
    // even a new section.
    for (char& c : text) {
        if (c == '\r' || c == '\n')
            c = ' ';
    }
    return text;
}
