#include "script/SetupCheck.h"

#include "script/IniRules.h"
#include "script/PositionCodec.h"

#include <cstdint>
#include <cstring>
#include <string_view>

namespace {

// A ship as the game reads it: without the blanks around it.
std::string_view ShipOf(const PlayValues& setup, int slot) {
    return TrimIniBlanks(std::string_view(setup.ships[slot]));
}

bool HasPosition(const PlayValues& setup, int slot) {
    return !PositionToLetter(setup.positions[slot]).empty();
}

bool IsQuoted(std::string_view ship) {
    return ship.size() >= 3 && ship.front() == '"' && ship.back() == '"';
}

// The text inside `mark` at both ends of `ship` (two apostrophes, as the help writes them, one
// apostrophe, or a double quotation mark), or null where it does not stand in it.
bool Inside(std::string_view ship, std::string_view mark, std::string_view& inside) {
    if (ship.size() < 2 * mark.size() + 1 || ship.substr(0, mark.size()) != mark ||
        ship.substr(ship.size() - mark.size()) != mark)
        return false;
    inside = ship.substr(mark.size(), ship.size() - 2 * mark.size());
    return true;
}

// What is wrong with the marks around a ship, for the host: empty where it is quoted.
std::string QuotesProblem(std::string_view ship) {
    std::string_view inside;
    if (IsQuoted(ship))
        return "";
    if (ship == "\"\"")
        return "the ship's designation is empty: type it between the quotation marks, as "
               "\"N-QRF\"";
    if (Inside(ship, "''", inside))
        return "use double quotation marks, not two apostrophes, as \"N-QRF\"";
    if (ship.front() == '"' && ship.find('"', 1) != std::string_view::npos)
        return "there is text after the closing quotation mark; the ship ends with it, as "
               "\"N-QRF\"";
    if (ship.front() == '"')
        return "the closing quotation mark is missing, as in \"N-QRF\"";
    if (ship.back() == '"')
        return "the opening quotation mark is missing, as in \"N-QRF\"";
    return "the ship needs double quotation marks, as \"N-QRF\"";
}

// Capital letters and digits in parts joined by hyphens, at least two parts.
bool IsDesignation(std::string_view text) {
    int parts = 0;
    size_t partLength = 0;
    for (char c : text) {
        if (c == '-') {
            if (partLength == 0)
                return false;
            ++parts;
            partLength = 0;
        } else if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) {
            ++partLength;
        } else {
            return false;
        }
    }
    return partLength > 0 && parts + 1 >= 2;
}

// The first slot before `slot` whose ship starts where this one does; -1 for none.
int SlotSharingPosition(const PlayValues& setup, int slot) {
    for (int earlier = 0; earlier < slot; ++earlier) {
        if (!ShipOf(setup, earlier).empty() && HasPosition(setup, earlier) &&
            setup.positions[earlier] == setup.positions[slot])
            return earlier;
    }
    return -1;
}

// One rule: the box it marks and what the host is told where the setup breaks it (without the
// slot's name and the full stop), or an empty text where it holds.  A rule of a slot is checked
// for every slot with a ship; a rule without a slot once.
struct RuleRow {
    SetupMark mark;
    bool ofSlot;
    std::string (*broken)(const PlayValues& setup, int slot);
};

const RuleRow kRules[] = {
    {SetupMark::ShipBox, true,
     [](const PlayValues& setup, int slot) { return QuotesProblem(ShipOf(setup, slot)); }},
    {SetupMark::ShipBox, true,
     [](const PlayValues& setup, int slot) -> std::string {
         const std::string_view ship = ShipOf(setup, slot);
         if (!IsQuoted(ship) || IsDesignation(ship.substr(1, ship.size() - 2)))
             return "";
         return "a designation is capital letters and digits in two or more parts joined by "
                "hyphens, as \"N-QRF\"";
     }},
    {SetupMark::PositionBox, true,
     [](const PlayValues& setup, int slot) -> std::string {
         return HasPosition(setup, slot) ? ""
                                         : "the ship needs a start position, a letter from G to Z";
     }},
    {SetupMark::PositionBox, true,
     [](const PlayValues& setup, int slot) -> std::string {
         const int first = HasPosition(setup, slot) ? SlotSharingPosition(setup, slot) : -1;
         if (first < 0)
             return "";
         return "the ship starts at " + PositionToLetter(setup.positions[slot]) + " like " +
                kSlots[first].name + "; each needs a position of its own";
     }},
    // Under PLAYER SELECT the players bring their ships; otherwise a setup needs one.
    {SetupMark::None, false,
     [](const PlayValues& setup, int) -> std::string {
         if ((setup.flags & FlagValue(kFlagPlayerSelect)) || HasAnyShip(setup))
             return "";
         return "No ship is in the setup: tick a slot and type its ship, as \"N-QRF\"";
     }},
    {SetupMark::None, false,
     [](const PlayValues& setup, int) -> std::string {
         return setup.flags & (FlagValue(kFlagHostSelected) | FlagValue(kFlagPlayerSelect))
                    ? ""
                    : "Choose HOST SELECTED or PLAYER SELECT";
     }},
    // Typed into the box, a difficulty the game does not know reaches its files as -1.
    {SetupMark::DifficultyBox, false,
     [](const PlayValues& setup, int) -> std::string {
         return IsKnownDifficulty(setup.difficulty)
                    ? ""
                    : "AI DIFFICULTY: choose CAPTAIN, COMMODORE or ADMIRAL";
     }},
};

} // namespace

