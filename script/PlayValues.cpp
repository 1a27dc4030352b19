#include "script/PlayValues.h"

#include "script/IniText.h"
#include "script/ScriptSettings.h"
#include "script/ValueText.h"

namespace {

// The profile functions read values into a 64-byte buffer.
const size_t kProfileValueLength = 63;

std::string TextOf(const IniSection& section, const char* key) {
    const std::string* found = section.Find(key);
    return found ? *found : std::string();
}

std::string NumberOf(const IniSection& section, const char* key) {
    const std::string* found = section.Find(key);
    if (found == nullptr)
        return std::string();
    return std::string(UnquotedIni(std::string_view(*found)).substr(0, kProfileValueLength));
}

} // namespace

KeyValues ScriptsKeyValues(const PlayValues& values) {
    KeyValues keys{{kTitleKey, values.title}};
    for (int slot = 0; slot < kSlotCount; ++slot)
        keys.emplace_back(kSlots[slot].shipKey, values.ships[slot]);
    for (int slot = 0; slot < kSlotCount; ++slot)
        keys.emplace_back(kSlots[slot].posKey, NumberText(values.positions[slot]));
    keys.emplace_back(kFlagsKey, NumberText(values.flags));
    return keys;
}

KeyValues GameSettingsKeyValues(const PlayValues& values) {
    return {{kDifficultyKey, NumberText(values.difficulty)}};
}

void ReadScriptsKeys(const IniSection& section, PlayValues& values) {
    values.title = TextOf(section, kTitleKey);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        values.ships[slot] = TextOf(section, kSlots[slot].shipKey);
        const std::string position = NumberOf(section, kSlots[slot].posKey);
        values.positions[slot] = position.empty() ? -1 : TruncatedNumber(position.c_str());
    }
    values.flags = IntegerNumber(NumberOf(section, kFlagsKey).c_str());
}

bool ReadDifficultyKey(const IniSection& section, int& difficulty) {
    const std::string level = NumberOf(section, kDifficultyKey);
    if (level.empty())
        return false;
    difficulty = TruncatedNumber(level.c_str());
    return true;
}
