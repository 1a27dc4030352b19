#include "library/GameSetText.h"

#include "script/IniRules.h"
#include "script/IniText.h"
#include "script/PositionCodec.h"
#include "script/ScriptSettings.h"
#include "script/SetupCheck.h"

namespace {

// The control characters (a NUL, an escape; tab is a blank) of the values of `keys`, each once,
// added to `found`.
void AddControlCharacters(const IniSection& section, const KeyValues& keys, std::string& found) {
    for (const auto& key : keys) {
        if (const std::string* value = section.Find(key.first)) {
            for (unsigned char c : *value) {
                if (c < 0x20 && c != '\t' && found.find(char(c)) == std::string::npos)
                    found += char(c);
            }
        }
    }
}

// A text as the game reads it back from its file: one line, without the blanks around it, and
// cut to what the form's boxes take.
std::string AsReadBack(const std::string& text) {
    const std::string line = OneLine(text);
    const std::string cut = FormText(std::string(TrimIniBlanks(std::string_view(line))));
    return std::string(TrimIniBlanks(std::string_view(cut)));
}

} // namespace

const std::string kNotText = "it is not text";

const std::string kGameSetTooLarge =
    "it is larger than " + std::to_string(kMaxGameSetText / 1024) + " KB, far more than a game set";

std::string WriteGameSetText(const PlayValues& values) {
    std::string text;
    auto add = [&text](const char* section, const KeyValues& keys) {
        text += std::string("[") + section + "]\r\n";
        for (const auto& [key, value] : keys)
            text += std::string(key) + "=" + OneLine(value) + "\r\n";
    };
    add(kScriptsSection, ScriptsKeyValues(values));
    // No difficulty is no [UI] section: whoever reads the set keeps the difficulty they have.
    if (IsKnownDifficulty(values.difficulty))
        add(kGameSettingsSection, GameSettingsKeyValues(values));
    return text;
}

std::string ReadGameSetText(std::string_view text, GameSetRead& read) {
    if (text.size() > kMaxGameSetText)
        return kGameSetTooLarge;
    if (text.find('\0') != std::string_view::npos)
        return kNotText; // a binary file, whose reading would stop at the NUL
    const IniText ini(text);
    const IniSection* set = ini.Section(kScriptsSection);
    if (set == nullptr)
        return "this text is not a game set: it has no [Mul_Kestrine] line (a game set starts "
               "with that line, followed by lines such as GameSet=Title and shipP1=\"N-QRE\", as "
               "Copy game set writes it)";
    read = GameSetRead();
    ReadScriptsKeys(*set, read.values);
    const IniSection* game = ini.Section(kGameSettingsSection);
    int difficulty = -1;
    if (game != nullptr && ReadDifficultyKey(*game, difficulty)) {
        if (IsKnownDifficulty(difficulty))
            read.difficulty = read.values.difficulty = difficulty;
        else
            read.unknownDifficulty = *game->Find(kDifficultyKey);
    }
    // What the game receives must be text; comments and other sections may hold anything.
    AddControlCharacters(*set, ScriptsKeyValues(PlayValues()), read.controlCharacters);
    if (game != nullptr)
        AddControlCharacters(*game, GameSettingsKeyValues(PlayValues()), read.controlCharacters);
    if (!read.controlCharacters.empty())
        return kNotText;
    return std::string();
}

PlayValues AsTheFormShows(const PlayValues& values) {
    PlayValues shown = values;
    shown.title = AsReadBack(values.title);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        shown.ships[slot] = AsReadBack(values.ships[slot]);
        shown.positions[slot] = LetterToPosition(PositionToLetter(values.positions[slot]));
    }
    const int host = FlagValue(kFlagHostSelected), player = FlagValue(kFlagPlayerSelect);
    shown.flags = (values.flags & host) ? host : (values.flags & player) ? player : 0;
    if (shown.flags == player) {
        for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
            shown.ships[slot].clear();
            if (shown.positions[slot] == kNoPosition)
                shown.positions[slot] = LetterToPosition(kSlots[slot].defaultLetter);
        }
    }
    if (!IsKnownDifficulty(shown.difficulty))
        shown.difficulty = -1;
    return shown;
}

std::string SetupCodeOf(const PlayValues& values) {
    return SetupCode(WriteGameSetText(AsTheFormShows(values)));
}

// A record's check boxes count as ticked where they hold anything but 0, as the form's do.
PlayValues PlayValuesOf(const CShipData& record, int difficulty) {
    PlayValues values;
    values.title = FormText(record.m_strGameSet);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        values.ships[slot] = FormText(record.m_strShip[slot]);
        values.positions[slot] = LetterToPosition(FormText(record.m_strPos[slot]));
    }
    values.flags = (record.m_bHostSelected ? FlagValue(kFlagHostSelected) : 0) |
                   (record.m_bPlayerSelect ? FlagValue(kFlagPlayerSelect) : 0);
    values.difficulty = difficulty;
    return values;
}
