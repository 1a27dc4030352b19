#include "app/CommandLine.h"

#include "framework/ConsoleOutput.h"
#include "framework/ExceptionText.h"
#include "framework/File.h"
#include "library/GameSetFiles.h"
#include "library/GameSetLibrary.h"
#include "script/ScriptSettings.h"
#include "script/SetupCheck.h"
#include "version.h"

#include <cwctype>

namespace {

const wchar_t kUsage[] =
    L"Kestrine " KESTRINE_VERSION_TEXT L" sets up a skirmish of Ostravane.\r\n"
    L"\r\n"
    L"  kestrine.exe [FILE]              opens the form (and imports the game set FILE)\r\n"
    L"  kestrine.exe /play FILE          hands the game set FILE to the game, as PLAY does\r\n"
    L"  kestrine.exe /check [FILE]       the problems and the code of FILE, or of what the\r\n"
    L"                                   game will play\r\n"
    L"  kestrine.exe /list               the titles of the library in this folder\r\n"
    L"  kestrine.exe /export TITLE FILE  writes the stored game set TITLE into FILE\r\n"
    L"  kestrine.exe /?                  this text\r\n"
    L"\r\n"
    L"Options may also start with - or --.  Exit codes: 0 done, 1 the set has problems\r\n"
    L"(/check), 2 bad command line, 3 the set cannot be read or is refused, 4 the game was not\r\n"
    L"found or its files cannot be read, 5 writing failed (nothing changed), 6 an unexpected\r\n"
    L"fault stopped the command.";

// An empty argument, or one starting with / or -, is an option (a bare "/" or "--" a bad one);
// anything else is a file, for the form to import.
bool IsOption(const std::wstring& argument) {
    return argument.empty() || argument[0] == L'/' || argument[0] == L'-';
}

std::wstring Lowered(std::wstring text) {
    for (wchar_t& c : text)
        c = wchar_t(std::towlower(c));
    return text;
}

// "/PLAY", "-play" and "--play" are "play"; anything else is empty.
std::wstring OptionName(const std::wstring& argument) {
    size_t start = 0;
    if (argument.compare(0, 2, L"--") == 0)
        start = 2;
    else if (!argument.empty() && (argument[0] == L'/' || argument[0] == L'-'))
        start = 1;
    if (start == 0)
        return std::wstring();
    return Lowered(argument.substr(start));
}

// A text as a terminal may show it: control characters (a line break, a tab, an escape that
// a terminal would obey) spelt out as \r, \n, \t or \xHH.
std::wstring Printable(const std::wstring& text) {
    std::wstring shown;
    for (wchar_t c : text) {
        if (c >= 0x20 && c != 0x7F) {
            shown += c;
            continue;
        }
        const wchar_t* named = c == L'\r'   ? L"\\r"
                               : c == L'\n' ? L"\\n"
                               : c == L'\t' ? L"\\t"
                                            : nullptr;
        wchar_t hex[8];
        swprintf(hex, 8, L"\\x%02X", unsigned(c));
        shown += named ? named : hex;
    }
    return shown;
}

std::wstring Quoted(const std::string& text) {
    return L"\"" + Printable(WideText(text)) + L"\"";
}

std::wstring WithoutSeparator(std::string folder) {
    if (folder.size() > 3 && folder.back() == '\\')
        folder.pop_back();
    return WideText(folder);
}

// The library in the working folder, as the form names it.
std::wstring LibraryPath() {
    return FullPathOf(WideText(kLibraryFileName));
}

std::wstring CodeOf(const PlayValues& setup) {
    return WideText(SetupCodeOf(setup));
}

// One run of a command: what it says, and its result.
class CCommand {
public:
    int Run(const std::vector<std::wstring>& arguments);
    int Unexpected(const std::string& what) {
        return Fail(kUnexpected, L"Kestrine stopped on an unexpected fault: " + WideText(what) +
                                     L". What it was doing may be unfinished.");
    }
    int Play(const std::wstring& file);
    int Check(const std::wstring* file);
    int List();
    int Export(const std::wstring& title, const std::wstring& file);
    int Usage() {
        m_output.Out(kUsage);
        return Said(kDone);
    }
    // A bad command line: what was wrong, and where the usage is.
    int BadCommandLine(const std::wstring& what) {
        return Fail(kBadCommandLine, what + L"\r\nkestrine.exe /? shows the usage.");
    }

private:
    int Fail(int result, const std::wstring& why) {
        m_output.Failure(why);
        return result;
    }
    // The game's folder; false (said) where the game is not found.
    bool FindGame(std::string& directory);
    // The game's setup now, as start-up reads it; false (said) where the game is not found.
    bool LoadGame(bool sayWhy);
    // The game's difficulty now; -1 where the game is not found.
    int GameDifficulty() { return LoadGame(false) ? theScriptSettings.GetDifficulty() : -1; }
    void SayGameNotFound(unsigned long error);
    // A game set's file, at the difficulty the game has now where the set holds none.
    bool ReadSet(const std::wstring& file, PlayValues& values);
    bool ReadLibrary(GameSetMap& sets);
    // The command's result, unless its output could not be written.
    int Said(int result) {
        if (DWORD error = m_output.OutError())
            return Fail(kWriteFailed, L"Kestrine could not write its output: " +
                                          WideText(ErrorText(error)) + L".");
        return result;
    }

