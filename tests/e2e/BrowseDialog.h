// The folder browser (SHBrowseForFolder) of the program under test.
#pragma once

#include <string>

#include "toolkit/core/Platform.h"

// The browser's dialog is the process's "#32770" window holding a tree of
// folders; its caption is the system's, the program's title is a text
// inside it. Null when none is open.
HWND FindBrowseDialog(DWORD processId);

// Selects folder in the dialog with BFFM_SETSELECTIONA, which the dialog
// documents for this. The path is read in the dialog's process, so it is
// written into that process's memory first. False, with error set, when
// the folder does not exist or the dialog does not take it.
bool SelectFolder(HANDLE process, HWND dialog, const std::string& folder, std::string& error);
