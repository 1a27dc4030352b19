// What the game will not use of a setup, by the rules its help gives: a ship stands in double
// quotation marks, its designation is capital letters and digits in hyphen-joined parts, every
// ship has a start position of its own, and the setup has an option.  Plain C++, so that it
// runs on every edit.
#pragma once

#include "script/PlayValues.h"

#include <string>
#include <vector>

enum class SetupRule { Quotes, Designation, Position, SharedPosition, Option };

// The box of its slot that a problem marks on the form.
enum class SetupMark { None, ShipBox, PositionBox };

struct SetupProblem {
    SetupRule rule;
    SetupMark mark;
    int slot;         // the slot it concerns, -1 for the whole setup
    std::string text; // for the host: "P2: the ship needs double quotation marks, as "N-QRF"."
};

// Every problem, slot by slot in the form's order (the slots with a ship only), the option
// last.
std::vector<SetupProblem> CheckSetup(const PlayValues& setup);

// The check line: "Ready for the game." or the number of problems and the first of them,
// then the set's code.
std::string CheckLine(const std::vector<SetupProblem>& problems, const std::string& code);

// The ship text as a designation where it can be one ("n-qrf" is "\"N-QRF\""); otherwise the
// text as it is.
std::string FixedDesignation(const std::string& ship);

// A short code of a game-set text, the same on every machine for the same setup: the first 30
// bits of its FNV-1a 64 hash in six characters of 0-9 and A-Z without I, L, O and U, as
// "7KQ-2MX".
std::string SetupCode(const std::string& gameSetText);