    CConsoleOutput m_output;
};

// Said as the form's check line says it: a value that is there is never called missing.
void CCommand::SayGameNotFound(unsigned long error) {
    std::string path, why;
    GameFiles state = theScriptSettings.CheckFiles(path, &why);
    if (state == GameFiles::Ready || state == GameFiles::NoScripts)
        state = GameFiles::NotInstalled; // gone since: said as it was found
    m_output.Failure(WideText(GameFilesProblem(state, path, why).text) + L" (error " +
                     std::to_wstring(error) + L")");
}

// A folder without the game's scripts.ini is no game either, as the form says.
bool CCommand::FindGame(std::string& directory) {
    const unsigned long error = theScriptSettings.GetGameDirectory(directory);
    if (error != 0) {
        SayGameNotFound(error);
        return false;
    }
    std::string path, why;
    const GameFiles state = theScriptSettings.CheckFiles(path, &why);
    if (state == GameFiles::NoScripts || state == GameFiles::Unreadable) {
        m_output.Failure(WideText(GameFilesProblem(state, path, why).text));
        return false;
    }
    return true;
}

bool CCommand::LoadGame(bool sayWhy) {
    unsigned long error = 0;
    const bool found = theScriptSettings.Load(&error);
    if (!found && sayWhy)
        SayGameNotFound(error);
    return found;
}

// A game's own scripts.ini holds no difficulty: such a set is played at the game's.
bool CCommand::ReadSet(const std::wstring& file, PlayValues& values) {
    GameSetRead read;
    const std::wstring why = ReadGameSetFile(file, read);
    if (!why.empty()) {
        m_output.Failure(L"Kestrine cannot read a game set from " + file + L": " + why + L".");
        return false;
    }
    if (!read.unknownDifficulty.empty())
        m_output.Error(L"Warning: UIType=" + Printable(WideText(read.unknownDifficulty)) + L" in " +
                       file +
                       L" is not a difficulty the game knows; the game's own difficulty stays.");
    values = read.difficulty ? read.values : read.WithDifficulty(GameDifficulty());
    return true;
}

int CCommand::Play(const std::wstring& file) {
    std::string game;
    if (!FindGame(game))
        return kGameNotFound;
    PlayValues read;
    if (!ReadSet(file, read))
        return kSetRefused;
    // As the form would show the set imported, and so as the game and the next start read it
    // back: the code printed is the code of what the game holds.
    const PlayValues setup = AsTheFormShows(read);
    if (setup.flags == 0)
        return Fail(kSetRefused, L"Kestrine did not play the game set " + file +
                                     L": it has no setup option; choose HOST SELECTED or PLAYER "
                                     L"SELECT. Nothing was changed.");
    for (const SetupProblem& problem : CheckSetup(setup))
        m_output.Error(L"Warning: " + WideText(problem.text));
    theScriptSettings.SetValues(setup);
    CScriptSettings::SaveFailure failure;
    if (!theScriptSettings.Save(&failure)) {
        const std::string file =
            game + (failure.atGameSettings ? kGameSettingsFileName
                                           : std::string(kScriptsFolder) + kScriptsFileName);
        return Fail(kWriteFailed, L"Kestrine could not write " + WideText(file) + L": " +
                                      WideText(SaveFailureText(failure, file)) +
                                      L". Nothing was changed.");
    }
    m_output.Out(L"Played " + Quoted(setup.title) + L" (code " + CodeOf(setup) + L") into " +
                 WithoutSeparator(game) + L".");
    return kDone;
}

int CCommand::Check(const std::wstring* file) {
    PlayValues setup;
    if (file != nullptr) {
        PlayValues read;
        if (!ReadSet(*file, read))
            return kSetRefused;
        setup = AsTheFormShows(read);
    } else {
        std::string game;
        if (!FindGame(game) || !LoadGame(true))
            return kGameNotFound;
        setup = AsTheFormShows(theScriptSettings.Values());
    }
    const std::vector<SetupProblem> problems = CheckSetup(setup);
    for (const SetupProblem& problem : problems)
        m_output.Out(WideText(problem.text));
    if (problems.empty())
        m_output.Out(WideText(CheckSummary(problems)));
    m_output.Out(L"Code " + CodeOf(setup));
    return Said(problems.empty() ? kDone : kSetHasProblems);
}

// The library in the working folder, read as one version and left as it is (a damaged one is
// not set aside: that is the form's to do, where the user sees it).
bool CCommand::ReadLibrary(GameSetMap& sets) {
    const std::wstring path = LibraryPath();
    std::string bytes;
    const DWORD error = ReadLibraryFile(path, bytes);
    if (error == ERROR_FILE_NOT_FOUND)
        return true; // nothing stored yet
    LibraryDamage damage;
    if (error == 0)
        sets = ReadLibraryStream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                                 &damage);
    if (error == 0 && !damage.damaged)
        return true;
    m_output.Failure(L"The game-set library " + path +
                     (error != 0 ? L" could not be read: " + WideText(ErrorText(error))
                                 : std::wstring(L" is damaged; start Kestrine's window to keep "
                                                L"what it still holds")) +
                     L".");
    return false;
}

