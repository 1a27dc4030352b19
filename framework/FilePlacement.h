// Putting new contents in a file's place so that the file stays what it is: its attributes, a
// second name (a hard link), a symbolic link standing for it, and other programs that hold it
// open.  The file is either complete with the new contents or left as it was.
#pragma once

#include "framework/File.h"

#include <string>

// The user's temporary folder, ending in its separator; empty when there is none.
std::wstring TempFolder();

// Puts `bytes` in the place of the file at `path`, whose contents were `original`: by
// renaming `ready` (a finished new file beside it that holds `bytes`, or null) where a rename
// keeps everything the file is, else by rewriting the file itself, its original kept in a
// backup until the new contents are complete and read back.  Creates the file where there is
// none.  Returns 0 or the platform's code.
DWORD PlaceFileContents(const std::wstring& path, const std::string& bytes,
                        const std::string& original, CNewFile* ready);
