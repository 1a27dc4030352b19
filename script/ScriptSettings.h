// The one record of what the game's multiplayer script reads: section Mul_Kestrine of the
// game's scripts.ini, plus UIType of the game's gvx.ini.  The form fills it while the user
// edits, PLAY fills it whole and saves it, start-up loads it.
#pragma once

#include "script/GameFiles.h"
#include "script/PlayValues.h"

#include <string>

class CScriptSettings {
public:
    CScriptSettings();
    virtual ~CScriptSettings() = default;

    // The game's install directory from the registry, ending in one backslash.  Returns 0, or
    // the registry's code and leaves `directory` alone; ERROR_FILENAME_EXCED_RANGE for a folder
    // too long for its files' paths, which goes to `directory` all the same.
    unsigned long GetGameDirectory(std::string& directory) const;
    // The game directory followed by "Assets\Scripts\".
    unsigned long GetScriptsDirectory(std::string& directory) const;

    // Read and write the two files.  False when the game directory cannot be found or, for
    // Save, when a file cannot be updated as a whole; the platform's code goes to `error` or
    // `failure`.  Save changes both files or neither.  Neither shows anything.
    struct SaveFailure {
        unsigned long code = 0;
        bool atGameSettings = false; // gvx.ini failed (scripts.ini was put back)
        bool otherKestrine = false;  // another Kestrine kept writing them throughout
    };
    bool Load(unsigned long* error = nullptr);
    bool Save(SaveFailure* failure = nullptr) const;
    // Whether PLAY can reach the game's files now, and where it cannot: the game's folder or
    // the file concerned goes to `path`, and why a file cannot be read to `why`.
    GameFiles CheckFiles(std::string& path, std::string* why = nullptr) const;

    const PlayValues& Values() const { return m_values; }
    void SetValues(const PlayValues& values) { m_values = values; }

    void SetTitle(const std::string& title) { m_values.title = title; }
    void SetShip(int slot, const std::string& ship) { m_values.ships[slot] = ship; }
    const std::string& GetShip(int slot) const { return m_values.ships[slot]; }
    void SetPos(int slot, int position) { m_values.positions[slot] = position; }
    int GetPos(int slot) const { return m_values.positions[slot]; }

    int GetFlags() const { return m_values.flags; }
    void SetFlag(int bit) { m_values.flags |= 1 << bit; }
    void ClearFlags() { m_values.flags = 0; }
    bool TestFlag(int bit) const { return (m_values.flags >> bit) & 1; }

    int GetDifficulty() const { return m_values.difficulty; }
    void SetDifficulty(int difficulty) { m_values.difficulty = difficulty; }

private:
    PlayValues m_values;
};

extern CScriptSettings theScriptSettings;

// The name of the turn that Kestrines writing the files of the game in `gameDirectory` take,
// one after another, the same for every spelling of the folder.
std::wstring PlayTurnName(const std::string& gameDirectory);
// Why Save failed at `file`, and what to do, as part of a sentence.
std::string SaveFailureText(const CScriptSettings::SaveFailure& failure, const std::string& file);

// Where the settings live inside the game's folders.
constexpr const char* kScriptsSection = "Mul_Kestrine";
constexpr const char* kGameSettingsSection = "UI";
constexpr const char* kTitleKey = "GameSet";
constexpr const char* kFlagsKey = "shipSettings";
constexpr const char* kDifficultyKey = "UIType";
