// PLAY on the game's files as players have them: every encoding the profile functions read,
// a section the one-pass update cannot place, read-only, hidden and linked files,
// files other programs hold open, a folder that takes no new file.  Each is checked the way
// the game reads it, through the profile functions.
#include "framework/File.h"
#include "resources/resource.h"
#include "script/PlayValues.h"
#include "support/FormHarness.h"

#include <functional>
#include <map>

namespace {

using namespace std::string_literals;

const SlotInfo &P1 = kSlots[0], &A1 = kSlots[6];

enum class Encoding { Crlf, Lf, Cr, Utf8, Utf16 };

// `text` (ASCII, lines ending in CRLF) as a file of that encoding, with its byte-order mark.
std::string Encoded(const std::string& text, Encoding encoding, bool withMark = true) {
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\r\n") == 0 &&
            (encoding == Encoding::Lf || encoding == Encoding::Cr)) {
            lines += encoding == Encoding::Lf ? '\n' : '\r';
            ++i;
        } else {
            lines += text[i];
        }
    }
    if (encoding == Encoding::Utf8)
        return (withMark ? "\xEF\xBB\xBF" : "") + lines;
    std::string wide = withMark ? "\xFF\xFE" : "";
    for (char c : lines)
        wide += std::string{c, '\0'};
    return encoding == Encoding::Utf16 ? wide : lines;
}

// A value as the game reads it, through the profile functions.
std::string Profile(const std::string& file, const char* section, const char* key) {
    char value[1024];
    DWORD length =
        GetPrivateProfileStringA(section, key, "<none>", value, sizeof value, file.c_str());
    return std::string(value, length);
}

const std::string kScripts = "; the game's own lines\r\n[Other]\r\nkeep=1\r\n[Mul_Kestrine]\r\n"
                             "GameSet=Title\r\nshipP1=\"N-QRE\"\r\np1Pos=3\r\nshipSettings=4\r\n"
                             "extra=kept\r\n[Last]\r\nz=9\r\n";
const std::string kGvx = "[Video]\r\nw=800\r\n[UI]\r\nUIType=1\r\n";

class SettingsFiles : public FormTest {
protected:
    // Opens the form on files of that content, checks what it shows, changes A1 and the
    // difficulty and presses PLAY, which must succeed: what PLAY set reads back as the game
    // reads it, and everything else as it was.
    void PlayOn(const std::string& scripts, const std::string& gvx,
                const std::string& folder = std::string(),
                const std::function<void()>& afterWriting = nullptr) {
        const std::string base = folder.empty() ? game.Path() : folder;
        registry.SetDirectory(base);
        scriptsIni = base + "Assets\\Scripts\\scripts.ini";
        gvxIni = base + "gvx.ini";
        WriteFileBytes(scriptsIni, scripts);
        WriteFileBytes(gvxIni, gvx);
        if (afterWriting)
            afterWriting();
        Open();
        EXPECT_EQ(Texts({IDC_GAMESET_LABEL, P1.shipId, P1.posId}), "Title|\"N-QRE\"|J");
        EXPECT_EQ(CurSel(IDC_DIFFICULTY), 1);
        SetWindowTextA(Item(A1.shipId), "\"T-MWA\"");
        Pick(IDC_DIFFICULTY, 2);
        Click(IDOK);
        EXPECT_EQ(OneBox().text, "Configuration Saved For Game Play!");
        EXPECT_EQ(Profile(scriptsIni, "Mul_Kestrine", "shipA1"), "T-MWA");
        EXPECT_EQ(Profile(scriptsIni, "Mul_Kestrine", "GameSet"), "Title");
        EXPECT_EQ(Profile(scriptsIni, "Mul_Kestrine", "p1Pos"), "3");
        EXPECT_EQ(Profile(scriptsIni, "Mul_Kestrine", "b8Pos"), "-1");
        EXPECT_EQ(Profile(gvxIni, "UI", "UIType"), "2");
        EXPECT_EQ(Profile(gvxIni, "Video", "w"), "800");
        EXPECT_EQ(Profile(scriptsIni, "Mul_Kestrine", "extra"), "kept");
        EXPECT_EQ(Profile(scriptsIni, "Other", "keep"), "1");
        EXPECT_EQ(Profile(scriptsIni, "Last", "z"), "9");
    }
    std::string scriptsIni, gvxIni;
};

