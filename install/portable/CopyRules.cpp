#include "install/portable/CopyRules.h"

#include "install/portable/ArchiveKeys.h"

namespace {

constexpr int kBarMargins = 8;

}  // namespace

int64_t CopyPercent(int64_t done, int64_t total) {
    if (total <= 0)
        return 100;
    return done * 100 / total;
}

int ProgressBarWidth(int64_t done, int64_t total, int clientWidth) {
    return static_cast<int>(CopyPercent(done, total) * (clientWidth - kBarMargins) / 100);
}

bool IsMainProgramFlag(const char* flag) {
    return flag && (flag[0] == 'Y' || flag[0] == 'y' || flag[0] == '\x01');
}

std::string JoinPath(std::initializer_list<std::string_view> parts) {
    std::string path;
    for (std::string_view part : parts) {
        if (!path.empty())
            path += '\\';
        path += part;
    }
    return path;
}

std::string UpperCaseName(std::string_view name) {
    std::string upper(name);
    for (char& c : upper)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return upper;
}

std::string ProductDirectory(const InstallFolders& folders) {
    return JoinPath({folders.installRoot, folders.company, folders.product});
}

std::vector<std::string> InstallDirectories(const InstallFolders& folders,
                                            const std::vector<std::string>& subdirectories) {
    std::vector<std::string> directories = {
        JoinPath({folders.startMenu, folders.company}),
        JoinPath({folders.startMenu, folders.company, folders.product}),
        JoinPath({folders.installRoot, folders.company}),
        ProductDirectory(folders),
    };
    for (const std::string& subdirectory : subdirectories)
        directories.push_back(JoinPath({ProductDirectory(folders), subdirectory}));
    directories.push_back(JoinPath({folders.localAppData, folders.company}));
    directories.push_back(JoinPath({folders.localAppData, folders.company, folders.product}));
    return directories;
}

GroupKind ClassifyGroup(std::string_view group, std::string_view mainProgramGroup, std::string_view systemGroup) {
    if (group == mainProgramGroup)
        return GroupKind::MainProgram;
    if (group == systemGroup)
        return GroupKind::System;
    if (group == ArchiveKeys::kApplicationDataGroup)
        return GroupKind::ApplicationData;
    if (group == ArchiveKeys::kLocalApplicationDataGroup)
        return GroupKind::ApplicationData1;
    return GroupKind::Unknown;
}

std::string GroupEntryDestination(const InstallFolders& folders, GroupKind kind, std::string_view target) {
    switch (kind) {
    case GroupKind::MainProgram:
    case GroupKind::ApplicationData:
        return JoinPath({ProductDirectory(folders), target});
    case GroupKind::System:
        return JoinPath({folders.system, target});
    case GroupKind::ApplicationData1:
        return JoinPath({folders.localAppData, folders.company, target});
    case GroupKind::Unknown:
        break;
    }
    return {};
}
