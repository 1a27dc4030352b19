#include "library/GameSetFiles.h"

#include "framework/File.h"
#include "framework/TextEncoding.h"

std::wstring ReadGameSetFile(const std::wstring& path, GameSetRead& read) {
    std::string bytes;
    // One byte more than a game-set text may hold tells a file that is too large; another
    // program may hold the file open meanwhile, even for writing.
    const DWORD error = ReadWholeFile(path, bytes, 2 * (kMaxGameSetText + 2));
    if (error == ERROR_DIRECTORY_NOT_SUPPORTED)
        return L"it is a folder";
    if (error == ERROR_BAD_FILE_TYPE)
        return L"it is not a file";
    if (error == ERROR_FILE_TOO_LARGE)
        return WideText(kGameSetTooLarge);
    if (error != 0)
        return WideText("it cannot be read: " + ErrorText(error));
    std::wstring text;
    if (DecodeUnicodeText(bytes, text))
        return ReadGameSetText(text, read);
    return WideText(ReadGameSetText(std::string_view(bytes), read));
}

std::wstring ReadGameSetText(const std::wstring& text, GameSetRead& read) {
    // The game's files hold text of the system code page only: nothing is changed into
    // question marks or look-alikes without a word.
    std::wstring beyond;
    for (wchar_t c : text) {
        bool lost = false;
        CodePageText(std::wstring(1, c), &lost);
        if (lost && beyond.find(c) == std::wstring::npos)
            beyond += c;
    }
    if (!beyond.empty())
        return L"it holds characters that the game's files cannot hold (" + beyond + L")";
    return WideText(ReadGameSetText(std::string_view(CodePageText(text)), read));
}

std::wstring ExportGameSetFile(const std::wstring& path, const std::string& text,
                               const std::wstring& library, bool& isLibrary) {
    isLibrary = IsSameFile(path, library);
    if (isLibrary)
        return path + L" is Kestrine's game-set library; choose another file name. Nothing was "
                      L"written.";
    std::string why;
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
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
