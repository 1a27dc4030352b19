#include "script/SetupCheck.h"

#include "script/PositionCodec.h"

#include <cstdint>
#include <string_view>

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

bool IsQuoted(std::string_view ship) {
    return ship.size() >= 3 && ship.front() == '"' && ship.back() == '"';
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

// One rule for one slot: whether the slot breaks it, and what the host is told.
struct SlotRule {
    SetupRule rule;
    bool (*broken)(std::string_view ship, const std::string& position);
    const char* says;
};

const SlotRule kSlotRules[] = {
    {SetupRule::Quotes, [](std::string_view ship, const std::string&) { return !IsQuoted(ship); },
     "the ship needs double quotation marks, as \"N-QRF\""},
    {SetupRule::Designation,
     [](std::string_view ship, const std::string&) {
         return IsQuoted(ship) && !IsDesignation(ship.substr(1, ship.size() - 2));
     },
     "the ship is no designation: capital letters and digits joined by hyphens, as \"N-QRF\""},
    {SetupRule::Position,
     [](std::string_view, const std::string& position) {
         return LetterToPosition(position) == kNoPosition;
     },
     "the ship needs a start position, a letter from G to Z"},
};

} // namespace

std::vector<SetupProblem> CheckSetup(const SetupForm& form) {
    std::vector<SetupProblem> problems;
    int firstAt[kPositionCount];
    for (int& slot : firstAt)
        slot = -1;
    for (int slot = 0; slot < kSlotCount; ++slot) {
        const std::string_view ship = Trimmed(form.ships[slot]);
        if (ship.empty())
            continue;
        for (const SlotRule& rule : kSlotRules) {
            if (rule.broken(ship, form.positions[slot]))
                problems.push_back(
                    {rule.rule, slot, std::string(kSlots[slot].name) + ": " + rule.says + "."});
        }
        const int position = LetterToPosition(form.positions[slot]);
        if (position == kNoPosition)
            continue;
        if (firstAt[position] >= 0)
            problems.push_back({SetupRule::SharedPosition, slot,
                                std::string(kSlots[slot].name) + ": the ship starts at " +
                                    PositionToLetter(position) + " like " +
                                    kSlots[firstAt[position]].name +
                                    "; each needs a position of its own."});
        else
            firstAt[position] = slot;
    }
    if (!form.optionChosen)
        problems.push_back({SetupRule::Option, -1, "Choose HOST SELECTED or PLAYER SELECT."});
    return problems;
}

std::string CheckLine(const std::vector<SetupProblem>& problems, const std::string& code) {
    std::string line;
    if (problems.empty())
        line = "Ready for the game.";
    else
        line = std::to_string(problems.size()) +
               (problems.size() == 1 ? " problem. " : " problems. ") + problems[0].text;
    return line + " Code " + code;
}

std::string FixedDesignation(const std::string& ship) {
    std::string_view text = Trimmed(ship);
    if (text.empty())
        return ship;
    if (IsQuoted(text))
        text = text.substr(1, text.size() - 2);
    std::string upper(Trimmed(text));
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
