// Timing helpers for the benchmarks that run under Wine.
#pragma once

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

inline double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) * 1000.0 / double(frequency.QuadPart);
}

// A path of the machine Wine runs on as the Windows programs see it.
inline std::string WindowsPath(const char* unixPath) {
    std::string path = std::string("Z:") + unixPath;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

inline double Median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2];
}

inline void SetGameDirectory(const std::string& directory);

// A game folder of a benchmark's own in the temporary folder (with Assets\Scripts), named in
// the registry as the game's: its path, ending in a backslash.
inline std::string BenchGameFolder(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    const std::string game = std::string(temp) + name + "\\";
    for (const char* folder : {"", "Assets", "Assets\\Scripts"})
        CreateDirectoryA((game + folder).c_str(), nullptr);
    SetGameDirectory(game);
    return game;
}

// Names `directory` as the game's folder in both views of the registry, as its installer would.
inline void SetGameDirectory(const std::string& directory) {
    for (REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, "Software\\Brellix\\Ostravane", 0, nullptr, 0,
                            KEY_SET_VALUE | view, nullptr, &key, nullptr) == ERROR_SUCCESS) {
            RegSetValueExA(key, "Directory", 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(directory.c_str()),
                           DWORD(directory.size() + 1));
            RegCloseKey(key);
        }
    }
}
