// A settings file is updated the way careful editors save: the new contents are made in one
// pass over the file's text (or, where that would not read back right, by the profile writer
// on a copy) and checked through the profile functions on a scratch file.  They then take the
// file's place by rename where a rename keeps everything the file is; otherwise the file is
// rewritten in place, with the original kept aside and put back on any failure.
#include "script/IniFileUpdate.h"

#include "framework/FilePlacement.h"
#include "framework/TextEncoding.h"
#include "script/IniEdit.h"
#include "script/IniReadBack.h"
#include "script/IniRules.h"

namespace {

std::u16string Utf16Of(const std::string& codePageText) {
    const std::wstring wide = WideText(codePageText);
    return std::u16string(wide.begin(), wide.end());
}

// The file's bytes with the values set, in the file's own encoding.
std::string EditedBytes(const std::string& bytes, const char* section, const KeyValues& values) {
    const TextEncoding encoding = EncodingOf(bytes);
    const size_t mark = ByteOrderMarkSize(encoding);
    if (encoding == TextEncoding::Ansi || encoding == TextEncoding::Utf8) {
        const bool utf8 = encoding == TextEncoding::Utf8;
        IniValues<char> set;
        for (const auto& value : values) {
            const std::string line = OneLine(value.second);
            set.values.emplace_back(value.first, utf8 ? Utf8FromWide(WideText(line)) : line);
        }
        return bytes.substr(0, mark) + SetIniValues(bytes.substr(mark), std::string(section), set);
    }
    const bool bigEndian = encoding == TextEncoding::Utf16BE;
    IniValues<char16_t> set;
    for (const auto& value : values)
        set.values.emplace_back(Utf16Of(value.first), Utf16Of(OneLine(value.second)));
    const std::wstring units = Utf16Units(bytes, mark, bigEndian);
    const std::u16string edited =
        SetIniValues(std::u16string(units.begin(), units.end()), Utf16Of(section), set);
    std::string result =
        bytes.substr(0, mark) + Utf16Bytes(std::wstring(edited.begin(), edited.end()), bigEndian);
    if (bytes.size() % 2 != 0) // an odd last byte stays where it was
        result += bytes.back();
    return result;
}

// Why a copy lost what was written into it: the profile writer ignores write errors, and a
// full disk is the usual cause.
DWORD LostWriteCode(const std::wstring& folder, size_t needed) {
    ULARGE_INTEGER free;
    if (GetDiskFreeSpaceExW(folder.c_str(), &free, nullptr, nullptr) &&
        free.QuadPart < needed + 65536)
        return ERROR_DISK_FULL;
    return ERROR_WRITE_FAULT;
}

// A scratch file from this size on is dated back for its checks.
const size_t kDateBackFrom = 64 * 1024;

} // namespace

struct CIniFileUpdate::State {
    std::wstring path;
    std::string section;
    KeyValues values;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    std::string original, updated;
    CNewFile scratch;
    bool unchanged = false, scratchBeside = false, datedBack = false;
    bool placed = false; // the update holds the file's place: Undo has something to undo

    DWORD MakeScratch(const std::string& bytes);
    DWORD WriteKeysIntoScratch();
};

CIniFileUpdate::CIniFileUpdate(std::string file, const char* section, KeyValues values)
    : m_state(std::make_unique<State>()) {
    m_state->path = WideText(file);
    m_state->section = section;
    m_state->values = std::move(values);
}

CIniFileUpdate::~CIniFileUpdate() = default;

// A scratch file holding `bytes`: beside the file where its folder takes one, else in the
// temporary folder.
DWORD CIniFileUpdate::State::MakeScratch(const std::string& bytes) {
    DWORD error = scratch.CreateBeside(path);
    scratchBeside = error == 0;
    if (error != 0 && scratch.Create(TempFolder()) != 0)
        return error;
    if (DWORD writeError = scratch.Write(bytes))
        return writeError;
    error = scratch.Finish();
    // Reading a small file again costs less than the two changes of its date: dating a 1 KB
    // scratch file back too made PLAY take 7.1 to 8.0 ms against 6.2 to 7.0 (bench_play, Wine 8
    // on 2 cores).
    datedBack = bytes.size() >= kDateBackFrom;
    if (datedBack)
        DateFileBack(scratch.Path(), 60);
    return error;
}

DWORD CIniFileUpdate::State::WriteKeysIntoScratch() {
    const std::string file = CodePageText(scratch.Path());
    for (const auto& value : values) {
        const std::string line = OneLine(value.second);
        if (!WritePrivateProfileStringA(section.c_str(), value.first, line.c_str(), file.c_str()))
            return GetLastError();
    }
    ForgetCachedProfile(scratch.Path());
    return ReadWholeFile(scratch.Path(), updated);
}

DWORD CIniFileUpdate::Prepare() {
    State& s = *m_state;
    s.attributes = GetFileAttributesW(s.path.c_str());
    const bool exists = s.attributes != INVALID_FILE_ATTRIBUTES;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND)
        return GetLastError();
    // The profile writer refuses a read-only file; so do we, whoever runs us.
    if (exists && (s.attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return ERROR_ACCESS_DENIED;
    if (exists) {
        if (DWORD error = ReadWholeFile(s.path, s.original))
            return error;
    }
    s.updated = EditedBytes(s.original, s.section.c_str(), s.values);
    // A file that holds every value already, as the profile functions read it, stays as it
    // is: the same set played again, the same difficulty kept.
    s.unchanged =
        exists && s.updated == s.original && ReadsAsWritten(s.path, s.section.c_str(), s.values);
    if (s.unchanged)
        return 0;
    if (DWORD error = s.MakeScratch(s.updated))
        return error;
    if (ReadsAsUpdated(s.path, exists, s.scratch.Path(), s.section.c_str(), s.values))
        return 0;

    // Lines the one pass reads otherwise than the profile functions: the profile writer
    // itself sets the keys in a fresh copy.
    if (DWORD error = s.MakeScratch(s.original))
        return error;
    if (DWORD error = s.WriteKeysIntoScratch())
        return error;
    if (ReadsAsUpdated(s.path, exists, s.scratch.Path(), s.section.c_str(), s.values))
        return 0;
    size_t needed = s.original.size();
    for (const auto& value : s.values)
        needed += value.second.size() + 16;
    return LostWriteCode(FolderOf(s.scratch.Path()), needed);
}

DWORD CIniFileUpdate::Commit() {
    State& s = *m_state;
    if (s.unchanged)
        return 0;
    if (s.datedBack)
        DateFileBack(s.scratch.Path(), 0);
    DWORD error =
        PlaceFileContents(s.path, s.updated, s.original, s.scratchBeside ? &s.scratch : nullptr);
    s.scratch.Discard();
    s.placed = error == 0;
    return error;
}

DWORD CIniFileUpdate::Undo() {
    State& s = *m_state;
    if (!s.placed)
        return 0;
    DWORD error;
    if (s.attributes == INVALID_FILE_ATTRIBUTES) { // there was no file
        error = DeleteFileW(s.path.c_str()) ? 0 : GetLastError();
    } else {
        CNewFile copy;
        bool ready =
            copy.CreateBeside(s.path) == 0 && copy.Write(s.original) == 0 && copy.Finish() == 0;
        error = PlaceFileContents(s.path, s.original, s.original, ready ? &copy : nullptr);
    }
    if (error == 0)
        s.placed = false;
    return error;
}
