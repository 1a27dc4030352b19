#include "script/Profile.h"

#include "script/IniText.h"
#include "script/ScriptSettings.h"
#include "script/ValueText.h"

#include <windows.h>

bool ReadProfileValue(const std::string& file, const char* section, const char* key,
                      std::string& value) {
    char buffer[kProfileValueBuffer];
    DWORD length = GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file.c_str());
    value.assign(buffer, length);
    return length > 0;
}

IniSection ReadRawSection(const std::string& file, const char* section) {
    // The section's lines come back as the file holds them; a buffer that was too small is
    // reported by a length of its size less two.
    std::string buffer(4096, '\0');
    for (;;) {
        DWORD length =
            GetPrivateProfileSectionA(section, &buffer[0], DWORD(buffer.size()), file.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 30)) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    IniSection lines;
    lines.AddLines(buffer);
    return lines;
}

ScriptsSection ReadScriptsSection(const std::string& file) {
    ScriptsSection section;
    // Texts as the file holds them: the quotation marks around ship designations belong to
    // them, and the game needs them back at the next PLAY.
    const IniSection raw = ReadRawSection(file, kScriptsSection);
    auto text = [&raw](const char* key, std::string& value) {
        const std::string* found = raw.Find(key);
        if (found == nullptr || found->empty())
            return false;
        value = *found;
        return true;
    };
    section.hasTitle = text(kTitleKey, section.title);
    for (int slot = 0; slot < kSlotCount; ++slot)
        section.hasShip[slot] = text(kSlots[slot].shipKey, section.ships[slot]);
    std::string value;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        section.positions[slot] =
            ReadProfileValue(file, kScriptsSection, kSlots[slot].posKey, value)
                ? TruncatedNumber(value.c_str())
                : -1;
    }
    return section;
}