TEST_F(SettingsFiles, PlayKeepsEveryEncodingAndItsByteOrderMark) {
    const std::pair<Encoding, const char*> rows[] = {
        {Encoding::Crlf, "ANSI CRLF"}, {Encoding::Lf, "LF only"},   {Encoding::Cr, "CR only"},
        {Encoding::Utf8, "UTF-8"},     {Encoding::Utf16, "UTF-16"},
    };
    for (const auto& [encoding, name] : rows) {
        SCOPED_TRACE(name);
        Restart();
        PlayOn(Encoded(kScripts, encoding), Encoded(kGvx, encoding));
        for (const std::string& file : {scriptsIni, gvxIni}) {
            const std::string bytes = ReadFileBytes(file);
            const std::string mark = Encoded("", encoding);
            EXPECT_EQ(bytes.substr(0, mark.size()), mark);
            EXPECT_NE(bytes.find(Encoded(file == gvxIni ? "UIType=2\r\n" : "shipA1=\"T-MWA\"\r\n",
                                         encoding, false)),
                      std::string::npos);
        }
    }
}

// A NUL ends a section's name for the profile functions, not for the one-pass update: the
// keys go where the game reads them, written by the profile writer itself.  The game's own
// file holds every key there already.
TEST_F(SettingsFiles, PlayPutsTheKeysWhereTheGameReadsThem) {
    std::string scripts = "[Other]\r\nkeep=1\r\n[Mul_Kestrine\0]\r\n"s;
    const std::map<std::string, std::string> own = {{"GameSet", "hidden"}, {"shipP1", "old"}};
    for (const auto& [key, value] : ScriptsKeyValues(PlayValues()))
        scripts += std::string(key) + "=" + (own.count(key) ? own.at(key) : value) + "\r\n";
    WriteFileBytes(ScriptsIni(), scripts);
    Open();
    EXPECT_EQ(Texts({IDC_GAMESET_LABEL, P1.shipId}), "hidden|old");
    Click(IDC_HOST_SELECTED);
    Click(P1.checkId);
    SetWindowTextA(Item(P1.shipId), "new"); // a key the game reads in the first section
    Click(IDOK);
    EXPECT_EQ(OneBox().text, "Configuration Saved For Game Play!");
    EXPECT_EQ(Profile(ScriptsIni(), "Mul_Kestrine", "shipP1"), "new");
    EXPECT_EQ(Profile(ScriptsIni(), "Mul_Kestrine", "shipSettings"), "4");
    EXPECT_FALSE(FileExists(game / "Assets\\Scripts\\~k*"));
    EXPECT_EQ(Profile(ScriptsIni(), "Other", "keep"), "1");

    // The section the one pass finds holds every value already, but the game reads another:
    // the file is still written.
    std::string written = ReadFileBytes(ScriptsIni());
    const size_t header = written.find("[Mul_Kestrine]\r\n");
    written += written.substr(header);
    written.replace(header, 14, "[Mul_Kestrine\0]"s);
    written.replace(written.find("shipP1=new"), 10, "shipP1=old");
    WriteFileBytes(ScriptsIni(), written);
    Restart();
    Open();
    EXPECT_EQ(Text(P1.shipId), "old");
    SetWindowTextA(Item(P1.shipId), "new");
    Click(IDOK);
    EXPECT_EQ(OneBox().text, "Configuration Saved For Game Play!");
    EXPECT_EQ(Profile(ScriptsIni(), "Mul_Kestrine", "shipP1"), "new");
}

