// The lines of the demo program's list of installed samples: the files of
// the Samples folder beside the program.
#pragma once

#include <string>
#include <vector>

struct DirectoryEntry {
    std::string name;
    bool directory = false;
    bool hidden = false;
};

// The list's only line when the folder is missing or holds no sample.
constexpr const char* kNoSamplesLine = "No samples installed";

// The names of the visible files among entries (a folder's listing, with
// "." and ".." as it comes), sorted by name regardless of case as Windows
// compares file names; names differing only in case keep a fixed order.
std::vector<std::string> SampleListLines(const std::vector<DirectoryEntry>& entries);

// The Samples folder beside the program file at programPath (either
// separator); empty when the path names no folder.
std::string SamplesFolderBeside(const std::string& programPath);
