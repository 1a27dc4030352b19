// Why PLAY cannot reach the game's files, as Kestrine finds them at start-up.
#pragma once

#include <cstddef>

// The game's key under HKEY_LOCAL_MACHINE, whose value Directory names its folder, and where the
// two settings files live inside that folder.
constexpr const char* kGameRegistryKey = "Software\\Brellix\\Ostravane";
constexpr const char* kScriptsFolder = "Assets\\Scripts\\";
constexpr const char* kScriptsFileName = "scripts.ini";
constexpr const char* kGameSettingsFileName = "gvx.ini";
// The longest path of a file that Windows opens without the long-path prefix: MAX_PATH less
// its terminating NUL.
constexpr size_t kLongestFilePath = 259;

enum class GameFiles {
    Ready,
    NotInstalled, // no registry value names the game's folder
    BadRegistry,  // the registry value is there but could not be read as a folder
    TooLong,      // the folder is too long for the path of its scripts.ini
    NoScripts,    // the folder named holds no Assets\Scripts\scripts.ini
    Unreadable,   // scripts.ini is there but cannot be read (held, a folder, not a settings file)
    ReadOnly,     // a settings file is read-only
    AdminOnly,    // Windows lets only administrators change a settings file
};
