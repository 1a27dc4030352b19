#include "support/WinTestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

const char kGameKey[] = "Software\\Brellix\\Ostravane";

void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string full = path + name;
            SetFileAttributesA(full.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(full + "\\");
            else
                DeleteFileA(full.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

REGSAM ViewFlag(GameRegistry::View view) {
    return view == GameRegistry::Wow32 ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
}

HKEY CreateGameKey(GameRegistry::View view) {
    HKEY key = nullptr;
    LONG rc = RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameKey, 0, nullptr, 0,
                              KEY_SET_VALUE | ViewFlag(view), nullptr, &key, nullptr);
    EXPECT_EQ(rc, ERROR_SUCCESS) << "cannot create the game's registry key";
    return key;
}

} // namespace

TempFolder::TempFolder(const std::string& in) {
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    if (!in.empty())
        snprintf(base, sizeof base, "%s", in.c_str());
    static int serial = 0;
    for (;;) {
        m_path = std::string(base) + "kestrine-" + std::to_string(GetCurrentProcessId()) + "-" +
                 std::to_string(++serial) + "\\";
        if (CreateDirectoryA(m_path.c_str(), nullptr))
            break;
    }
}

TempFolder::~TempFolder() {
    RemoveTree(m_path);
}

WorkingDirectory::WorkingDirectory(const std::string& folder) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, previous);
    m_previous = previous;
    EXPECT_TRUE(SetCurrentDirectoryA(folder.c_str()));
}

WorkingDirectory::~WorkingDirectory() {
    SetCurrentDirectoryA(m_previous.c_str());
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool FileExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

void MakeFolder(const std::string& path) {
    CreateDirectoryA(path.c_str(), nullptr);
}

GameRegistry::GameRegistry() {
    RemoveAll();
}
GameRegistry::~GameRegistry() {
    RemoveAll();
}

void GameRegistry::RemoveAll() {
    for (View view : {Wow32, Native})
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameKey, ViewFlag(view), 0);
}

void GameRegistry::SetDirectory(const std::string& directory, View view) {
    SetDirectoryBytes(std::string(directory.c_str(), directory.size() + 1), view);
}

void GameRegistry::SetDirectoryBytes(const std::string& bytes, View view, unsigned long type) {
    HKEY key = CreateGameKey(view);
    LONG rc = RegSetValueExA(key, "Directory", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             DWORD(bytes.size()));
    EXPECT_EQ(rc, ERROR_SUCCESS);
    RegCloseKey(key);
}

void GameRegistry::CreateKeyWithoutValue(View view) {
    RegCloseKey(CreateGameKey(view));
}

std::string KeyValue(const std::string& file, const std::string& key) {
    std::istringstream in(ReadFileBytes(file));
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            return line.substr(key.size() + 1);
    }
    return "<missing>";
}

std::string FullDiskFolder() {
    const char* state = getenv("KESTRINE_WINE_STATE");
    if (state == nullptr)
        return std::string();
    std::string folder = std::string("Z:") + state + "/full/";
    for (char& c : folder)
        c = c == '/' ? '\\' : c;
    ULARGE_INTEGER total;
    // The test bed mounts a disk of a few hundred kilobytes there when it can.
    if (!GetDiskFreeSpaceExA(folder.c_str(), nullptr, &total, nullptr) ||
        total.QuadPart > 1024 * 1024)
        return std::string();
    return folder;
}
