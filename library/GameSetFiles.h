// Reading a game set handed over, the same way for every way in: the clipboard, a file chosen,
// dropped or named on the command line, and the command line's own commands.  Each reader
// returns why it refused the set, as the end of a sentence ("it is a folder"), for the caller
// to put in its own words; an empty text where it read the set.
#pragma once

#include "library/GameSetText.h"

#include <string>

// A game set's file as editors save it: ANSI, UTF-16, or UTF-8 with a byte-order mark or
// without; at most a game-set text's size, from a disk (not a folder, not a device).
std::wstring ReadGameSetFile(const std::wstring& path, GameSetRead& read);
// Text with characters beyond the system code page is refused, naming them.
std::wstring ReadGameSetText(const std::wstring& text, GameSetRead& read);

// Writes a game-set text into `path` as a whole, never into the library file `library`
// (whatever the spelling of either), a folder or a read-only file.  Returns the sentence that
// says why nothing was written, and whether that is because `path` is the library; an empty
// text where the file was written.
std::wstring ExportGameSetFile(const std::wstring& path, const std::string& text,
                               const std::wstring& library, bool& isLibrary);
