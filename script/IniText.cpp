#include "script/IniText.h"

namespace {

std::string NameKey(std::string_view name) {
    std::string key(TrimIniBlanks(name));
    for (char& c : key)
        c = IniLower(c);
    return key;
}

// Calls `line` for every line of `text` that is not empty.
template <class F> void ForEachLine(std::string_view text, F line) {
    for (const IniLine& at : SplitIniLines(text, true)) {
        if (at.end > at.start)
            line(text.substr(at.start, at.end - at.start));
    }
}

} // namespace

void IniSection::Add(std::string_view line) {
    size_t equals = line.find('=');
    if (equals == std::string_view::npos)
        return;
    m_entries.emplace_back(std::string(TrimIniBlanks(line.substr(0, equals))),
                           std::string(TrimIniBlanks(line.substr(equals + 1))));
}

void IniSection::AddLines(std::string_view lines) {
    ForEachLine(lines, [this](std::string_view line) { Add(line); });
}

const std::string* IniSection::Find(std::string_view key) const {
    for (const auto& entry : m_entries) {
        if (SameIniName(std::string_view(entry.first), key))
            return &entry.second;
    }
    return nullptr;
}

IniText::IniText(std::string_view text) {
    // Lines of a second section of a name already seen are not read: the profile functions
    // find the first one only.
    IniSection* current = nullptr;
    ForEachLine(text, [&](std::string_view line) {
        const std::string_view trimmed = TrimIniBlanks(line);
        std::string_view name;
        if (IniSectionHeader(line, name)) {
            auto added = m_sections.emplace(NameKey(name), IniSection());
            current = added.second ? &added.first->second : nullptr;
        } else if (current != nullptr && !trimmed.empty() && trimmed.front() != ';') {
            current->Add(line);
        }
    });
}

const IniSection* IniText::Section(std::string_view name) const {
    auto found = m_sections.find(NameKey(name));
    return found == m_sections.end() ? nullptr : &found->second;
}
