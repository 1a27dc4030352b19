// Load and Save: the 46 keys of section Mul_Kestrine in their fixed order (title, the 22 ship
// texts, the 22 positions, the option flags), then UIType of gvx.ini.
#include "script/PlayValues.h"
#include "script/Profile.h"
#include "script/ScriptSettings.h"
#include "script/SettingsFileUpdate.h"
#include "script/ValueText.h"

bool CScriptSettings::Load(unsigned long* error) {
    auto fail = [error](DWORD code) {
        if (error != nullptr)
            *error = code;
        return false;
    };
    std::string directory;
    if (DWORD code = GetScriptsDirectory(directory))
        return fail(code);
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

    if (DWORD code = GetGameDirectory(directory))
        return fail(code);
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
    if (DWORD code = GetScriptsDirectory(scriptsDirectory))
        return fail(code, false);
    if (DWORD code = GetGameDirectory(gameDirectory))
        return fail(code, false);

    PlayValues play;
    play.title = m_title;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        play.ships[slot] = m_ships[slot];
        play.positions[slot] = m_positions[slot];
    }
    play.flags = m_flags;
    play.difficulty = m_difficulty;
    CSettingsFileUpdate scripts(scriptsDirectory + kScriptsFileName, kScriptsSection,
                                ScriptsKeyValues(play));
    CSettingsFileUpdate game(gameDirectory + kGameSettingsFileName, kGameSettingsSection,
                             GameSettingsKeyValues(play));
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
