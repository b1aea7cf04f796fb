// The copy step's decisions that need no Windows: how far the progress bar
// reaches, where each installed file goes, which entry is the main program.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

// The ANSI file functions refuse longer paths (MAX_PATH less the
// terminator); CreateDirectoryA keeps 12 more characters free for a file name.
constexpr size_t kMaxFilePathLength = 259;
constexpr size_t kMaxDirectoryPathLength = 247;

// Percent done, in 64 bits so that byte counts of any size cannot overflow.
// Nothing to copy counts as all done. Compressed entries count their stored
// size in total but their inflated size in done, so the result may pass 100.
int64_t CopyPercent(int64_t done, int64_t total);

// Width of the bar in a client area clientWidth wide: the percentage of the
// area less its 4-pixel margins, truncated; wider than the area past 100 %.
int ProgressBarWidth(int64_t done, int64_t total, int clientWidth);

// A flag value marks the main program when it starts with "Y", "y" or the
// byte 1; a missing value never does.
bool IsMainProgramFlag(const char* flag);

// The parts joined with single backslashes.
std::string JoinPath(std::initializer_list<std::string_view> parts);

// The upper-case copy under which a subdirectory's records are qualified:
// ASCII letters only, as strupr does in the C locale.
std::string UpperCaseName(std::string_view name);

// The folders files go under: the special-folder slots and the two names
// read from the archive.
struct InstallFolders {
    std::string startMenu;     // slot 0
    std::string installRoot;   // slot 2
    std::string system;        // slot 3
    std::string localAppData;  // slot 4
    std::string company;
    std::string product;
    std::string desktop;  // slot 5, where a copy of the shortcut may go
};

// {install root}\{company}\{product}, where the program's own files go.
std::string ProductDirectory(const InstallFolders& folders);

// The directories created before copying, in creation order.
std::vector<std::string> InstallDirectories(const InstallFolders& folders,
                                            const std::vector<std::string>& subdirectories);

enum class GroupKind { MainProgram, System, ApplicationData, ApplicationData1, Unknown };

// The group names with a meaning of their own: the two the archive writer
// and the installer agree on, and the two fixed ones.
GroupKind ClassifyGroup(std::string_view group, std::string_view mainProgramGroup, std::string_view systemGroup);

// Where an entry of a group with target name target goes; empty for a group
// of no known kind.
std::string GroupEntryDestination(const InstallFolders& folders, GroupKind kind, std::string_view target);
