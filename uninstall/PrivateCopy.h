// A program cannot delete its own file while it runs. The uninstaller
// started from the product folder therefore copies itself into a private
// directory made for the purpose under the user's temporary folder, starts
// that copy and ends. The copy waits for it to end, removes the product (the
// original file with it), and as it ends hands its own file and directory
// to the system's command interpreter, which removes them once it has gone.
#pragma once

#include <windows.h>

#include <string>

#include "uninstall/CopyCommandLine.h"

// True once the copy runs; the original then only has to end.
bool StartPrivateCopy(const std::string& self);

// Until the original process has ended, or at most a minute.
void WaitForOriginal(const CopyCommand& command);

// The copy's last act: its file and private directory go once it has ended.
void RemovePrivateCopyAfterExit(const std::string& self);

// The directory part of a path, without the separator.
std::string DirectoryOf(const std::string& path);

std::string ModulePath();
