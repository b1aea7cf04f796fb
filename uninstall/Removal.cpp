#include "uninstall/Removal.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>

namespace {

// Deleting a running program's file, too, is refused as access denied;
// asking for delete access alone tells a file held open from one the user
// may not remove.
RemovalOutcome WhyFileStays(const std::string& path, DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return RemovalOutcome::AlreadyGone;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return RemovalOutcome::InUse;
    case ERROR_ACCESS_DENIED:
        break;
    default:
        return RemovalOutcome::Failed;
    }
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        return RemovalOutcome::ReadOnly;
    const HANDLE probe = CreateFileA(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                     nullptr, OPEN_EXISTING, 0, nullptr);
    if (probe != INVALID_HANDLE_VALUE) {
        CloseHandle(probe);
        return RemovalOutcome::Refused;
    }
    return GetLastError() == ERROR_SHARING_VIOLATION ? RemovalOutcome::InUse : RemovalOutcome::Refused;
}

RemovalOutcome RemoveFileItem(const std::string& path) {
    if (DeleteFileA(path.c_str()))
        return RemovalOutcome::Removed;
    return WhyFileStays(path, GetLastError());
}

RemovalOutcome RemoveDirectoryItem(const std::string& path) {
    if (RemoveDirectoryA(path.c_str()))
        return RemovalOutcome::Removed;
    switch (GetLastError()) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return RemovalOutcome::AlreadyGone;
    case ERROR_DIR_NOT_EMPTY:
        return RemovalOutcome::NotEmpty;
    case ERROR_SHARING_VIOLATION:
        return RemovalOutcome::InUse;
    case ERROR_ACCESS_DENIED:
        return RemovalOutcome::Refused;
    default:
        return RemovalOutcome::Failed;
    }
}

RemovalOutcome RegistryOutcome(LONG status) {
    switch (status) {
    case ERROR_SUCCESS:
        return RemovalOutcome::Removed;
    case ERROR_FILE_NOT_FOUND:
        return RemovalOutcome::AlreadyGone;
    case ERROR_ACCESS_DENIED:
        return RemovalOutcome::Refused;
    default:
        return RemovalOutcome::Failed;
    }
}

HKEY RootKey(const std::string& root) {
    return root == "HKLM" ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

RemovalOutcome RemoveKeyTree(const RecordItem& item) {
    return RegistryOutcome(static_cast<LONG>(SHDeleteKeyA(RootKey(item.root), item.path.c_str())));
}

// Another product of the same maker may have put its own key beside ours.
RemovalOutcome RemoveKeyIfEmpty(const RecordItem& item) {
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(RootKey(item.root), item.path.c_str(), 0, KEY_READ, &key);
    if (opened != ERROR_SUCCESS)
        return RegistryOutcome(opened);
    DWORD subkeys = 0, values = 0;
    const LONG asked = RegQueryInfoKeyA(key, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr,
                                        nullptr, nullptr, nullptr);
    RegCloseKey(key);
    if (asked != ERROR_SUCCESS)
        return RegistryOutcome(asked);
    if (subkeys != 0 || values != 0)
        return RemovalOutcome::NotEmpty;
    return RegistryOutcome(RegDeleteKeyA(RootKey(item.root), item.path.c_str()));
}

bool Recorded(const InstallRecord& record, const std::string& path) {
    return std::any_of(record.items.begin(), record.items.end(), [&](const RecordItem& item) {
        return item.root.empty() && lstrcmpiA(item.path.c_str(), path.c_str()) == 0;
    });
}

}  // namespace

RemovalOutcome RemoveItem(const RecordItem& item) {
    switch (item.kind) {
    case RecordKind::File:
    case RecordKind::Link:
        return RemoveFileItem(item.path);
    case RecordKind::Directory:
        return RemoveDirectoryItem(item.path);
    case RecordKind::Key:
        return RemoveKeyTree(item);
    case RecordKind::EmptyKey:
        return RemoveKeyIfEmpty(item);
    }
    return RemovalOutcome::Failed;
}

std::vector<std::string> Strangers(const std::string& directory, const InstallRecord& record) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((directory + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != ".." && !Recorded(record, directory + "\\" + name))
            names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}
