// Finding the game's install directory, which its installer leaves in the registry.
#include "script/ScriptSettings.h"

#include "framework/Handle.h"

#include <windows.h>

#include <cstring>

namespace {

const char kDirectoryValue[] = "Directory";
const DWORD kDirectoryCapacity = 256; // value data, terminating NUL included

// Reads the directory value from one view of the registry; returns the registry's code.  A
// value that is not text is refused with a code of its own; an expandable one is expanded.
LONG QueryDirectory(REGSAM view, std::string& directory) {
    HKEY opened = nullptr;
    LONG rc =
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, kGameRegistryKey, 0, KEY_QUERY_VALUE | view, &opened);
    if (rc != ERROR_SUCCESS)
        return rc;
    CRegistryKey key(opened);
    char data[kDirectoryCapacity];
    DWORD size = sizeof data;
    DWORD type = REG_NONE;
    rc = RegQueryValueExA(key.Get(), kDirectoryValue, nullptr, &type, reinterpret_cast<BYTE*>(data),
                          &size);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ)
        return ERROR_DATATYPE_MISMATCH;
    directory.assign(data, strnlen(data, size));
    if (type == REG_EXPAND_SZ) {
        DWORD length = ExpandEnvironmentStringsA(directory.c_str(), nullptr, 0);
        std::string expanded(length, '\0');
        if (length == 0 ||
            ExpandEnvironmentStringsA(directory.c_str(), &expanded[0], length) != length)
            return GetLastError() != ERROR_SUCCESS ? LONG(GetLastError()) : ERROR_INVALID_DATA;
        expanded.resize(length - 1);
        directory = expanded;
    }
    return ERROR_SUCCESS;
}

} // namespace

unsigned long CScriptSettings::GetGameDirectory(std::string& directory) const {
    // The game's installer is a 32-bit program, so on 64-bit Windows its key normally lies in
    // the 32-bit view; a key in the native view is honoured too.
    std::string text;
    LONG rc32 = QueryDirectory(KEY_WOW64_32KEY, text);
    if (rc32 != ERROR_SUCCESS) {
        LONG rcNative = QueryDirectory(0, text);
        if (rcNative != ERROR_SUCCESS) {
            // Name the fault of a key that exists over the absence of the other one.
            return DWORD(rc32 != ERROR_FILE_NOT_FOUND ? rc32 : rcNative);
        }
    }
    if (text.empty() || text.back() != '\\')
        text += '\\';
    // Every file path built on it must stay within the platform's path limit; the longest is
    // that of scripts.ini.  A folder too long for it is named all the same, for the message.
    directory = text;
    if (text.size() + strlen(kScriptsFolder) + strlen(kScriptsFileName) > kLongestFilePath)
        return ERROR_FILENAME_EXCED_RANGE;
    return 0;
}

unsigned long CScriptSettings::GetScriptsDirectory(std::string& directory) const {
    std::string text;
    if (DWORD error = GetGameDirectory(text))
        return error;
    directory = text + kScriptsFolder;
    return 0;
}
