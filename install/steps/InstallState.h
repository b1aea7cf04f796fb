// Everything one run of the installer knows, kept by the worker from its
// start to the end of the process. Large, so it lives on the heap, never on
// the worker's small stack.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "install/portable/CopyJournal.h"
#include "install/portable/InstallRecord.h"
#include "install/steps/WindowsJournalDisk.h"
#include "pgr/DisplayInfo.h"
#include "pgr/MemPGR.h"
#include "toolkit/core/Corvane.h"

constexpr size_t kFolderPathSize = 261;  // MAX_PATH and its terminator
constexpr size_t kTargetTextSize = 1284;

// The special folders, by slot.
enum FolderSlot : int {
    kFolderStartMenu = 0,     // CSIDL_COMMON_PROGRAMS
    kFolderChosenRoot = 1,    // CSIDL_PROGRAM_FILES, or the folder the user picked
    kFolderInstallRoot = 2,   // the same; the program's files are written under it
    kFolderSystem = 3,        // CSIDL_SYSTEM
    kFolderLocalAppData = 4,  // CSIDL_LOCAL_APPDATA
    kFolderDesktop = 5,       // CSIDL_COMMON_DESKTOPDIRECTORY
    kFolderCount = 6,
};

// The names the copy step records (names in InstallState).
enum ProductName : int {
    kNameCompany = 0,
    kNameProduct = 1,
    kNameMainProgramCompany = 2,  // set with the main program's path
    kNameMainProgramProduct = 3,
    kNameMainProgramPath = 4,  // full path of the main program as installed
    kNameCount = 5,
};

struct InstallState {
    std::vector<std::string> subdirectories;
    std::string mainProgramName;
    std::string mainLinkName;
    CCorvane* toolkit = nullptr;
    CCorWindow installerWindow;
    CCorWindow welcomeDocument;
    CCorWindow progressWindow;
    CCorButton continueButton;
    CCorButton quitButton;
    char folders[kFolderCount][kFolderPathSize] = {};
    char driveLetters[5] = {};
    DisplayInfo display = {};
    std::unique_ptr<CMemPGR> archive;
    CCorButton cancelButton;
    std::string names[kNameCount];
    char targetText[kTargetTextSize] = {};
    // Every file opened for writing, in order, with the files they replaced:
    // as many as there are, where a fixed list would overflow; journalled on
    // the disk at journalPath while the copy runs.
    CWindowsJournalDisk journalDisk;
    CopyJournal createdFiles{journalDisk};
    std::string journalPath;
    // What the installation created, for the uninstaller; once it could not
    // be written, the user has been told and it is not tried again.
    InstallRecord record;
    bool recordWritable = true;
    int aborted = 0;
    // The progress window's client area and the bar's width as last drawn.
    SIZE progressClient = {};
    int progressBarWidth = 0;
};