int CCommand::List() {
    GameSetMap sets;
    if (!ReadLibrary(sets))
        return kSetRefused;
    int listed = 0;
    for (const auto& entry : sets) {
        if (entry.second->m_strTitle.empty())
            continue; // a deleted set keeps its key, not its title
        m_output.Out(Printable(WideText(entry.second->m_strTitle)));
        ++listed;
    }
    if (listed == 0) // said apart from the list, which stays empty for a script
        m_output.Error(L"The game-set library " + LibraryPath() +
                       L" holds no game sets yet: SAVE in Kestrine's window stores one.");
    return Said(kDone);
}

int CCommand::Export(const std::wstring& title, const std::wstring& file) {
    GameSetMap sets;
    if (!ReadLibrary(sets))
        return kSetRefused;
    bool lost = false;
    const std::string key = CodePageText(title, &lost);
    auto found = lost ? sets.end() : sets.find(key);
    if (found != sets.end() && found->second->m_strTitle.empty())
        found = sets.end(); // deleted: the title stays as a key, blanked
    if (found == sets.end())
        return Fail(kSetRefused, L"No stored game set is titled \"" + Printable(title) + L"\".");
    // As the form shows the chosen set, at the difficulty the game has now.
    const CShipData& record = *found->second;
    const PlayValues setup = PlayValuesOf(record, GameDifficulty());
    bool isLibrary = false;
    const std::wstring failed =
        ExportGameSetFile(file, WriteGameSetText(setup), LibraryPath(), isLibrary);
    if (!failed.empty())
        return Fail(isLibrary ? kSetRefused : kWriteFailed, failed);
    m_output.Out(L"Exported " + Quoted(record.m_strTitle) + L" to " + file + L".");
    return kDone;
}

} // namespace

