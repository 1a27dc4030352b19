// Changing keys of a settings file as a whole: the file is either updated completely or left
// byte for byte as it was.
#pragma once

#include <string>
#include <utility>
#include <vector>

using ProfileValues = std::vector<std::pair<const char*, std::string>>;

// Sets `values`, in order, in `section` of `file` (line breaks in values become blanks).  The
// keys are written into a copy of the file in the same folder; the copy is checked to hold
// every key written and everything else the file held, flushed, and then replaces the file.
// False, with the platform's code as the last error, when any step fails; the copy is then
// removed and the file is untouched.
bool UpdateSettingsFile(const std::string& file, const char* section, const ProfileValues& values);

// Tests stand in for the profile writer here, to fail as a full disk does.
using ProfileWriter = int(__stdcall*)(const char* section, const char* key, const char* value,
                                      const char* file);
void SetProfileWriter(ProfileWriter writer); // null restores the platform's
