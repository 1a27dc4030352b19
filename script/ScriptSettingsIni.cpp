// Load and Save: the 46 keys of section Mul_Kestrine in their fixed order (title, the 22 ship
// texts, the 22 positions, the option flags), then UIType of gvx.ini.
#include "framework/File.h"
#include "framework/SharedTurn.h"
#include "script/IniFileUpdate.h"
#include "script/IniText.h"
#include "script/ScriptSettings.h"

namespace {

// Every key=value line of a section, values as the file holds them (quotes kept, no cut), as
// the profile functions read it.
IniSection ReadSection(const std::string& file, const char* section) {
    // A buffer that was too small is reported by a length of its size less two.
    std::string buffer(4096, '\0');
    for (;;) {
        DWORD length =
            GetPrivateProfileSectionA(section, &buffer[0], DWORD(buffer.size()), file.c_str());
        if (length + 2 < buffer.size() || buffer.size() >= (1u << 30)) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 2);
    }
    IniSection lines;
    lines.AddLines(buffer);
    return lines;
}

// Why a settings file that is there cannot be read as one: another program holds it to itself,
// it is a folder, or it is no text (a NUL near its start, without UTF-16's byte-order mark).
std::string WhyUnreadable(const std::wstring& file) {
    CFileHandle opened;
    DWORD error = OpenDiskFile(file, GENERIC_READ, kShareAll, opened);
    if (error == ERROR_DIRECTORY_NOT_SUPPORTED)
        return "it is a folder";
    if (error != 0)
        return ErrorText(error);
    char start[4096];
    DWORD read = 0;
    if (!ReadFile(opened.Get(), start, sizeof start, &read, nullptr))
        return ErrorText(GetLastError());
    const std::string_view bytes(start, read);
    if (bytes.compare(0, 2, "\xFF\xFE") != 0 && bytes.find('\0') != std::string_view::npos)
        return "it is not a settings file";
    return std::string();
}

// Long enough for several others' PLAY, each a few dozen milliseconds.
const DWORD kPlayTurnWaitMs = 5000;

} // namespace

// Kestrines writing one game's files take turns, so that both files always come from one set.
std::wstring PlayTurnName(const std::string& gameDirectory) {
    const std::wstring full = FullPathOf(WideText(gameDirectory));
    std::wstring folder(full.size(), L'\0');
    LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, full.c_str(), int(full.size()),
                  &folder[0], int(folder.size()), nullptr, nullptr, 0);
    uint64_t hash = 0xCBF29CE484222325ull;
    for (wchar_t c : folder) {
        hash ^= uint64_t(c);
        hash *= 0x100000001B3ull;
    }
    wchar_t name[64];
    swprintf(name, 64, L"Local\\Kestrine.Play.%016llX", static_cast<unsigned long long>(hash));
    return name;
}

std::string SaveFailureText(const CScriptSettings::SaveFailure& failure, const std::string& file) {
    if (failure.otherKestrine)
        return "another Kestrine is writing the game's files (try again in a moment)";
    const DWORD attributes = GetFileAttributesA(file.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return "the file is read-only (clear Read-only in its Properties)";
    switch (failure.code) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return "another program holds it (close that program, then try again)";
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return "the disk is full (make room on it, then try again)";
    case ERROR_ACCESS_DENIED:
        return "Windows lets only administrators change it (start Kestrine as administrator)";
    default:
        return ErrorText(failure.code);
    }
}

bool CScriptSettings::Load(unsigned long* error) {
    auto fail = [error](DWORD code) {
        if (error != nullptr)
            *error = code;
        return false;
    };
    std::string directory;
    if (DWORD code = GetGameDirectory(directory))
        return fail(code);
    ReadScriptsKeys(ReadSection(directory + kScriptsFolder + kScriptsFileName, kScriptsSection),
                    m_values);
    // No difficulty reads as CAPTAIN, as the game takes it.
    if (!ReadDifficultyKey(ReadSection(directory + kGameSettingsFileName, kGameSettingsSection),
                           m_values.difficulty))
        m_values.difficulty = 0;
    return true;
}

bool CScriptSettings::Save(SaveFailure* failure) const {
    SaveFailure failed;
    auto fail = [&](DWORD code, bool atGameSettings) {
        failed.code = code;
        failed.atGameSettings = atGameSettings;
        if (failure != nullptr)
            *failure = failed;
        return false;
    };
    std::string gameDirectory;
    if (DWORD code = GetGameDirectory(gameDirectory))
        return fail(code, false);

    CSharedTurn turn(PlayTurnName(gameDirectory));
    if (DWORD code = turn.Take(kPlayTurnWaitMs)) {
        failed.otherKestrine = code == ERROR_TIMEOUT;
        return fail(failed.otherKestrine ? ERROR_SHARING_VIOLATION : code, false);
    }
    CIniFileUpdate scripts(gameDirectory + kScriptsFolder + kScriptsFileName, kScriptsSection,
                           ScriptsKeyValues(m_values));
    CIniFileUpdate game(gameDirectory + kGameSettingsFileName, kGameSettingsSection,
                        GameSettingsKeyValues(m_values));
    // Both are made and checked before either file changes; should gvx.ini still fail, the
    // game would otherwise play a new setup at an old difficulty.
    if (DWORD code = scripts.Prepare())
        return fail(code, false);
    if (DWORD code = game.Prepare())
        return fail(code, true);
    if (DWORD code = scripts.Commit())
        return fail(code, false);
    if (DWORD code = game.Commit()) {
        scripts.Undo();
        return fail(code, true);
    }
    return true;
}

GameFiles CScriptSettings::CheckFiles(std::string& path, std::string* why) const {
    std::string game;
    if (const DWORD error = GetGameDirectory(game)) {
        if (error == ERROR_FILENAME_EXCED_RANGE) {
            path = game;
            return GameFiles::TooLong;
        }
        if (error == ERROR_FILE_NOT_FOUND)
            return GameFiles::NotInstalled;
        if (why != nullptr)
            *why = ErrorText(error);
        return GameFiles::BadRegistry;
    }
    path = game;
    const std::wstring scriptsFile = WideText(game + kScriptsFolder + kScriptsFileName);
    if (GetFileAttributesW(scriptsFile.c_str()) == INVALID_FILE_ATTRIBUTES)
        return GameFiles::NoScripts;
    const std::string unreadable = WhyUnreadable(scriptsFile);
    if (!unreadable.empty()) {
        path = CodePageText(scriptsFile);
        if (why != nullptr)
            *why = unreadable;
        return GameFiles::Unreadable;
    }
    for (const std::wstring& file : {scriptsFile, WideText(game + kGameSettingsFileName)}) {
        const DWORD attributes = GetFileAttributesW(file.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            continue; // made by PLAY where it is missing
        path = CodePageText(file);
        if (attributes & FILE_ATTRIBUTE_READONLY)
            return GameFiles::ReadOnly;
        // Opened for writing and closed at once: nothing is written.
        CFileHandle writable(CreateFileW(file.c_str(), GENERIC_WRITE, kShareAll, nullptr,
                                         OPEN_EXISTING, 0, nullptr));
        if (!writable.IsOpen() && GetLastError() == ERROR_ACCESS_DENIED)
            return GameFiles::AdminOnly;
    }
    return GameFiles::Ready;
}
