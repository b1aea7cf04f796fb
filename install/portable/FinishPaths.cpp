#include "install/portable/FinishPaths.h"

#include "install/portable/CopyRules.h"

bool FitsSystemPathBuffer(const std::string& path) {
    return path.size() <= kMaxFilePathLength;
}

ShortcutPaths ShortcutPathsFor(const std::string& startMenu, const std::string& desktop, const std::string& company,
                               const std::string& product, const std::string& linkName) {
    const std::string file = linkName + ".lnk";
    return {JoinPath({startMenu, company, product, file}), JoinPath({desktop, file}), JoinPath({startMenu, file})};
}

std::string FirstOverlongShortcutPath(const ShortcutPaths& paths) {
    for (const std::string* path : {&paths.link, &paths.desktopCopy, &paths.startMenuCopy})
        if (!FitsSystemPathBuffer(*path))
            return *path;
    return "";
}

std::string ProductFilePath(const std::string& root, const std::string& company, const std::string& product,
                            const std::string& file) {
    return JoinPath({root, company, product, file});
}

std::string CommandPath(const std::string& path) {
    return "\"" + path + "\"";
}