int RunCommand(const std::vector<std::wstring>& arguments) {
    CCommand command;
    try {
        return command.Run(arguments);
    } catch (...) {
        return command.Unexpected(ExceptionText(std::current_exception()));
    }
}

namespace {

// The commands and what each takes after it, for the word of a wrong command line.
struct CommandForm {
    const wchar_t* name;
    size_t arguments;
    const wchar_t* takes;
};

const CommandForm kCommands[] = {
    {L"play", 1, L"a game-set FILE"},
    {L"check", 1, L"one FILE at most"},
    {L"list", 0, L"no arguments"},
    {L"export", 2, L"a TITLE and a FILE"},
};

// The command a mistyped option most likely meant: one that starts with it, or differs from it
// in one letter, one letter more or less, or two neighbours swapped.
const wchar_t* Meant(const std::wstring& name) {
    for (const CommandForm& command : kCommands) {
        const std::wstring known = command.name;
        if (!name.empty() && known.compare(0, name.size(), name) == 0)
            return command.name;
        size_t front = 0, back = 0;
        while (front < name.size() && front < known.size() && name[front] == known[front])
            ++front;
        while (back < name.size() - front && back < known.size() - front &&
               name[name.size() - 1 - back] == known[known.size() - 1 - back])
            ++back;
        const size_t left = name.size() - front - back, leftKnown = known.size() - front - back;
        const bool swapped = left == 2 && leftKnown == 2 && name[front] == known[front + 1] &&
                             name[front + 1] == known[front];
        if (swapped || (left <= 1 && leftKnown <= 1))
            return command.name;
    }
    return nullptr;
}

} // namespace

// A command word without its slash that names no file ("kestrine.exe list").
bool IsCommandWord(const std::wstring& argument) {
    const std::wstring name = Lowered(argument);
    for (const CommandForm& command : kCommands) {
        if (name == command.name)
            return GetFileAttributesW(argument.c_str()) == INVALID_FILE_ATTRIBUTES;
    }
    return false;
}

int CCommand::Run(const std::vector<std::wstring>& arguments) {
    const std::wstring& first = arguments.at(0);
    const size_t given = arguments.size() - 1;
    if (!IsOption(first))
        return BadCommandLine(Printable(first) + L" is no file here: did you mean /" +
                              OptionName(L"/" + first) + L"?");
    const std::wstring name = OptionName(first);
    if (name == L"?" || name == L"help")
        return given == 0 ? Usage() : BadCommandLine(L"/? takes no arguments");
    if (name == L"play" && given == 1)
        return Play(arguments[1]);
    if (name == L"check" && given <= 1)
        return Check(given == 1 ? &arguments[1] : nullptr);
    if (name == L"list" && given == 0)
        return List();
    if (name == L"export" && given == 2)
        return Export(arguments[1], arguments[2]);
    for (const CommandForm& command : kCommands) {
        if (name == command.name)
            return BadCommandLine(L"/" + name +
                                  (given < command.arguments
                                       ? L" needs " + std::wstring(command.takes) + L"."
                                       : L" takes " + std::wstring(command.takes) + L", not " +
                                             std::to_wstring(given) + L"."));
    }
    if (name.empty())
        return BadCommandLine(first.empty() ? L"The first argument is empty."
                                            : L"\"" + first + L"\" names no option.");
    const wchar_t* meant = Meant(name);
    return BadCommandLine(L"Unknown option " + Printable(first) +
                          (meant ? L" (did you mean /" + std::wstring(meant) + L"?)." : L"."));
}

bool IsCommand(const std::vector<std::wstring>& arguments) {
    return !arguments.empty() && (IsOption(arguments[0]) || IsCommandWord(arguments[0]));
}