std::vector<SetupProblem> CheckSetup(const PlayValues& setup) {
    std::vector<SetupProblem> problems;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (ShipOf(setup, slot).empty())
            continue;
        for (const RuleRow& row : kRules) {
            if (!row.ofSlot)
                continue;
            const std::string says = row.broken(setup, slot);
            if (!says.empty())
                problems.push_back(
                    {row.mark, slot, std::string(kSlots[slot].name) + ": " + says + "."});
        }
    }
    for (const RuleRow& row : kRules) {
        if (row.ofSlot)
            continue;
        const std::string says = row.broken(setup, -1);
        if (!says.empty())
            problems.push_back({row.mark, -1, says + "."});
    }
    return problems;
}

bool HasAnyShip(const PlayValues& setup) {
    for (int slot = 0; slot < kSlotCount; ++slot) {
        if (!ShipOf(setup, slot).empty())
            return true;
    }
    return false;
}

SetupProblem UnknownDifficulty(const std::string& typed) {
    return {SetupMark::DifficultyBox, -1,
            "AI DIFFICULTY: \"" + typed +
                "\" is not a difficulty the game knows; choose CAPTAIN, COMMODORE or ADMIRAL."};
}

namespace {

std::string GameFilesText(GameFiles state, const std::string& path, const std::string& why) {
    const std::string key =
        std::string("the registry value Directory of HKEY_LOCAL_MACHINE\\") + kGameRegistryKey;
    const std::string scripts = std::string(kScriptsFolder) + kScriptsFileName;
    switch (state) {
    case GameFiles::NotInstalled:
        return "Ostravane was not found: " + key +
               " is missing. Install the game, or see the "
               "README.";
    case GameFiles::BadRegistry:
        return "Ostravane was not found: " + key + " could not be read as a folder (" + why +
               "). Reinstall the game, or see the README.";
    case GameFiles::TooLong:
        return "Ostravane's folder " + path + " is too long: its " + scripts +
               " would have a path of " + std::to_string(path.size() + scripts.size()) +
               " characters, and Windows allows " + std::to_string(kLongestFilePath) +
               ". Move the game to a shorter folder, or see the README.";
    case GameFiles::NoScripts:
        return "Ostravane was not found in " + path + ": it has no " + scripts + ". Check " + key +
               ", or see the README.";
    case GameFiles::Unreadable:
        return path + " cannot be read (" + why +
               "): the form does not show the game's setup. "
               "Close the program that holds the file, or "
               "see the README.";
    case GameFiles::ReadOnly:
        return "PLAY cannot change " + path +
               ": the file is read-only. Clear Read-only in its Properties.";
    case GameFiles::AdminOnly:
        return "PLAY cannot change " + path +
               ": Windows lets only administrators change files "
               "there. Start Kestrine as administrator.";
    case GameFiles::Ready:
        break;
    }
    return std::string();
}

} // namespace

SetupProblem GameFilesProblem(GameFiles state, const std::string& path, const std::string& why) {
    return {SetupMark::None, -1, GameFilesText(state, path, why)};
}

std::string CheckSummary(const std::vector<SetupProblem>& problems) {
    if (problems.empty())
        return "Ready for the game.";
    if (problems.size() == 1)
        return "1 problem. " + problems[0].text;
    // A slot with two problems is one slot to mend: where every problem is a slot's, the
    // slots are counted too.
    bool inSlots[kSlotCount] = {};
    int slots = 0;
    bool allInSlots = true;
    for (const SetupProblem& problem : problems) {
        allInSlots = allInSlots && problem.slot >= 0;
        if (problem.slot >= 0 && !inSlots[problem.slot]) {
            inSlots[problem.slot] = true;
            ++slots;
        }
    }
    std::string count = std::to_string(problems.size()) + " problems";
    if (allInSlots && slots < int(problems.size()))
        count += " in " + std::to_string(slots) + (slots == 1 ? " slot" : " slots");
    return count + ", listed under Show setup problems. " + problems[0].text;
}

std::string CheckLine(const std::vector<SetupProblem>& problems, const std::string& code) {
    return CheckSummary(problems) + " Code " + code;
}

std::string FixedDesignation(const std::string& ship) {
    std::string_view text = TrimIniBlanks(std::string_view(ship));
    if (text.empty())
        return ship;
    for (std::string_view mark : {"\"", "''", "'"}) {
        if (Inside(text, mark, text))
            break;
    }
    std::string upper(TrimIniBlanks(text));
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    }
    return IsDesignation(upper) ? "\"" + upper + "\"" : ship;
}

std::string SetupCode(const std::string& gameSetText) {
    uint64_t hash = 0xCBF29CE484222325ull;
    for (unsigned char c : gameSetText) {
        hash ^= c;
        hash *= 0x100000001B3ull;
    }
    static const char kDigits[] = "0123456789ABCDEFGHJKMNPQRSTVWXYZ";
    uint32_t bits = uint32_t(hash >> 34); // the first 30 bits
    std::string code(7, '-');
    for (int i = 6; i >= 0; --i) {
        if (i == 3)
            continue;
        code[size_t(i)] = kDigits[bits & 31];
        bits >>= 5;
    }
    return code;
}
