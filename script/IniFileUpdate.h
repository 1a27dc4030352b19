// Changing keys of the game's settings files as a whole.  A file is either updated completely
// or left byte for byte as it was, and keeps what the game and the user gave it: its encoding
// and byte-order mark, its attributes, a link standing in its place, other programs' handles.
#pragma once

#include "script/PlayValues.h"

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

// One settings file's update in two steps, so that several files change together: Prepare
// makes the updated contents and checks them through the profile functions, as the game will
// read them, before anything is changed; Commit puts them in place; Undo puts the original
// back after a Commit.  Each returns the platform's code, 0 for success.
class CIniFileUpdate {
public:
    // Line breaks in values become blanks.
    CIniFileUpdate(std::string file, const char* section, KeyValues values);
    ~CIniFileUpdate();
    CIniFileUpdate(const CIniFileUpdate&) = delete;
    CIniFileUpdate& operator=(const CIniFileUpdate&) = delete;

    DWORD Prepare();
    DWORD Commit();
    DWORD Undo();

private:
    struct State;
    std::unique_ptr<State> m_state;
};
