// What the game will not use of a setup, by the rules its help gives: a ship stands in double
// quotation marks, its designation is capital letters and digits in hyphen-joined parts, every
// ship has a start position of its own, the setup has an option and an AI difficulty the game
// knows.  Plain C++, so that it runs on every edit.
#pragma once

#include "script/GameFiles.h"
#include "script/PlayValues.h"

#include <string>
#include <vector>

// The box that a problem marks on the form: its slot's ship or position box, or the
// difficulty box.
enum class SetupMark { None, ShipBox, PositionBox, DifficultyBox };

struct SetupProblem {
    SetupMark mark;
    int slot;         // the slot it concerns, -1 for the whole setup
    std::string text; // for the host: "P2: the ship needs double quotation marks, as "N-QRF"."
};

// Every problem, slot by slot in the form's order (the slots with a ship only), then the
// option and the difficulty.
std::vector<SetupProblem> CheckSetup(const PlayValues& setup);

// Whether any slot names a ship (blanks alone name none).
bool HasAnyShip(const PlayValues& setup);

// The difficulty's problem where the host typed text that names none of the game's
// difficulties, naming what was typed.
SetupProblem UnknownDifficulty(const std::string& typed);

// The problem to put first on the check line; `path` is the folder or the file concerned.
SetupProblem GameFilesProblem(GameFiles state, const std::string& path,
                              const std::string& why = std::string());

// The problems before the code on the check line: "Ready for the game.", one problem, or
// their count (and the slots they are in, where a slot has more than one) with the first, and
// where to find the rest.
std::string CheckSummary(const std::vector<SetupProblem>& problems);
// The check line: the summary, then the set's code ("Code 7KQ-2MX").
std::string CheckLine(const std::vector<SetupProblem>& problems, const std::string& code);

// The ship text as a designation where it can be one ("n-qrf", "''n-qrf''" and "'n-qrf'" are
// "\"N-QRF\""); otherwise the text as it is.
std::string FixedDesignation(const std::string& ship);

// A short code of a game-set text, the same on every machine for the same setup: the first 30
// bits of its FNV-1a 64 hash in six characters of 0-9 and A-Z without I, L, O and U, as
// "7KQ-2MX".
std::string SetupCode(const std::string& gameSetText);
