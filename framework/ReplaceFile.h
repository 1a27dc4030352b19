// Replacing a file's contents all at once: the new contents go to a file of a name of its own in
// the same folder, are flushed to the disk, and only then take the old file's place.  Whatever
// fails on the way, the old file stays as it was and nothing is left behind.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

enum class ReplaceFault {
    None,
    CannotCreate, // the folder does not take a new file (missing, read-only, ...)
    CannotWrite,  // writing, flushing or the replacement failed (a full disk, ...)
};

// On a fault, `error` holds the platform's code.  `beforeReplacing` runs once the new file is
// on the disk, just before it takes the old one's place (to let go of the old file).
ReplaceFault ReplaceFileContents(const std::string& path, const void* bytes, size_t size,
                                 unsigned long& error,
                                 const std::function<void()>& beforeReplacing = nullptr);

// The folder of a path, ending in its separator; "." for a bare file name.
std::string FolderOf(const std::string& path);
