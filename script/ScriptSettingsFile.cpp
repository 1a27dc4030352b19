// Load and Save: the 46 keys of section Mul_Kestrine in their fixed order (title, the 22 ship
// texts, the 22 positions, the option flags), then UIType of gvx.ini.
#include "script/IniText.h"
#include "script/ScriptSettings.h"
#include "script/SettingsFileUpdate.h"

namespace {

// Every key=value line of a section, values as the file holds them (quotes kept, no cut), as
// the profile functions read it.
IniSection ReadSection(const std::string& file, const char* section) {
    // A buffer that was too small is reported by a length of its size less two.
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

} // namespace

bool CScriptSettings::Load(unsigned long* error) {
    auto fail = [error](DWORD code) {
        if (error != nullptr)
            *error = code;
        return false;
    };
    std::string directory;
    if (DWORD code = GetScriptsDirectory(directory))
        return fail(code);
    ReadScriptsKeys(ReadSection(directory + kScriptsFileName, kScriptsSection), m_values);
    if (DWORD code = GetGameDirectory(directory))
        return fail(code);
    // No difficulty reads as CAPTAIN, as the game takes it.
    if (!ReadDifficultyKey(ReadSection(directory + kGameSettingsFileName, kGameSettingsSection),
                           m_values.difficulty))
        m_values.difficulty = 0;
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

    CSettingsFileUpdate scripts(scriptsDirectory + kScriptsFileName, kScriptsSection,
                                ScriptsKeyValues(m_values));
    CSettingsFileUpdate game(gameDirectory + kGameSettingsFileName, kGameSettingsSection,
                             GameSettingsKeyValues(m_values));
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
