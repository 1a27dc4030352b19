// Kestrine's commands without a window: kestrine.exe run as its own process with arguments,
// its output and errors read through pipes, as a script or a launcher runs it.
#include "framework/File.h"
#include "framework/SharedTurn.h"
#include "framework/TextEncoding.h"
#include "library/GameSetText.h"
#include "script/ScriptSettings.h"
#include "script/SetupCheck.h"
#include "support/FormHarness.h"

#include <thread>
#include <utility>

namespace {

const char kSet[] = "[Mul_Kestrine]\r\nGameSet=Team Base Assault\r\nshipP1=\"N-QRE\"\r\n"
                    "shipA1=\"T-MWA\"\r\np1Pos=0\r\na1Pos=5\r\nshipSettings=4\r\n[UI]\r\n"
                    "UIType=2\r\n";

struct Outcome {
    DWORD exitCode = 999;
    std::string out, error; // as the program wrote them (UTF-8)
};

// Everything written to the pipe until its writers close it.
std::string ReadAll(HANDLE pipe) {
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(pipe);
    return bytes;
}

// A run of kestrine.exe under way: its process and the reading ends of its output pipes.
struct Running {
    PROCESS_INFORMATION process{};
    HANDLE out = nullptr, error = nullptr;
};

class CommandLine : public FormTest {
protected:
    // Starts kestrine.exe with these arguments in the working folder; `outClosed` closes its
    // output's reading end first, as a pipe into a program that has ended.
    Running Start(const std::wstring& arguments, bool outClosed = false) {
        SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
        Running run;
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        CreatePipe(&run.out, &startup.hStdOutput, &inherited, 0);
        CreatePipe(&run.error, &startup.hStdError, &inherited, 0);
        SetHandleInformation(run.out, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(run.error, HANDLE_FLAG_INHERIT, 0);
        if (outClosed)
            CloseHandle(std::exchange(run.out, nullptr));
        std::wstring command = L"\"" + WideText(WindowsPathOf(KESTRINE_EXE)) + L"\" " + arguments;
        if (!CreateProcessW(nullptr, &command[0], nullptr, nullptr, TRUE, 0, nullptr,
                            WideText(work.Path()).c_str(), &startup, &run.process))
            run.process = PROCESS_INFORMATION{};
        CloseHandle(startup.hStdOutput); // the pipes end when the program's ends close
        CloseHandle(startup.hStdError);
        return run;
    }
    // Its output and exit code, once it has ended.
    Outcome Finish(Running run) {
        Outcome done;
        done.out = run.out ? ReadAll(run.out) : "";
        done.error = ReadAll(run.error);
        if (run.process.hProcess != nullptr) {
            if (WaitForSingleObject(run.process.hProcess, 30000) != WAIT_OBJECT_0)
                TerminateProcess(run.process.hProcess, 999); // a window would wait for a user
            GetExitCodeProcess(run.process.hProcess, &done.exitCode);
            CloseHandle(run.process.hProcess);
            CloseHandle(run.process.hThread);
        }
        return done;
    }
    Outcome Kestrine(const std::wstring& arguments) { return Finish(Start(arguments)); }
    static std::wstring Argument(const std::string& path) { return L"\"" + WideText(path) + L"\""; }
    std::string CodeOfLine(const std::string& out) {
        const size_t at = out.rfind("Code ");
        return at == std::string::npos ? "" : out.substr(at + 5, 7);
    }
    void SetGame(const std::string& scripts, const std::string& gvx) {
        WriteFileBytes(ScriptsIni(), scripts);
        WriteFileBytes(GvxIni(), gvx);
    }
};

// /play hands the set to the game as PLAY does, warns of the check's other problems, and
// leaves the library alone; /check of the same file gives the same code.
TEST_F(CommandLine, PlayHandsTheSetToTheGame) {
    SetGame("; the game's own comment\r\n[Mul_Kestrine]\r\nGameSet=Old\r\n",
            "[UI]\r\nUIType=0\r\n");
    StoreLibraryFile({});
    const std::string library = ReadFileBytes(LibraryFile());
    WriteFileBytes(work / "set.ini", kSet);
    const Outcome played = Kestrine(L"--Play " + Argument(work / "set.ini"));
    EXPECT_EQ(played.exitCode, 0u) << played.error;
    const Outcome checked = Kestrine(L"/CHECK " + Argument(work / "set.ini"));
    EXPECT_EQ(checked.exitCode, 0u);
    EXPECT_EQ(checked.out, "Ready for the game.\r\nCode " + CodeOfLine(checked.out) + "\r\n");
    std::string folder = game.Path();
    folder.pop_back();
    EXPECT_EQ(played.out, "Played \"Team Base Assault\" (code " + CodeOfLine(checked.out) +
                              ") into " + folder + ".\r\n");
    EXPECT_EQ(KeyValue(ScriptsIni(), "GameSet"), "Team Base Assault");
    EXPECT_EQ(KeyValue(ScriptsIni(), "shipA1"), "\"T-MWA\"");
    EXPECT_EQ(KeyValue(ScriptsIni(), "a1Pos"), "5");
    EXPECT_EQ(KeyValue(ScriptsIni(), "p2Pos"), "-1");
    EXPECT_EQ(KeyValue(ScriptsIni(), "shipSettings"), "4");
    EXPECT_EQ(KeyValue(GvxIni(), "UIType"), "2");
    EXPECT_EQ(ReadFileBytes(ScriptsIni()).rfind("; the game's own comment", 0), 0u);
    EXPECT_EQ(ReadFileBytes(LibraryFile()), library);

    // Problems other than a missing option are warnings: the set is played.
    WriteFileBytes(work / "warned.ini", "[Mul_Kestrine]\r\nshipP2=N-QRF\r\np2Pos=1\r\n"
                                        "shipSettings=4\r\n[UI]\r\nUIType=7\r\n");
    const Outcome warned = Kestrine(L"/play " + Argument(work / "warned.ini"));
    EXPECT_EQ(warned.exitCode, 0u);
    EXPECT_EQ(warned.error, "Warning: UIType=7 in " + work / "warned.ini" +
                                " is not a difficulty the game knows; the game's own difficulty "
                                "stays.\r\nWarning: P2: the ship needs double quotation marks, as "
                                "\"N-QRF\".\r\n");
    EXPECT_EQ(KeyValue(GvxIni(), "UIType"), "2"); // the game's difficulty stays
    EXPECT_EQ(Kestrine(L"/check " + Argument(work / "warned.ini")).exitCode, 1u); // one problem
}

// All or nothing: a refused set and a failed write leave both files byte for byte.
TEST_F(CommandLine, PlayChangesBothFilesOrNeither) {
    const std::string scripts = "[Mul_Kestrine]\r\nGameSet=Kept\r\n", gvx = "[UI]\r\nUIType=1\r\n";
    SetGame(scripts, gvx);
    WriteFileBytes(work / "set.ini", kSet);
    WriteFileBytes(work / "no option.ini", "[Mul_Kestrine]\r\nGameSet=Unsure\r\n");
    HANDLE held =
        CreateFileA(GvxIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const Outcome failed = Kestrine(L"/play " + Argument(work / "set.ini"));
    CloseHandle(held);
    EXPECT_EQ(failed.exitCode, 5u);
    EXPECT_EQ(failed.error, "Kestrine could not write " + GvxIni() +
                                ": another program holds it (close that program, then try "
                                "again). Nothing was changed.\r\n");
    // The reader's refusals are the import's; a set without an option is refused too.
    for (const char* file : {"no option.ini", "missing.ini"}) {
        SCOPED_TRACE(file);
        const Outcome run = Kestrine(L"/play " + Argument(work / file));
        EXPECT_EQ(run.exitCode, 3u);
        EXPECT_EQ(run.out, "");
    }
    EXPECT_EQ(ReadFileBytes(ScriptsIni()), scripts);
    EXPECT_EQ(ReadFileBytes(GvxIni()), gvx);
    EXPECT_FALSE(FileExists(game / "~k*"));
    EXPECT_FALSE(FileExists(game / "Assets\\Scripts\\~k*"));

    GameRegistry::RemoveAll();
    EXPECT_EQ(Kestrine(L"/play " + Argument(work / "set.ini")).exitCode, 4u);
}

// /check of the game's files says what the form says: the same problems, the same code.
TEST_F(CommandLine, CheckOfTheGamesFilesMatchesTheForm) {
    const std::string section = "GameSet=Open Field\r\nshipP1=\"N-QRE\"\r\nshipA2=t-mwa\r\n"
                                "a2Pos=7\r\nshipB1=\"D-H7\"\r\nb1Pos=7\r\nshipSettings=2\r\n";
    SetGame("[Mul_Kestrine]\r\n" + section, "[UI]\r\nUIType=1\r\n");
    const Outcome checked = Kestrine(L"/check");
    EXPECT_EQ(checked.exitCode, 1u);
    Open(section);
    EXPECT_EQ(CodeOfLine(checked.out), dlg->CodeShown());
    EXPECT_EQ(checked.out, "A2: the ship needs double quotation marks, as \"N-QRF\".\r\n"
                           "B1: the ship starts at N like A2; each needs a position of its own."
                           "\r\nCode " +
                               CodeOfLine(checked.out) + "\r\n");

    // Held by another program, the game's setup is not read as an empty one.
    Restart();
    HANDLE held =
        CreateFileA(ScriptsIni().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    const Outcome unread = Kestrine(L"/check");
    EXPECT_EQ(unread.exitCode, 4u);
    EXPECT_EQ(unread.error.rfind(ScriptsIni() + " cannot be read (", 0), 0u) << unread.error;
    Open();
    EXPECT_PRED_FORMAT2(testing::IsSubstring, ScriptsIni() + " cannot be read (",
                        dlg->CheckSummaryShown());
    EXPECT_PRED_FORMAT2(testing::IsSubstring, "): the form does not show the game's setup.",
                        dlg->CheckSummaryShown());
    CloseHandle(held);
}

// /list and /export read the library in the working folder; names beyond the code page work,
// and are printed in UTF-8 to a pipe.
TEST_F(CommandLine, ListAndExportTheLibrary) {
    GameSetMap sets;
    for (const char* title : {"Beta", "Alpha"}) {
        auto record = std::make_unique<CShipData>();
        record->m_strTitle = record->m_strGameSet = title;
        record->m_strShip[0] = "\"N-QRE\"";
        record->m_strPos[0] = "H";
        record->m_bHostSelected = 1;
        sets[title] = std::move(record);
    }
    StoreLibraryFile(sets);
    const std::string library = ReadFileBytes(LibraryFile());
    const Outcome listed = Kestrine(L"/list");
    EXPECT_EQ(listed.exitCode, 0u);
    EXPECT_EQ(listed.out, "Alpha\r\nBeta\r\n");

    const std::wstring omega = WideText(work.Path()) + L"\x03A9\x65E5.ini";
    const Outcome exported = Kestrine(L"/export Beta \"" + omega + L"\"");
    EXPECT_EQ(exported.exitCode, 0u) << exported.error;
    EXPECT_EQ(exported.out, "Exported \"Beta\" to " + Utf8FromWide(omega) + ".\r\n");
    std::string text;
    ASSERT_EQ(ReadWholeFile(omega, text), 0u);
    GameSetRead read;
    ASSERT_EQ(ReadGameSetText(text, read), "");
    EXPECT_EQ(read.values.title, "Beta");
    EXPECT_EQ(read.values.positions[0], 1);
    EXPECT_EQ(read.values.flags, FlagValue(kFlagHostSelected));

    const Outcome unknown = Kestrine(L"/export Gamma " + Argument(work / "gamma.ini"));
    EXPECT_EQ(unknown.exitCode, 3u);
    EXPECT_EQ(unknown.error, "No stored game set is titled \"Gamma\".\r\n");
    EXPECT_FALSE(FileExists(work / "gamma.ini"));
    EXPECT_EQ(ReadFileBytes(LibraryFile()), library);
}

// No command writes over the library, whatever the spelling of its name; an export that
// cannot be written says why, and a deleted set is no set.
TEST_F(CommandLine, ExportNeverWritesOverTheLibrary) {
    GameSetMap sets;
    sets["Alpha"] = std::make_unique<CShipData>();
    sets["Alpha"]->m_strTitle = "Alpha";
    sets["Gone"] = std::make_unique<CShipData>(); // what DELETE leaves: the title blanked
    StoreLibraryFile(sets);
    const std::string library = ReadFileBytes(LibraryFile());
    ASSERT_TRUE(CreateHardLinkA((work / "linked.dat").c_str(), LibraryFile().c_str(), nullptr));
    for (const std::string& name : {std::string("qxdata.DAT"), work / "QXDATA.dat",
                                    std::string(".\\QXData.dat"), work / "linked.dat"}) {
        const Outcome run = Kestrine(L"/export Alpha " + Argument(name));
        EXPECT_EQ(run.exitCode, 3u) << name;
        EXPECT_EQ(run.error, name + " is Kestrine's game-set library; choose another file name. "
                                    "Nothing was written.\r\n");
    }
    EXPECT_EQ(ReadFileBytes(LibraryFile()), library);
    // Another Kestrine saving for a moment: /list waits for it, and reads one version.
    HANDLE saving = CreateFileA(LibraryFile().c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    std::thread saved([saving] {
        Sleep(300);
        CloseHandle(saving);
    });
    EXPECT_EQ(Kestrine(L"/list").out, "Alpha\r\n");
    saved.join();

    CreateDirectoryA((work / "folder.ini").c_str(), nullptr);
    WriteFileBytes(work / "kept.ini", "kept");
    SetFileAttributesA((work / "kept.ini").c_str(), FILE_ATTRIBUTE_READONLY);
    for (const auto& [file, why] : {std::make_pair("folder.ini", "it is a folder"),
                                    std::make_pair("kept.ini", "the file is read-only")}) {
        const Outcome run = Kestrine(L"/export Alpha " + Argument(work / file));
        EXPECT_EQ(run.exitCode, 5u);
        EXPECT_EQ(run.error, "The game set could not be exported to " + work / file + ": " + why +
                                 ". No file was written.\r\n");
    }
    EXPECT_EQ(ReadFileBytes(work / "kept.ini"), "kept");
    SetFileAttributesA((work / "kept.ini").c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(Kestrine(L"/export Gone " + Argument(work / "gone.ini")).exitCode, 3u);
    EXPECT_FALSE(FileExists(work / "gone.ini"));

    WriteFileBytes(LibraryFile(), ""); // a sync tool's placeholder: an empty library
    const Outcome listed = Kestrine(L"/list");
    EXPECT_EQ(listed.exitCode, 0u);
    EXPECT_EQ(listed.out, "");
}

// Two /play at once take turns: both files always come from one set.  One that cannot get its
// turn fails as a held file does.
TEST_F(CommandLine, PlaysAtOnceLeaveBothFilesFromOneSet) {
    SetGame("[Mul_Kestrine]\r\n", "[UI]\r\nUIType=0\r\n");
    for (const char* set : {"A", "B"}) {
        WriteFileBytes(work / (set + std::string(".ini")),
                       "[Mul_Kestrine]\r\nGameSet=" + std::string(set) +
                           "\r\nshipA1=\"T-MWA\"\r\na1Pos=5\r\nshipSettings=4\r\n[UI]\r\nUIType=" +
                           (*set == 'A' ? "1" : "2"));
    }
    for (int round = 0; round < 3; ++round) {
        Running a = Start(L"/play " + Argument(work / "A.ini"));
        Running b = Start(L"/play " + Argument(work / "B.ini"));
        EXPECT_EQ(Finish(a).exitCode, 0u);
        EXPECT_EQ(Finish(b).exitCode, 0u);
        const std::string played = KeyValue(ScriptsIni(), "GameSet") + KeyValue(GvxIni(), "UIType");
        EXPECT_TRUE(played == "A1" || played == "B2") << played;
    }
    std::string folder = game.Path(); // another spelling of the same folder
    CharLowerA(&folder[0]);
    CSharedTurn turn(PlayTurnName(folder));
    ASSERT_EQ(turn.Take(0), 0u);
    const std::string scripts = ReadFileBytes(ScriptsIni());
    const Outcome waited = Kestrine(L"/play " + Argument(work / "A.ini"));
    EXPECT_EQ(waited.exitCode, 5u);
    EXPECT_EQ(waited.error, "Kestrine could not write " + ScriptsIni() +
                                ": another Kestrine is writing the game's files (try again in a "
                                "moment). Nothing was changed.\r\n");
    EXPECT_EQ(ReadFileBytes(ScriptsIni()), scripts);
}

// A PLAYER SELECT set that names player ships has one code wherever it is shown: played,
// checked as a file and as the game's files, at the form's next start and imported there; and
// playing it again changes no byte.
TEST_F(CommandLine, OneCodeForOneSetupWhereverItIsShown) {
    SetGame("[Mul_Kestrine]\r\n", "[UI]\r\nUIType=0\r\n");
    const std::string file = work / "players.ini";
    WriteFileBytes(file, "[Mul_Kestrine]\r\nGameSet= Players \r\nshipP1=\"N-QRE\"\r\np1Pos=3\r\n"
                         "shipA1=\"T-MWA\"\r\na1Pos=9\r\nshipSettings=2\r\n[UI]\r\nUIType=1\r\n");
    const Outcome played = Kestrine(L"/play " + Argument(file));
    ASSERT_EQ(played.exitCode, 0u) << played.error;
    const std::string code = played.out.substr(played.out.find("(code ") + 6, 7);
    const std::string scripts = ReadFileBytes(ScriptsIni()), gvx = ReadFileBytes(GvxIni());
    EXPECT_EQ(CodeOfLine(Kestrine(L"/check " + Argument(file)).out), code);
    EXPECT_EQ(CodeOfLine(Kestrine(L"/check").out), code);
    Open();
    EXPECT_EQ(dlg->CodeShown(), code);
    Restart();
    Open(std::string(), {WideText(file)});
    EXPECT_EQ(dlg->CodeShown(), code);
    Restart();
    EXPECT_EQ(Kestrine(L"/play " + Argument(file)).exitCode, 0u);
    EXPECT_EQ(ReadFileBytes(ScriptsIni()), scripts);
    EXPECT_EQ(ReadFileBytes(GvxIni()), gvx);
}

// The command line's own edges: output nobody can read, a title that would steer the terminal.
TEST_F(CommandLine, EdgesOfTheCommandLine) {
    GameSetMap sets;
    const std::string title = "Red\x1B[31m\r\nAlert\t";
    sets[title] = std::make_unique<CShipData>();
    sets[title]->m_strTitle = title;
    StoreLibraryFile(sets);
    EXPECT_EQ(Kestrine(L"/list").out, "Red\\x1B[31m\\r\\nAlert\\t\r\n");
    const Outcome unread = Finish(Start(L"/list", true));
    EXPECT_EQ(unread.exitCode, 5u);
    EXPECT_EQ(unread.error.rfind("Kestrine could not write its output: ", 0), 0u) << unread.error;
}

// A game folder whose files fit the path limit plays, its scratch files no longer than the files
// they replace; one too long for it is named, with the length and the limit.
TEST_F(CommandLine, LongGameFolders) {
    WriteFileBytes(work / "set.ini", kSet);
    for (const size_t length : {230u, 250u}) {
        std::string folder = game.Path(); // grown to `length` characters, a folder at a time
        while (folder.size() < length) {
            folder += std::string(std::min<size_t>(length - folder.size() - 1, 60), 'f') + "\\";
            CreateDirectoryA(folder.c_str(), nullptr);
        }
        ASSERT_EQ(folder.size(), length);
        MakeGameFolders(folder);
        if (length == 230) // too long for the path of the other's
            WriteFileBytes(folder + "Assets\\Scripts\\scripts.ini", "[Mul_Kestrine]\r\n");
        registry.SetDirectory(folder);
        const Outcome played = Kestrine(L"/play " + Argument(work / "set.ini"));
        if (length == 230) {
            EXPECT_EQ(played.exitCode, 0u) << played.error;
            EXPECT_EQ(KeyValue(folder + "gvx.ini", "UIType"), "2");
            EXPECT_EQ(KeyValue(folder + "Assets\\Scripts\\scripts.ini", "shipA1"), "\"T-MWA\"");
            EXPECT_FALSE(FileExists(folder + "~k*"));
        } else {
            EXPECT_EQ(played.exitCode, 4u);
            EXPECT_EQ(played.error.rfind("Ostravane's folder " + folder +
                                             " is too long: its Assets\\Scripts\\scripts.ini would "
                                             "have a path of 276 characters, and Windows allows "
                                             "259. Move the game to a shorter folder",
                                         0),
                      0u)
                << played.error;
            EXPECT_EQ(Kestrine(L"/check").exitCode, 4u);
        }
    }
}

// A wrong command line says what was wrong in one line, and where the usage is; the game not
// found, a device for a file and an empty library are said in plain words.
TEST_F(CommandLine, WordsForWhatWentWrong) {
    const std::pair<const wchar_t*, std::string> wrong[] = {
        {L"/play", "/play needs a game-set FILE."},
        {L"/check a.ini b.ini", "/check takes one FILE at most, not 2."},
        {L"/plya x.ini", "Unknown option /plya (did you mean /play?)."},
        {L"--lsit", "Unknown option --lsit (did you mean /list?)."},
        {L"list", "list is no file here: did you mean /list?"},
        {L"/", "\"/\" names no option."}, // a bare option, never the form
        {L"--", "\"--\" names no option."},
        {L"\"\"", "The first argument is empty."},
    };
    for (const auto& [arguments, said] : wrong) {
        const Outcome run = Kestrine(arguments);
        EXPECT_EQ(run.exitCode, 2u) << said;
        EXPECT_EQ(run.error, said + "\r\nkestrine.exe /? shows the usage.\r\n");
    }
    // A device is no file, by its name or, for a pipe nobody writes to, once opened: either is
    // refused before a read could wait for it.
    HANDLE pipe = CreateNamedPipeA("\\\\.\\pipe\\kestrine-set", PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE,
                                   1, 0, 0, 0, nullptr);
    for (const std::string device : {"CON", "\\\\.\\pipe\\kestrine-set"}) {
        const Outcome run = Kestrine(L"/check " + WideText(device));
        EXPECT_EQ(run.exitCode, 3u);
        EXPECT_EQ(run.error, "Kestrine cannot read a game set from " + device +
                                 ": it is a device, not a file.\r\n");
    }
    CloseHandle(pipe);
    const Outcome listed = Kestrine(L"/list");
    EXPECT_EQ(listed.exitCode, 0u);
    EXPECT_EQ(listed.out, "");
    EXPECT_PRED_FORMAT2(testing::IsSubstring, " holds no game sets yet", listed.error);

    DeleteFileA(ScriptsIni().c_str()); // a folder without the game's files: not found, named
    WriteFileBytes(work / "set.ini", kSet);
    for (const wchar_t* command : {L"/check", L"/play set.ini"}) {
        const Outcome run = Kestrine(command);
        EXPECT_EQ(run.exitCode, 4u);
        EXPECT_EQ(run.error.rfind("Ostravane was not found in " + game.Path() + ": it has no ", 0),
                  0u)
            << run.error;
    }
}

} // namespace
