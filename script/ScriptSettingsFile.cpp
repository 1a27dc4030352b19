// Load and Save: the 46 keys of section Mul_Kestrine in their fixed order (title, the 22 ship
// texts, the 22 positions, the option flags), then UIType of gvx.ini.
#include "script/Profile.h"
#include "script/ScriptSettings.h"
#include "script/SettingsFileUpdate.h"
#include "script/ValueText.h"

bool CScriptSettings::Load() {
    std::string directory;
    if (!GetScriptsDirectory(directory))
        return false;
    const std::string scripts = directory + kScriptsFileName;

    const ScriptsSection section = ReadScriptsSection(scripts);
    if (section.hasTitle)
        m_title = section.title;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (section.hasShip[slot])
            m_ships[slot] = section.ships[slot];
        m_positions[slot] = section.positions[slot];
    }
    std::string value;
    if (ReadProfileValue(scripts, kScriptsSection, kFlagsKey, value))
        m_flags = IntegerNumber(value.c_str());

    if (!GetGameDirectory(directory))
        return false;
    m_difficulty = ReadProfileValue(directory + kGameSettingsFileName, kGameSettingsSection,
                                    kDifficultyKey, value)
                       ? TruncatedNumber(value.c_str())
                       : 0;
    return true;
}

bool CScriptSettings::Save(SaveFailure* failure) const {
    SaveFailure failed;
    auto fail = [&](DWORD code, bool atGameSettings) {
        failed.code = code;
        failed.atGameSettings = atGameSettings;
        if (failure != nullptr)
            *failure = failed;
        return false;
    };
    std::string scriptsDirectory, gameDirectory;
    if (!GetScriptsDirectory(scriptsDirectory) || !GetGameDirectory(gameDirectory))
        return fail(GetLastError(), false);

    ProfileValues values{{kTitleKey, m_title}};
    for (int slot = 0; slot < kSlotCount; ++slot)
        values.emplace_back(kSlots[slot].shipKey, m_ships[slot]);
    for (int slot = 0; slot < kSlotCount; ++slot)
        values.emplace_back(kSlots[slot].posKey, NumberText(m_positions[slot]));
    values.emplace_back(kFlagsKey, NumberText(m_flags));
    CSettingsFileUpdate scripts(scriptsDirectory + kScriptsFileName, kScriptsSection, values);
    CSettingsFileUpdate game(gameDirectory + kGameSettingsFileName, kGameSettingsSection,
                             {{kDifficultyKey, NumberText(m_difficulty)}});
    // Both are made and checked before either file changes; should gvx.ini still fail, the
    // game would otherwise play a new setup at an old difficulty.
    if (DWORD code = scripts.Prepare())
        return fail(code, false);
    if (DWORD code = game.Prepare())
        return fail(code, true);
    if (DWORD code = scripts.Commit())
        return fail(code, false);
    if (DWORD code = game.Commit()) {
        scripts.Undo();
        return fail(code, true);
    }
    return true;
}
