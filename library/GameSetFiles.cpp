#include "library/GameSetFiles.h"

#include "framework/File.h"
#include "framework/TextEncoding.h"

#include <algorithm>
#include <cstring>

std::wstring ReadGameSetFile(const std::wstring& path, GameSetRead& read) {
    std::string bytes;
    // One byte more than a game-set text may hold tells a file that is too large; another
    // program may hold the file open meanwhile, even for writing.  A device name is never
    // opened: some block the reader for good.
    const bool device = IsDeviceName(path);
    const DWORD error =
        device ? ERROR_BAD_FILE_TYPE : ReadWholeFile(path, bytes, 2 * (kMaxGameSetText + 2));
    if (error == ERROR_DIRECTORY_NOT_SUPPORTED)
        return L"it is a folder";
    if (error == ERROR_BAD_FILE_TYPE)
        return L"it is a device, not a file";
    if (error == ERROR_FILE_TOO_LARGE)
        return WideText(kGameSetTooLarge);
    if (error != 0)
        return WideText(ErrorText(error));
    std::wstring text;
    if (DecodeUnicodeText(bytes, text))
        return ReadGameSetText(text, read);
    return WideText(ReadGameSetText(std::string_view(bytes), read));
}

std::wstring ReadGameSetText(const std::wstring& text, GameSetRead& read) {
    // The game's files hold text of the system code page only: nothing that reaches the game is
    // changed into question marks or look-alikes without a word.  Each character the code page
    // lacks stands in the text read as a control character of its own, which then names it
    // where it would reach the game.
    static const char kStandIns[] = "\x01\x02\x03\x04\x05\x06\x07\x08\x0E\x0F\x10\x11\x12\x13"
                                    "\x14\x15\x16\x17\x18\x19\x1A\x1B\x1C\x1D\x1E\x1F";
    const size_t kLastStandIn = sizeof kStandIns - 2;
    std::wstring beyond;
    std::string narrow;
    for (wchar_t c : text) {
        bool lost = false;
        const std::string converted = CodePageText(std::wstring(1, c), &lost);
        if (!lost) {
            narrow += converted;
            continue;
        }
        size_t index = beyond.find(c);
        if (index == std::wstring::npos) {
            index = beyond.size();
            beyond += c;
        }
        narrow += kStandIns[std::min(index, kLastStandIn)];
    }
    const std::string why = ReadGameSetText(std::string_view(narrow), read);
    if (why != kNotText || beyond.empty())
        return WideText(why);
    std::wstring named;
    for (char c : read.controlCharacters) {
        const char* standIn = c != '\0' ? std::strchr(kStandIns, c) : nullptr;
        if (standIn == nullptr)
            return WideText(why); // a control character of its own
        const size_t index = size_t(standIn - kStandIns);
        named += index < kLastStandIn ? std::wstring(1, beyond[index]) : beyond.substr(index);
    }
    return L"it holds characters that the game's files cannot hold (" + named + L")";
}

std::wstring ExportGameSetFile(const std::wstring& path, const std::string& text,
                               const std::wstring& library, bool& isLibrary) {
    isLibrary = IsSameFile(path, library);
    if (isLibrary)
        return path + L" is Kestrine's game-set library; choose another file name. Nothing was "
                      L"written.";
    std::string why;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (IsDeviceName(path))
        why = "it is a device, not a file";
    else if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        why = "it is a folder";
    else if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        why = "the file is read-only";
    else if (DWORD error = ReplaceFileContents(path, text))
        why = ErrorText(error);
    if (why.empty())
        return std::wstring();
    return L"The game set could not be exported to " + path + L": " + WideText(why) +
           L". No file was written.";
}
