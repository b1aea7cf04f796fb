#include "tools/demo-program/InstalledFacts.h"

#include "app/ScopedKey.h"

namespace {

constexpr const char* kProductKey = "Software\\Orvalis\\Image Editor";
constexpr const char* kVersionValue = "Version";
// Room for any version and then some; a longer value fails the read.
constexpr DWORD kVersionBufferSize = 256;

class CScopedFind {
  public:
    explicit CScopedFind(HANDLE find) : m_hFind(find) {}
    CScopedFind(const CScopedFind&) = delete;
    CScopedFind& operator=(const CScopedFind&) = delete;
    ~CScopedFind() {
        if (*this)
            FindClose(m_hFind);
    }
    HANDLE Get() const { return m_hFind; }
    explicit operator bool() const { return m_hFind != INVALID_HANDLE_VALUE; }

  private:
    HANDLE m_hFind;
};

// Empty when the buffer was filled: the path may then be cut short and name
// some other folder.
std::string ProgramPath() {
    char path[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return {};
    return std::string(path, length);
}

DirectoryEntry EntryOf(const WIN32_FIND_DATAA& found) {
    return {found.cFileName, (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
            (found.dwFileAttributes & FILE_ATTRIBUTE_HIDDEN) != 0};
}

}  // namespace

std::optional<std::string> ReadInstalledVersion() {
    CScopedKey key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kProductKey, 0, KEY_QUERY_VALUE, key.Receive()) != ERROR_SUCCESS)
        return std::nullopt;
    char data[kVersionBufferSize];
    DWORD type = REG_NONE;
    DWORD size = sizeof data;
    const LONG status =
        RegQueryValueExA(key.Get(), kVersionValue, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return std::nullopt;
    return std::string(data, size);
}

std::vector<DirectoryEntry> ListSamplesFolder() {
    std::vector<DirectoryEntry> entries;
    const std::string folder = SamplesFolderBeside(ProgramPath());
    if (folder.empty())
        return entries;
    WIN32_FIND_DATAA found;
    const CScopedFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find)
        return entries;
    do {
        entries.push_back(EntryOf(found));
    } while (FindNextFileA(find.Get(), &found));
    return entries;
}
