#include "script/SettingsFileUpdate.h"

#include "framework/ReplaceFile.h"
#include "script/IniText.h"

#include <windows.h>

#include <algorithm>

namespace {

ProfileWriter g_writer = nullptr;

bool WriteValue(const std::string& file, const char* section, const char* key,
                const std::string& value) {
    const std::string line = OneLine(value);
    return (g_writer ? g_writer : WritePrivateProfileStringA)(section, key, line.c_str(),
                                                              file.c_str()) != 0;
}

bool ReadBytes(const std::string& file, std::string& bytes) {
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    bytes.clear();
    char buffer[65536];
    DWORD read = 0;
    bool ok;
    while ((ok = ReadFile(handle, buffer, sizeof buffer, &read, nullptr) != 0) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(handle);
    return ok;
}

// Writes `bytes` at the start of the file and flushes the whole file to the disk.
bool WriteBytes(const std::string& file, const std::string& bytes) {
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    bool ok = (bytes.empty() ||
               (WriteFile(handle, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                written == bytes.size())) &&
              FlushFileBuffers(handle);
    DWORD error = GetLastError();
    CloseHandle(handle);
    SetLastError(error);
    return ok;
}

// Whether `updated` holds every key of `original`, with the new values where they were set.
bool HoldsEverything(const std::string& original, const std::string& updated, const char* section,
                     const ProfileValues& values) {
    const IniText before(original), after(updated);
    const IniSection* changed = after.Section(section);
    if (changed == nullptr)
        return false;
    for (const auto& value : values) {
        const std::string* found = changed->Find(value.first);
        if (found == nullptr || *found != TrimBlanks(OneLine(value.second)))
            return false;
    }
    const std::string changedName = IniNameKey(section);
    for (const auto& kept : before.Sections()) {
        const IniSection* now = after.Section(kept.first);
        if (now == nullptr)
            return false;
        for (const auto& entry : kept.second.Entries()) {
            bool setNow = kept.first == changedName &&
                          std::any_of(values.begin(), values.end(), [&](const auto& value) {
                              return SameIniName(value.first, entry.first);
                          });
            const std::string* found = now->Find(entry.first);
            if (!setNow && (found == nullptr || *found != *kept.second.Find(entry.first)))
                return false;
        }
    }
    return true;
}

// Why a copy lost what was written into it: the profile writer ignores write errors, and a
// full disk is the usual cause.
DWORD LostWriteCode(const std::string& folder, size_t needed) {
    ULARGE_INTEGER free;
    if (GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr) &&
        free.QuadPart < needed + 65536)
        return ERROR_DISK_FULL;
    return ERROR_WRITE_FAULT;
}

} // namespace

void SetProfileWriter(ProfileWriter writer) {
    g_writer = writer;
}

bool UpdateSettingsFile(const std::string& file, const char* section, const ProfileValues& values) {
    const std::string folder = FolderOf(file);
    std::string original;
    if (GetFileAttributesA(file.c_str()) != INVALID_FILE_ATTRIBUTES && !ReadBytes(file, original))
        return false;

    char copy[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "kst", 0, copy))
        return false;
    auto fail = [&copy](DWORD error) {
        DeleteFileA(copy);
        SetLastError(error);
        return false;
    };
    if (!WriteBytes(copy, original))
        return fail(GetLastError());
    size_t needed = original.size();
    for (const auto& value : values) {
        if (!WriteValue(copy, section, value.first, value.second))
            return fail(GetLastError());
        needed += value.second.size() + 16;
    }
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy); // out of the profile cache

    std::string updated;
    if (!ReadBytes(copy, updated))
        return fail(GetLastError());
    if (!HoldsEverything(original, updated, section, values))
        return fail(LostWriteCode(folder, needed));
    if (!WriteBytes(copy, std::string())) // nothing more to write: flushes what the writer wrote
        return fail(GetLastError());
    if (!MoveFileExA(copy, file.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return fail(GetLastError());
    return true;
}
