#include "script/IniReadBack.h"

#include "framework/File.h"
#include "script/IniRules.h"

#include <algorithm>
#include <vector>

namespace {

// A list of NUL-terminated texts that a profile function fills; such a function reports a
// buffer too small by returning its size less two.
template <class Fill> std::vector<std::wstring> ProfileList(Fill fill) {
    std::wstring buffer(4096, L'\0');
    DWORD length;
    while ((length = fill(&buffer[0], DWORD(buffer.size()))) + 2 >= buffer.size() &&
           buffer.size() < (1u << 28))
        buffer.resize(buffer.size() * 4);
    const std::wstring_view list(buffer.data(), length);
    std::vector<std::wstring> texts;
    for (const IniLine& line : SplitIniLines(list, true))
        texts.emplace_back(list.substr(line.start, line.end - line.start));
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
    return SameIniName(std::wstring_view(a), std::wstring_view(b));
}

std::wstring Trim(std::wstring_view text) {
    return std::wstring(TrimIniBlanks(text));
}

// A value as the profile functions give it back: blanks around it dropped, and one pair of
// quotation marks around it.
std::wstring ReadBack(std::wstring_view value) {
    return std::wstring(UnquotedIni(TrimIniBlanks(value)));
}

std::wstring KeyOf(const std::wstring& line) {
    return Trim(std::wstring_view(line).substr(0, line.find(L'=')));
}

// Whether each of `values` is among a section's lines with its value.
bool HoldsValues(const std::vector<std::wstring>& lines, const KeyValues& values) {
    for (const auto& value : values) {
        const std::wstring key = WideText(value.first);
        auto line = std::find_if(lines.begin(), lines.end(), [&](const std::wstring& text) {
            return SameName(KeyOf(text), key);
        });
        if (line == lines.end() || line->find(L'=') == std::wstring::npos ||
            ReadBack(std::wstring_view(*line).substr(line->find(L'=') + 1)) !=
                ReadBack(WideText(OneLine(value.second))))
            return false;
    }
    return true;
}

} // namespace

bool ReadsAsWritten(const std::wstring& file, const char* section, const KeyValues& values) {
    return HoldsValues(SectionLines(file, WideText(section)), values);
}

// Wine's profile functions read a file again at every call for two seconds after it changed,
// so the new file is read a few whole sections at a time, not key by key.
bool ReadsAsUpdated(const std::wstring& original, bool originalExists, const std::wstring& updated,
                    const char* section, const KeyValues& values) {
    const std::wstring changed = WideText(section);
    const std::vector<std::wstring> written = SectionLines(updated, changed);
    if (!HoldsValues(written, values))
        return false;

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
            return SameName(KeyOf(line), WideText(value.first));
        });
    };
    // Beyond 64 sections only the changed one and its neighbours are compared: comparing every
    // section made PLAY on a 1 MB scripts.ini (1,000 sections) take 803 ms instead of 71, on
    // 5 MB 3.9 s instead of 0.28 (bench_play, Wine 8 on 2 cores).
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

void DateFileBack(const std::wstring& path, long long seconds) {
    CFileHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, kShareAll, nullptr,
                                 OPEN_EXISTING, 0, nullptr));
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart -= ULONGLONG(seconds) * 10000000;
    FILETIME then{time.LowPart, time.HighPart};
    if (file.IsOpen())
        SetFileTime(file.Get(), nullptr, nullptr, &then);
}

void ForgetCachedProfile(const std::wstring& file) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
}