TEST_F(SettingsFiles, AReadOnlyFileIsRefusedAndHiddenAttributesStay) {
    // The second file read-only: refused, and the first put back.
    WriteFileBytes(ScriptsIni(), kScripts);
    WriteFileBytes(GvxIni(), kGvx);
    SetFileAttributesA(GvxIni().c_str(), FILE_ATTRIBUTE_READONLY);
    Open();
    Click(IDOK);
    EXPECT_EQ(OneBox().text, "Error saving to gvx.ini; code 5.");
    EXPECT_EQ(GetFileAttributesA(GvxIni().c_str()) & FILE_ATTRIBUTE_READONLY,
              DWORD(FILE_ATTRIBUTE_READONLY));
    SetFileAttributesA(GvxIni().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadFileBytes(ScriptsIni()) + ReadFileBytes(GvxIni()), kScripts + kGvx);
    Restart();
    PlayOn(kScripts, kGvx, std::string(), [this] {
        SetFileAttributesA(ScriptsIni().c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    });
    EXPECT_EQ(GetFileAttributesA(ScriptsIni().c_str()) &
                  (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              DWORD(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    SetFileAttributesA(ScriptsIni().c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(SettingsFiles, OtherProgramsHoldingTheFilesAndLinks) {
    // An editor or the running game holds scripts.ini, sharing reading and writing only: the
    // file is updated in place.
    HANDLE holder = INVALID_HANDLE_VALUE;
    PlayOn(kScripts, kGvx, std::string(), [&] {
        holder =
            CreateFileA(ScriptsIni().c_str(), GENERIC_READ | GENERIC_WRITE,
                        FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    });
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    CloseHandle(holder);
    EXPECT_FALSE(FileExists(game / "Assets\\Scripts\\~k*"));

    // A second name of the same file (a hard link) stays one file.
    Restart();
    PlayOn(kScripts, kGvx, std::string(), [this] {
        DeleteFileA((game / "other.ini").c_str());
        CreateHardLinkA((game / "other.ini").c_str(), ScriptsIni().c_str(), nullptr);
    });
    EXPECT_EQ(ReadFileBytes(game / "other.ini"), ReadFileBytes(ScriptsIni()));

    // The game holds gvx.ini without letting it be written: scripts.ini is put back.
    Restart();
    WriteFileBytes(ScriptsIni(), kScripts);
    WriteFileBytes(GvxIni(), kGvx);
    holder = CreateFileA(GvxIni().c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    Open();
    SetWindowTextA(Item(A1.shipId), "changed");
    Pick(IDC_DIFFICULTY, 2);
    Click(IDOK);
    CloseHandle(holder);
    EXPECT_EQ(OneBox().text, "Error saving to gvx.ini; code 32.");
    EXPECT_EQ(ReadFileBytes(ScriptsIni()) + ReadFileBytes(GvxIni()), kScripts + kGvx);
    EXPECT_FALSE(FileExists(game / "Assets\\Scripts\\~k*"));

    // A scripts.ini that is a symbolic link: the link stays, its target gets the keys.
    const std::string linked = TestBedFolder("linked");
    if (linked.empty())
        GTEST_SKIP() << "the test bed has no linked game folder";
    Restart();
    PlayOn(kScripts, kGvx, linked);
    EXPECT_EQ(ReadFileBytes(linked + "target.ini"), ReadFileBytes(scriptsIni));
    WriteFileBytes(linked + "target.ini", "[Mul_Kestrine]\r\nGameSet=via the link\r\n");
    EXPECT_EQ(Profile(scriptsIni, "Mul_Kestrine", "GameSet"), "via the link");
}

TEST_F(SettingsFiles, AFolderThatTakesNoNewFile) {
    const std::string frozen = TestBedFolder("frozen");
    if (frozen.empty())
        GTEST_SKIP() << "the test bed has no folder that takes no new file (needs root)";
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::string backups = CodePageText(temp) + "~k*";
    const bool backupsBefore = FileExists(backups);
    PlayOn(kScripts, kGvx, frozen);
    EXPECT_EQ(FileExists(backups), backupsBefore); // no backup left behind
}

} // namespace
