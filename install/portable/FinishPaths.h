// The paths the last steps of an installation use: the shortcut and its
// copies, the uninstall entry's two files and the launch directory.
#pragma once

#include <string>

// The shell link is saved through a UTF-16 buffer of MAX_PATH characters,
// the copies and the launch use ANSI calls of the same limit: a longer path
// would be cut or refused, so it is reported instead.
bool FitsSystemPathBuffer(const std::string& path);

struct ShortcutPaths {
    std::string link;           // {start menu}\{company}\{product}\{link name}.lnk
    std::string desktopCopy;    // {desktop}\{link name}.lnk
    std::string startMenuCopy;  // {start menu}\{link name}.lnk
};

ShortcutPaths ShortcutPathsFor(const std::string& startMenu, const std::string& desktop, const std::string& company,
                               const std::string& product, const std::string& linkName);

// The first of the three that does not fit; empty when all do.
std::string FirstOverlongShortcutPath(const ShortcutPaths& paths);

// {root}\{company}\{product}\{file}, as the uninstall entry names its files.
std::string ProductFilePath(const std::string& root, const std::string& company, const std::string& product,
                            const std::string& file);

// A path as Windows runs it as a command: in quotes, so that "C:\Program
// Files\..." cannot start a "C:\Program.exe" instead, run with an
// administrator's rights.
std::string CommandPath(const std::string& path);
