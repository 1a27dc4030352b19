// The one record of what the game's multiplayer script reads: section Mul_Kestrine of the
// game's scripts.ini, plus UIType of the game's gvx.ini.  The form fills it while the user
// edits, PLAY fills it whole and saves it, start-up loads it.
#pragma once

#include "script/Slots.h"

#include <string>

// Option flag bits of m_flags (SetFlag / TestFlag take the bit number).
constexpr int kFlagPlayerSelect = 1; // value 2
constexpr int kFlagHostSelected = 2; // value 4

class CScriptSettings {
public:
    CScriptSettings();
    virtual ~CScriptSettings() = default;

    // The game's install directory from the registry, ending in one backslash.  Returns 0, or
    // the registry's code and leaves `directory` alone.
    unsigned long GetGameDirectory(std::string& directory) const;
    // The game directory followed by "Assets\Scripts\".
    unsigned long GetScriptsDirectory(std::string& directory) const;

    // Read and write the two files.  False when the game directory cannot be found or, for
    // Save, when a file cannot be updated as a whole; the platform's code goes to `error` or
    // `failure`.  Save changes both files or neither.  Neither shows anything.
    struct SaveFailure {
        unsigned long code = 0;
        bool atGameSettings = false; // gvx.ini failed (scripts.ini was put back)
    };
    bool Load(unsigned long* error = nullptr);
    bool Save(SaveFailure* failure = nullptr) const;

    void SetTitle(const std::string& title) { m_title = title; }
    void SetShip(int slot, const std::string& ship) { m_ships[slot] = ship; }
    const std::string& GetShip(int slot) const { return m_ships[slot]; }
    void SetPos(int slot, int position) { m_positions[slot] = position; }
    int GetPos(int slot) const { return m_positions[slot]; }

    int GetFlags() const { return m_flags; }
    void SetFlag(int bit) { m_flags |= 1 << bit; }
    void ClearFlags() { m_flags = 0; }
    bool TestFlag(int bit) const { return (m_flags >> bit) & 1; }

    int GetDifficulty() const { return m_difficulty; }
    void SetDifficulty(int difficulty) { m_difficulty = difficulty; }

private:
    std::string m_title;
    std::string m_ships[kSlotCount];
    int m_positions[kSlotCount];
    int m_flags;
    int m_difficulty;
};

extern CScriptSettings theScriptSettings;

// Where the settings live inside the game's folders.
constexpr const char* kScriptsSection = "Mul_Kestrine";
constexpr const char* kScriptsFileName = "scripts.ini";
constexpr const char* kGameSettingsSection = "UI";
constexpr const char* kGameSettingsFileName = "gvx.ini";
constexpr const char* kTitleKey = "GameSet";
constexpr const char* kFlagsKey = "shipSettings";
constexpr const char* kDifficultyKey = "UIType";
