#include "script/PlayValues.h"

#include "script/ScriptSettings.h"
#include "script/ValueText.h"

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
