#include "script/Profile.h"

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

bool WriteProfileValue(const std::string& file, const char* section, const char* key,
                       const std::string& value) {
    // The value goes out whole, however long: the file keeps what the user typed.
    return WritePrivateProfileStringA(section, key, value.c_str(), file.c_str()) != 0;
}

ScriptsSection ReadScriptsSection(const std::string& file) {
    ScriptsSection section;
    section.hasTitle = ReadProfileValue(file, kScriptsSection, kTitleKey, section.title);
    for (int slot = 0; slot < kSlotCount; ++slot)
        section.hasShip[slot] =
            ReadProfileValue(file, kScriptsSection, kSlots[slot].shipKey, section.ships[slot]);
    std::string value;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        section.positions[slot] =
            ReadProfileValue(file, kScriptsSection, kSlots[slot].posKey, value)
                ? TruncatedNumber(value.c_str())
                : -1;
    }
    return section;
}
