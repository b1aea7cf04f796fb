// What the copy step will write, read from the archive's key lists before
// anything is written: the data files beside the installer, the directories,
// and every archive entry with its destination. Reading it all first lets a
// missing entry, an unknown group or an overlong path end the installer
// before the disk is touched.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "install/portable/CopyRules.h"
#include "pgr/ReadPGR.h"

// The names of the keys and fields the archive writer and the installer
// agree on, in plain text.
struct CopyKeyNames {
    std::string dataFileKey;
    std::string groupListKey;
    std::string subdirectoryListKey;
    std::string companyKey;
    std::string productKey;
    std::string entryField;
    std::string targetField;
    std::string flagField;
    std::string mainProgramGroup;
    std::string systemGroup;
};

struct DataFileCopy {
    std::string name;  // as the archive names it
    std::string source;
    std::string destination;
};

struct EntryCopy {
    std::string entry;
    std::string target;
    std::string destination;
    int32_t storedSize = 0;
    bool mainProgram = false;
};

struct CopyPlan {
    InstallFolders folders;  // company and product filled from the archive
    std::vector<DataFileCopy> dataFiles;
    std::vector<std::string> subdirectories;
    std::vector<std::string> directories;
    // Group entries in group order, then subdirectory entries.
    std::vector<EntryCopy> entries;
};

enum class CopyPlanProblem { None, PathTooLong, UnknownGroup, MissingEntry, ShortcutTooLong, NoFolderName };

struct CopyPlanResult {
    CopyPlan plan;
    CopyPlanProblem problem = CopyPlanProblem::None;
    std::string subject;  // the path, group, entry or key the problem is about
};

// folders gives the special-folder slots; installerDirectory is where data
// files are looked for. Everything that could stop the installation later
// (the shortcuts' paths among it) is found here, before anything is written.
CopyPlanResult ReadCopyPlan(CReadPGR& archive, const CopyKeyNames& names, const InstallFolders& folders,
                            const std::string& installerDirectory);

// The archive's share of the progress total: every entry's stored size.
int64_t StoredTotal(const CopyPlan& plan);
