#include "library/GameSetText.h"

#include "script/IniText.h"
#include "script/ScriptSettings.h"

namespace {

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

std::string WriteGameSetText(const PlayValues& values) {
    std::string text;
    for (const auto& [section, keys] :
         {std::make_pair(kScriptsSection, ScriptsKeyValues(values)),
          std::make_pair(kGameSettingsSection, GameSettingsKeyValues(values))}) {
        text += std::string("[") + section + "]\r\n";
        for (const auto& [key, value] : keys)
            text += std::string(key) + "=" + OneLine(value) + "\r\n";
    }
    return text;
}

GameSetTextFault ReadGameSetText(std::string_view text, PlayValues& values) {
    if (text.size() > kMaxGameSetText)
        return GameSetTextFault::TooLarge;
    if (!IsText(text))
        return GameSetTextFault::NotText;
    const IniText ini(text);
    const IniSection* set = ini.Section(kScriptsSection);
    if (set == nullptr)
        return GameSetTextFault::NoSection;
    ReadScriptsKeys(*set, values);
    // A game's own scripts.ini has no difficulty: the form keeps its own then.
    if (const IniSection* game = ini.Section(kGameSettingsSection)) {
        if (!ReadDifficultyKey(*game, values.difficulty))
            values.difficulty = -1;
    }
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
