#include "framework/File.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cwctype>

std::wstring WideText(const std::string& text) {
    if (text.empty())
        return std::wstring();
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

// Without a "best fit": a character the code page lacks is lost, never changed into a
// look-alike (Ω into O); what does not read back as it was counts as lost too.
std::string CodePageText(const std::wstring& text, bool* lost) {
    BOOL replaced = FALSE;
    std::string narrow;
    if (!text.empty()) {
        int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(),
                                         int(text.size()), nullptr, 0, nullptr, nullptr);
        narrow.assign(size_t(length), '\0');
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), int(text.size()), &narrow[0],
                            length, nullptr, &replaced);
    }
    if (lost != nullptr)
        *lost = replaced != FALSE || WideText(narrow) != text;
    return narrow;
}

std::string ErrorText(DWORD code) {
    char* buffer = nullptr;
    DWORD length = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    std::string text(buffer != nullptr ? buffer : "", length);
    LocalFree(buffer);
    while (!text.empty() &&
           (std::isspace(static_cast<unsigned char>(text.back())) || text.back() == '.'))
        text.pop_back();
    if (!text.empty() && std::isupper(static_cast<unsigned char>(text[0])) &&
        (text.size() < 2 || !std::isupper(static_cast<unsigned char>(text[1]))))
        text[0] = char(std::tolower(static_cast<unsigned char>(text[0])));
    const std::string number = "error " + std::to_string(code);
    return text.empty() ? number : text + " (" + number + ")";
}

std::wstring FolderOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".\\") : path.substr(0, slash + 1);
}

std::wstring FullPathOf(const std::wstring& path) {
    DWORD length = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (length == 0)
        return path;
    std::wstring full(length, L'\0');
    length = GetFullPathNameW(path.c_str(), length, &full[0], nullptr);
    full.resize(length);
    return full;
}

namespace {

// The file's identity: its volume and its number there, the same for each of its names.
bool IdentityOf(const std::wstring& path, BY_HANDLE_FILE_INFORMATION& identity) {
    CFileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr,
                                 OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.IsOpen() && GetFileInformationByHandle(file.Get(), &identity);
}

} // namespace

bool IsDeviceName(const std::wstring& path) {
    std::wstring name = path.substr(path.find_last_of(L"\\/:") + 1);
    name = name.substr(0, name.find(L'.'));
    while (!name.empty() && name.back() == L' ')
        name.pop_back();
    for (wchar_t& c : name)
        c = wchar_t(std::towupper(c));
    static const wchar_t* const kDevices[] = {L"CON", L"PRN",    L"AUX",
                                              L"NUL", L"CONIN$", L"CONOUT$"};
    for (const wchar_t* device : kDevices) {
        if (name == device)
            return true;
    }
    return name.size() == 4 &&
           (name.compare(0, 3, L"COM") == 0 || name.compare(0, 3, L"LPT") == 0) &&
           name[3] >= L'1' && name[3] <= L'9';
}

bool IsSameFile(const std::wstring& a, const std::wstring& b) {
    if (CompareStringOrdinal(FullPathOf(a).c_str(), -1, FullPathOf(b).c_str(), -1, TRUE) ==
        CSTR_EQUAL)
        return true;
    BY_HANDLE_FILE_INFORMATION first, second;
    return IdentityOf(a, first) && IdentityOf(b, second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

DWORD OpenDiskFile(const std::wstring& path, DWORD access, DWORD share, CFileHandle& file) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_DIRECTORY_NOT_SUPPORTED;
    // A device name opens the device, which may block any read for good: it is let go at
    // once, unread.
    file = CFileHandle(CreateFileW(path.c_str(), access, share, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen())
        return GetLastError();
    if (GetFileType(file.Get()) != FILE_TYPE_DISK) {
        file.Close();
        return ERROR_BAD_FILE_TYPE;
    }
    return 0;
}

DWORD ReadWholeFile(HANDLE file, std::string& bytes, size_t limit) {
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file, &size))
        return GetLastError();
    if (uint64_t(size.QuadPart) > limit)
        return ERROR_FILE_TOO_LARGE;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return GetLastError();
    bytes.resize(size_t(size.QuadPart));
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30)), read = 0;
        if (!ReadFile(file, &bytes[done], chunk, &read, nullptr))
            return GetLastError();
        if (read == 0) // the file shrank meanwhile
            break;
        done += read;
    }
    bytes.resize(done);
    return 0;
}

DWORD ReadWholeFile(const std::wstring& path, std::string& bytes, size_t limit) {
    CFileHandle file;
    DWORD error = OpenDiskFile(path, GENERIC_READ, kShareAll, file);
    return error != 0 ? error : ReadWholeFile(file.Get(), bytes, limit);
}

namespace {

DWORD WriteAll(HANDLE file, const std::string& bytes) {
    for (size_t done = 0; done < bytes.size();) {
        DWORD chunk = DWORD(std::min<size_t>(bytes.size() - done, 1u << 30)), wrote = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &wrote, nullptr))
            return GetLastError();
        if (wrote == 0)
            return ERROR_WRITE_FAULT;
        done += wrote;
    }
    return 0;
}

} // namespace

DWORD OverwriteFile(HANDLE file, const std::string& bytes) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return GetLastError();
    if (DWORD error = WriteAll(file, bytes))
        return error;
    if (!SetEndOfFile(file) || !FlushFileBuffers(file))
        return GetLastError();
    return 0;
}

DWORD CNewFile::CreateBeside(const std::wstring& target) {
    const std::wstring folder = FolderOf(target);
    return Create(folder, std::min(kLongestScratchName, target.size() - folder.size()));
}

DWORD CNewFile::Create(const std::wstring& folder, size_t longestName) {
    Discard();
    static std::atomic<unsigned> counter{0};
    // "~k", hex digits from the process and the moment, and ".tmp" where the name has room:
    // 7 characters beside gvx.ini, 11 beside scripts.ini.
    const bool extension = longestName >= 11;
    const int digits = int(std::clamp<size_t>(longestName - 2 - (extension ? 4 : 0), 4, 8));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const unsigned mixed = (GetCurrentProcessId() * 2654435761u) ^
                               (GetTickCount() + counter++ * 7919u) ^ unsigned(attempt * 40503u);
        wchar_t name[32];
        swprintf(name, 32, L"~k%0*x%ls", digits,
                 digits >= 8 ? mixed : mixed & ((1u << (4 * digits)) - 1),
                 extension ? L".tmp" : L"");
        std::wstring path = folder + name;
        m_file = CFileHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                         FILE_ATTRIBUTE_NORMAL, nullptr));
        if (m_file.IsOpen()) {
            m_path = path;
            return 0;
        }
        DWORD error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS)
            return error;
    }
    return ERROR_FILE_EXISTS;
}

DWORD CNewFile::Write(const std::string& bytes) {
    return m_file.IsOpen() ? WriteAll(m_file.Get(), bytes) : ERROR_INVALID_HANDLE;
}

DWORD CNewFile::Finish() {
    if (!m_file.IsOpen())
        return m_path.empty() ? ERROR_INVALID_HANDLE : 0;
    DWORD error = FlushFileBuffers(m_file.Get()) ? 0 : GetLastError();
    m_file.Close();
    return error;
}

DWORD CNewFile::Commit(const std::wstring& target) {
    if (DWORD error = Finish())
        return error;
    if (!MoveFileExW(m_path.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return GetLastError();
    m_path.clear();
    return 0;
}

void CNewFile::Discard() {
    m_file.Close();
    if (!m_path.empty())
        DeleteFileW(m_path.c_str());
    m_path.clear();
}
