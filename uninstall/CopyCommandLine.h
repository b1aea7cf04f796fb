// The command line the uninstaller gives its private copy: the original's
// path, and the value of a process handle the copy inherits.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct CopyCommand {
    std::string original;
    uint64_t originalProcess = 0;
};

std::string FormatCopyCommandLine(const std::string& copy, const CopyCommand& command);

// False for any other command line: then this process is the original.
bool ParseCopyCommandLine(std::string_view commandLine, CopyCommand& command);
