#include "library/GameSetText.h"

#include "script/IniText.h"
#include "script/PlayValues.h"
#include "script/PositionCodec.h"
#include "script/ScriptSettings.h"
#include "script/ValueText.h"

namespace {

// The values PLAY writes into shipSettings: the record's option flag bits.
const int kHostSelectedFlags = 1 << kFlagHostSelected, kPlayerSelectFlags = 1 << kFlagPlayerSelect;

// Text is what a chat or an editor holds: no NUL and no control character but tab and the
// line breaks.
bool IsText(std::string_view text) {
    for (unsigned char c : text) {
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n')
            return false;
    }
    return true;
}

} // namespace

std::string WriteGameSetText(const CShipData& form, int difficulty) {
    PlayValues play;
    play.title = form.m_strGameSet;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        play.ships[slot] = form.m_strShip[slot];
        play.positions[slot] = LetterToPosition(form.m_strPos[slot]);
    }
    play.flags = (form.m_bHostSelected ? kHostSelectedFlags : 0) |
                 (form.m_bPlayerSelect ? kPlayerSelectFlags : 0);
    play.difficulty = difficulty;
    std::string text;
    for (const auto& [section, keys] :
         {std::make_pair(kScriptsSection, ScriptsKeyValues(play)),
          std::make_pair(kGameSettingsSection, GameSettingsKeyValues(play))}) {
        text += std::string("[") + section + "]\r\n";
        for (const auto& [key, value] : keys)
            text += std::string(key) + "=" + OneLine(value) + "\r\n";
    }
    return text;
}

GameSetTextFault ReadGameSetText(std::string_view text, CShipData& record, int& difficulty) {
    if (text.size() > kMaxGameSetText)
        return GameSetTextFault::TooLarge;
    if (!IsText(text))
        return GameSetTextFault::NotText;
    const IniText ini(text);
    const IniSection* set = ini.Section(kScriptsSection);
    if (set == nullptr)
        return GameSetTextFault::NoSection;

    auto value = [](const IniSection* section, const char* key) {
        const std::string* found = section ? section->Find(key) : nullptr;
        return found ? *found : std::string();
    };
    CShipData read;
    read.m_strTitle = read.m_strGameSet = value(set, kTitleKey);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        read.m_strShip[slot] = value(set, kSlots[slot].shipKey);
        read.m_bSlot[slot] = read.m_strShip[slot].empty() ? 0 : 1;
        const std::string position(Unquoted(value(set, kSlots[slot].posKey)));
        if (!position.empty())
            read.m_strPos[slot] = PositionToLetter(TruncatedNumber(position.c_str()));
    }
    // Both options set read as HOST SELECTED, as at start-up.
    const int flags = IntegerNumber(std::string(Unquoted(value(set, kFlagsKey))).c_str());
    read.m_bHostSelected = (flags & kHostSelectedFlags) ? 1 : 0;
    read.m_bPlayerSelect = !read.m_bHostSelected && (flags & kPlayerSelectFlags) ? 1 : 0;
    // A game's own scripts.ini has no difficulty: the form keeps its own then.
    const IniSection* game = ini.Section(kGameSettingsSection);
    const std::string level(Unquoted(value(game, kDifficultyKey)));

    record = read;
    if (game != nullptr)
        difficulty = level.empty() ? -1 : TruncatedNumber(level.c_str());
    return GameSetTextFault::None;
}

const char* GameSetTextFaultText(GameSetTextFault fault) {
    switch (fault) {
    case GameSetTextFault::TooLarge:
        return "it is larger than 64 KB, far more than a game set";
    case GameSetTextFault::NotText:
        return "it is not text";
    case GameSetTextFault::NoSection:
        return "it holds no [Mul_Kestrine] section";
    case GameSetTextFault::None:
        break;
    }
    return "";
}
