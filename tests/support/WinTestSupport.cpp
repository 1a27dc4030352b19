#include "support/WinTestSupport.h"

#include "script/GameFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

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

} // namespace

TempFolder::TempFolder(const std::string& in) {
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    static int serial = 0;
    do
        m_path = (in.empty() ? std::string(temp) : in) + "kestrine-" +
                 std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial) + "\\";
    while (!CreateDirectoryA(m_path.c_str(), nullptr));
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

bool FileExists(const std::string& pattern) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    FindClose(search);
    return search != INVALID_HANDLE_VALUE;
}

void MakeGameFolders(const std::string& game) {
    CreateDirectoryA((game + "Assets").c_str(), nullptr);
    CreateDirectoryA((game + "Assets\\Scripts").c_str(), nullptr);
}

GameRegistry::GameRegistry() {
    RemoveAll();
}
GameRegistry::~GameRegistry() {
    RemoveAll();
}

void GameRegistry::RemoveAll() {
    for (View view : {Wow32, Native})
        RegDeleteKeyExA(HKEY_LOCAL_MACHINE, kGameRegistryKey, ViewFlag(view), 0);
}

void GameRegistry::SetDirectory(const std::string& directory, View view) {
    SetDirectoryBytes(std::string(directory.c_str(), directory.size() + 1), view);
}

void GameRegistry::SetDirectoryBytes(const std::string& bytes, View view, unsigned long type) {
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kGameRegistryKey, 0, nullptr, 0,
                              KEY_SET_VALUE | ViewFlag(view), nullptr, &key, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, "Directory", 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                             DWORD(bytes.size())),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

std::string KeyValue(const std::string& file, const std::string& key) {
    const std::string text = "\n" + ReadFileBytes(file);
    size_t at = text.find("\n" + key + "=");
    if (at == std::string::npos)
        return "<missing>";
    at += key.size() + 2;
    return text.substr(at, text.find_first_of("\r\n", at) - at);
}

std::string WindowsPathOf(const std::string& linuxPath) {
    std::string path = "Z:" + linuxPath;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}

std::string TestBedFolder(const std::string& name) {
    const char* state = getenv("KESTRINE_WINE_STATE");
    if (state == nullptr)
        return std::string();
    const std::string folder = WindowsPathOf(std::string(state) + "/" + name + "/");
    return GetFileAttributesA(folder.c_str()) == INVALID_FILE_ATTRIBUTES ? std::string() : folder;
}

void FillDisk(const std::string& folder, const std::string& filler) {
    ULARGE_INTEGER free;
    ASSERT_TRUE(GetDiskFreeSpaceExA(folder.c_str(), &free, nullptr, nullptr));
    WriteFileBytes(folder + filler, std::string(size_t(free.QuadPart), 'f'));
}
