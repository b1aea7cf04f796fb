#include "install/steps/WindowsJournalDisk.h"

namespace {

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

CWindowsJournalDisk::~CWindowsJournalDisk() {
    CloseJournal();
}

bool CWindowsJournalDisk::Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CWindowsJournalDisk::Move(const std::string& from, const std::string& to) {
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// A read-only earlier file was renamed as it was; its mark must not keep it.
bool CWindowsJournalDisk::Remove(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    return DeleteFileA(path.c_str()) != 0;
}

bool CWindowsJournalDisk::RemoveAtRestart(const std::string& path) {
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != 0;
}

bool CWindowsJournalDisk::CreateJournal(const std::string& path, const std::string& text) {
    CloseJournal();
    CreateDirectoryA(FolderOf(path).c_str(), nullptr);
    m_hJournal = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    return m_hJournal != INVALID_HANDLE_VALUE && AppendToJournal(text);
}

bool CWindowsJournalDisk::AppendToJournal(const std::string& text) {
    DWORD written = 0;
    return m_hJournal != INVALID_HANDLE_VALUE &&
           WriteFile(m_hJournal, text.data(), static_cast<DWORD>(text.size()), &written, nullptr) &&
           written == text.size() && FlushFileBuffers(m_hJournal);
}

void CWindowsJournalDisk::CloseJournal() {
    if (m_hJournal != INVALID_HANDLE_VALUE)
        CloseHandle(m_hJournal);
    m_hJournal = INVALID_HANDLE_VALUE;
}

void CWindowsJournalDisk::DeleteJournal(const std::string& path) {
    CloseJournal();
    Remove(path);
    RemoveDirectoryA(FolderOf(path).c_str());  // only when nothing else is in it
}

bool CWindowsJournalDisk::ReadJournal(const std::string& path, std::string& text) {
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    text.clear();
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0)
        text.append(buffer, got);
    CloseHandle(file);
    return true;
}
