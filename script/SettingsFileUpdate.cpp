// A settings file is updated the way careful editors save: the new contents are made in one
// pass over the file's text (or, where that would not read back right, by the profile writer
// on a copy) and checked through the profile functions on a scratch file.  They then take the
// file's place by rename where a rename keeps everything the file is; otherwise the file is
// rewritten in place, with the original kept aside and put back on any failure.
#include "script/SettingsFileUpdate.h"

#include "framework/File.h"
#include "framework/TextEncoding.h"
#include "script/IniEdit.h"
#include "script/IniText.h"

#include <algorithm>

namespace {

ProfileWriter g_writer = nullptr;

// --- Encodings -------------------------------------------------------------------------------

std::u16string Utf16Of(const std::string& codePageText) {
    const std::wstring wide = WideText(codePageText);
    return std::u16string(wide.begin(), wide.end());
}

// The file's bytes with the values set, in the file's own encoding.
std::string EditedBytes(const std::string& bytes, const char* section,
                        const ProfileValues& values) {
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

// --- Reading through the profile functions ---------------------------------------------------

// A list of NUL-terminated texts that a profile function fills; such a function reports a
// buffer too small by returning its size less two.
template <class Fill> std::vector<std::wstring> ProfileList(Fill fill) {
    std::wstring buffer(4096, L'\0');
    DWORD length;
    while ((length = fill(&buffer[0], DWORD(buffer.size()))) + 2 >= buffer.size() &&
           buffer.size() < (1u << 28))
        buffer.resize(buffer.size() * 4);
    std::vector<std::wstring> texts;
    for (size_t at = 0; at < length;) {
        size_t end = buffer.find(L'\0', at);
        if (end == std::wstring::npos || end > length)
            end = length;
        texts.push_back(buffer.substr(at, end - at));
        at = end + 1;
    }
    return texts;
}

std::vector<std::wstring> SectionNames(const std::wstring& file) {
    return ProfileList([&file](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionNamesW(buffer, size, file.c_str());
    });
}

std::vector<std::wstring> SectionLines(const std::wstring& file, const std::wstring& section) {
    return ProfileList([&](wchar_t* buffer, DWORD size) {
        return GetPrivateProfileSectionW(section.c_str(), buffer, size, file.c_str());
    });
}

bool SameName(const std::wstring& a, const std::wstring& b) {
    return CompareStringOrdinal(a.c_str(), int(a.size()), b.c_str(), int(b.size()), TRUE) ==
           CSTR_EQUAL;
}

std::wstring Trim(const std::wstring& text) {
    return std::wstring(TrimIniBlanks(std::wstring_view(text)));
}

std::wstring Unquoted(const std::wstring& text) {
    return std::wstring(UnquotedIni(std::wstring_view(text)));
}

// What the profile functions give back for a value written: blanks around it dropped, and
// one pair of quotation marks around it.
std::wstring ReadBackOf(const std::string& value) {
    return Unquoted(Trim(WideText(OneLine(value))));
}

// The profile functions' own cache must not answer for a file that was just changed.
void ForgetCachedProfile(const std::wstring& file) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}

// Whether `updated` reads as `original` with the values set: every key written reads back
// with its value, and every section and key of the original is still there with its value.
// Large files with many sections have only the sections beside the changed one compared
// whole, since the update touches no other lines.
//
// Wine's profile functions read a file again at every call for two seconds after it changed,
// so the new file is read a few whole sections at a time, not key by key.
bool ReadsAsUpdated(const std::wstring& original, bool originalExists, const std::wstring& updated,
                    const char* section, const ProfileValues& values) {
    const std::wstring changed = WideText(section);
    auto keyOf = [](const std::wstring& line) { return Trim(line.substr(0, line.find(L'='))); };
    const std::vector<std::wstring> written = SectionLines(updated, changed);
    for (const auto& value : values) {
        const std::wstring key = Trim(WideText(value.first));
        auto line = std::find_if(written.begin(), written.end(), [&](const std::wstring& text) {
            return SameName(keyOf(text), key);
        });
        if (line == written.end() || line->find(L'=') == std::wstring::npos ||
            Unquoted(Trim(line->substr(line->find(L'=') + 1))) != ReadBackOf(value.second))
            return false;
    }

    const std::vector<std::wstring> before =
        originalExists ? SectionNames(original) : std::vector<std::wstring>();
    const std::vector<std::wstring> after = SectionNames(updated);
    auto withoutChanged = [&changed](std::vector<std::wstring> names) {
        names.erase(
            std::remove_if(names.begin(), names.end(),
                           [&](const std::wstring& name) { return SameName(name, changed); }),
            names.end());
        return names;
    };
    if (withoutChanged(before) != withoutChanged(after))
        return false;

    auto isWrittenKey = [&](const std::wstring& line) {
        return std::any_of(values.begin(), values.end(), [&](const auto& value) {
            return SameName(keyOf(line), Trim(WideText(value.first)));
        });
    };
    const size_t kCompareAll = 64;
    for (size_t i = 0; i < before.size(); ++i) {
        const bool besideChanged = std::any_of(
            before.begin() + (i > 0 ? i - 1 : 0), before.begin() + std::min(i + 2, before.size()),
            [&changed](const std::wstring& name) { return SameName(name, changed); });
        if (before.size() > kCompareAll && !besideChanged)
            continue;
        const bool isChanged = SameName(before[i], changed);
        std::vector<std::wstring> kept = SectionLines(original, before[i]);
        std::vector<std::wstring> now = isChanged ? written : SectionLines(updated, before[i]);
        if (isChanged) {
            kept.erase(std::remove_if(kept.begin(), kept.end(), isWrittenKey), kept.end());
            now.erase(std::remove_if(now.begin(), now.end(), isWrittenKey), now.end());
        }
        if (kept != now)
            return false;
    }
    return true;
}

// Wine's profile functions read a file again at every call while its last change is less than
// about two seconds old.  The scratch file is dated back for its checks, so that they read it
// once, and dated now when it takes the file's place.
void DateFile(const std::wstring& path, LONGLONG secondsAgo) {
    CFileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= ULONGLONG(secondsAgo) * 10000000;
    FILETIME then{time.LowPart, time.HighPart};
    if (file.IsOpen())
        SetFileTime(file.Get(), nullptr, nullptr, &then);
}

// --- Where the new contents can go -----------------------------------------------------------

bool SamePath(std::wstring a, std::wstring b) {
    for (std::wstring* path : {&a, &b}) {
        if (path->compare(0, 4, L"\\\\?\\") == 0)
            path->erase(0, 4);
    }
    return SameName(a, b);
}

// A rename keeps everything of a file that is one plain file of one name: no attribute but
// the archive flag, no second name (a hard link), not reached through a link.
bool RenameKeepsEverything(const std::wstring& path, DWORD attributes) {
    const DWORD plain =
        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NORMAL | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    if ((attributes & ~plain) != 0)
        return false;
    CFileHandle file(CreateFileW(path.c_str(), 0, kShareAll, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION information;
    if (!file.IsOpen() || !GetFileInformationByHandle(file.Get(), &information) ||
        information.nNumberOfLinks != 1)
        return false;
    wchar_t final[MAX_PATH * 4];
    DWORD length = GetFinalPathNameByHandleW(file.Get(), final, MAX_PATH * 4, 0);
    return length > 0 && length < MAX_PATH * 4 &&
           SamePath(std::wstring(final, length), FullPathOf(path));
}

std::wstring TempFolder() {
    wchar_t folder[MAX_PATH + 1];
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    return length > 0 && length <= MAX_PATH ? std::wstring(folder, length) : std::wstring();
}

// Rewrites the file itself to hold `bytes`, through any link, beside other programs that
// share writing.  The original goes to a backup file first; whatever fails, the original is
// put back.
DWORD RewriteInPlace(const std::wstring& path, const std::string& bytes,
                     const std::string& original) {
    CFileHandle file;
    if (DWORD error = OpenDiskFile(path, GENERIC_READ | GENERIC_WRITE,
                                   FILE_SHARE_READ | FILE_SHARE_WRITE, file))
        return error;
    CNewFile backup;
    DWORD error = backup.Create(FolderOf(path));
    if (error != 0 && backup.Create(TempFolder()) != 0)
        return error;
    if ((error = backup.Write(original)) != 0 || (error = backup.Finish()) != 0)
        return error;
    error = OverwriteFile(file.Get(), bytes);
    std::string written;
    if (error == 0 && (error = ReadWholeFile(file.Get(), written)) == 0 && written != bytes)
        error = ERROR_WRITE_FAULT;
    if (error != 0 && OverwriteFile(file.Get(), original) != 0)
        backup.Keep(); // the only copy of the original left
    return error;
}

DWORD CreateWithContents(const std::wstring& path, const std::string& bytes) {
    CFileHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                 FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return GetLastError();
    DWORD error = OverwriteFile(file.Get(), bytes);
    file.Close();
    if (error != 0)
        DeleteFileW(path.c_str());
    return error;
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

} // namespace

struct CSettingsFileUpdate::State {
    std::wstring path;
    std::string section;
    ProfileValues values;
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    std::string original, updated;
    CNewFile scratch;
    bool scratchBeside = false, committed = false;

    DWORD MakeScratch(const std::string& bytes);
    DWORD WriteKeysIntoScratch();
    DWORD Put(const std::string& bytes, CNewFile* ready);
};

CSettingsFileUpdate::CSettingsFileUpdate(std::string file, const char* section,
                                         ProfileValues values)
    : m_state(std::make_unique<State>()) {
    m_state->path = WideText(file);
    m_state->section = section;
    m_state->values = std::move(values);
}

CSettingsFileUpdate::~CSettingsFileUpdate() = default;

// A scratch file holding `bytes`: beside the file where its folder takes one, else in the
// temporary folder.
DWORD CSettingsFileUpdate::State::MakeScratch(const std::string& bytes) {
    DWORD error = scratch.Create(FolderOf(path));
    scratchBeside = error == 0;
    if (error != 0 && scratch.Create(TempFolder()) != 0)
        return error;
    if (DWORD writeError = scratch.Write(bytes))
        return writeError;
    error = scratch.Finish();
    DateFile(scratch.Path(), 60);
    return error;
}

DWORD CSettingsFileUpdate::State::WriteKeysIntoScratch() {
    const std::string file = CodePageText(scratch.Path());
    for (const auto& value : values) {
        const std::string line = OneLine(value.second);
        if (!(g_writer ? g_writer : WritePrivateProfileStringA)(section.c_str(), value.first,
                                                                line.c_str(), file.c_str()))
            return GetLastError();
    }
    ForgetCachedProfile(scratch.Path());
    return ReadWholeFile(scratch.Path(), updated);
}

DWORD CSettingsFileUpdate::Prepare() {
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

// Puts `bytes` in the file's place: by renaming `ready` (a finished file beside it that
// holds them) where that keeps everything, else in place.
DWORD CSettingsFileUpdate::State::Put(const std::string& bytes, CNewFile* ready) {
    const DWORD now = GetFileAttributesW(path.c_str());
    if (now == INVALID_FILE_ATTRIBUTES) {
        if (ready != nullptr)
            return ready->Commit(path);
        return CreateWithContents(path, bytes);
    }
    if (ready != nullptr && RenameKeepsEverything(path, now)) {
        DWORD error = ready->Commit(path);
        // Another program holding the file without letting it be renamed: in place, then.
        if (error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED)
            return error;
    }
    return RewriteInPlace(path, bytes, original);
}

DWORD CSettingsFileUpdate::Commit() {
    State& s = *m_state;
    DateFile(s.scratch.Path(), 0);
    DWORD error = s.Put(s.updated, s.scratchBeside ? &s.scratch : nullptr);
    s.scratch.Discard();
    s.committed = error == 0;
    return error;
}

DWORD CSettingsFileUpdate::Undo() {
    State& s = *m_state;
    if (!s.committed)
        return 0;
    DWORD error;
    if (s.attributes == INVALID_FILE_ATTRIBUTES) { // there was no file
        error = DeleteFileW(s.path.c_str()) ? 0 : GetLastError();
    } else {
        CNewFile copy;
        bool ready =
            copy.Create(FolderOf(s.path)) == 0 && copy.Write(s.original) == 0 && copy.Finish() == 0;
        error = s.Put(s.original, ready ? &copy : nullptr);
    }
    s.committed = error != 0;
    return error;
}

DWORD UpdateSettingsFile(const std::string& file, const char* section,
                         const ProfileValues& values) {
    CSettingsFileUpdate update(file, section, values);
    DWORD error = update.Prepare();
    return error != 0 ? error : update.Commit();
}

void SetProfileWriter(ProfileWriter writer) {
    g_writer = writer;
}
