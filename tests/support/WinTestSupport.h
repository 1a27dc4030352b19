// Helpers for tests that run under Wine against the real registry and file system.
#pragma once

#include <string>

// A fresh folder under the temporary directory (or `base`), removed with everything in it at
// the end.
class TempFolder {
public:
    explicit TempFolder(const std::string& base = std::string());
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's path, ending in a backslash.
    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + name; }

private:
    std::string m_path;
};

// Makes `folder` the process's working directory until the end of the scope.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& folder);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::string m_previous;
};

void WriteFileBytes(const std::string& path, const std::string& bytes);
std::string ReadFileBytes(const std::string& path);
// Whether a file of that name (or wildcard pattern) exists.
bool FileExists(const std::string& pattern);
// The game's folders under `game`: Assets\\Scripts.
void MakeGameFolders(const std::string& game);
// Fills the disk of `folder` with the file `filler`.
void FillDisk(const std::string& folder, const std::string& filler);
// A path of the machine Wine runs on, as Wine's drive Z: shows it.
std::string WindowsPathOf(const std::string& linuxPath);

// The test bed's folders: "full" on a small disk that tests may fill; game folders (with
// gvx.ini and Assets\Scripts\scripts.ini) "frozen", which takes no new file while its files
// (QXData.dat among them) stay writable, and "linked", whose scripts.ini is a symbolic link to
// linked\target.ini and whose QXData.dat one to linked\library.dat.
// "" where this run's bed could not make it.
std::string TestBedFolder(const std::string& name);

// The value of `key` as a profile file holds it, "<missing>" when no line sets it.
std::string KeyValue(const std::string& file, const std::string& key);

// The game's registry key, Software\Brellix\Ostravane of HKLM, in the 32-bit or the native
// view.  Construction removes it from both views; so does destruction.
class GameRegistry {
public:
    enum View { Wow32, Native };
    GameRegistry();
    ~GameRegistry();
    GameRegistry(const GameRegistry&) = delete;
    GameRegistry& operator=(const GameRegistry&) = delete;

    void SetDirectory(const std::string& directory, View view = Wow32);
    // Exact value data, of any registry type.
    void SetDirectoryBytes(const std::string& bytes, View view = Wow32, unsigned long type = 1);
    static void RemoveAll();
};
