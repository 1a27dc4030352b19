#include "form/GameSetFiles.h"

#include "framework/File.h"
#include "framework/TextEncoding.h"
#include "script/PositionCodec.h"

bool ReadGameSetFile(const std::wstring& path, PlayValues& values, std::wstring& why) {
    std::string bytes;
    // One byte more than a game-set text may hold tells a file that is too large; another
    // program may hold the file open meanwhile, even for writing.
    const DWORD error = ReadWholeFile(path, bytes, 2 * (kMaxGameSetText + 2));
    if (error == ERROR_DIRECTORY_NOT_SUPPORTED)
        why = L"it is a folder";
    else if (error == ERROR_BAD_FILE_TYPE)
        why = L"it is not a file";
    else if (error == ERROR_FILE_TOO_LARGE)
        why = WideText(GameSetTextFaultText(GameSetTextFault::TooLarge));
    else if (error != 0)
        why = WideText("it cannot be read: " + ErrorText(error));
    if (error != 0)
        return false;
    std::wstring text;
    if (DecodeUnicodeText(bytes, text))
        return ReadGameSetText(text, values, why);
    return ReadGameSetText(bytes, values, why);
}

bool ReadGameSetText(const std::wstring& text, PlayValues& values, std::wstring& why) {
    // The game's files hold text of the system code page only: nothing is changed into
    // question marks or look-alikes without a word.
    std::wstring beyond;
    for (wchar_t c : text) {
        bool lost = false;
        CodePageText(std::wstring(1, c), &lost);
        if (lost && beyond.find(c) == std::wstring::npos)
            beyond += c;
    }
    if (!beyond.empty()) {
        why = L"it holds characters that the game's files cannot hold (" + beyond + L")";
        return false;
    }
    return ReadGameSetText(CodePageText(text), values, why);
}

bool ReadGameSetText(const std::string& text, PlayValues& values, std::wstring& why) {
    const GameSetTextFault fault = ReadGameSetText(std::string_view(text), values);
    if (fault == GameSetTextFault::None)
        return true;
    why = WideText(GameSetTextFaultText(fault));
    return false;
}

PlayValues AsTheFormShows(const PlayValues& values) {
    PlayValues shown = values;
    shown.title = FormText(values.title);
    for (int slot = 0; slot < kSlotCount; ++slot) {
        shown.ships[slot] = FormText(values.ships[slot]);
        shown.positions[slot] = LetterToPosition(PositionToLetter(values.positions[slot]));
    }
    shown.flags = (values.flags & kHostSelectedFlags)   ? kHostSelectedFlags
                  : (values.flags & kPlayerSelectFlags) ? kPlayerSelectFlags
                                                        : 0;
    return shown;
}

PlayValues AsTheFormStarts(const PlayValues& read) {
    PlayValues shown = AsTheFormShows(read);
    if (shown.flags == kPlayerSelectFlags) {
        for (int slot = 0; slot < kPlayerSlotCount; ++slot) {
            shown.ships[slot].clear();
            if (shown.positions[slot] == kNoPosition)
                shown.positions[slot] = LetterToPosition(kSlots[slot].defaultLetter);
        }
    }
    return shown;
}
