// Finding the windows of the program under test, as a user sees them.
#pragma once

#include <string>
#include <vector>

#include "toolkit/core/Platform.h"

// The visible top-level windows of a process and of the processes it
// started, front to back.
std::vector<HWND> VisibleTopLevelWindows(DWORD processId);

// The frontmost visible top-level window of the process with exactly this
// title and, unless className is empty, this class; null when none.
HWND FindTopLevel(DWORD processId, const std::string& title, const std::string& className = "");

// Every descendant of parent, in the system's order.
std::vector<HWND> Descendants(HWND parent);

// The first descendant of parent of this class; null when none.
HWND FindDescendant(HWND parent, const std::string& className);

// The visible, enabled button of any of windows whose caption matches
// (see CaptionMatches); null when none.
HWND FindButton(const std::vector<HWND>& windows, const std::string& caption);

std::string ClassOf(HWND window);

// A window's caption as the system keeps it; for another process's window
// this asks nothing of its thread, so a busy program cannot slow a search.
std::string CaptionOf(HWND window);

// A control's own text (an edit box keeps it apart from its caption),
// through WM_GETTEXT, which the system carries between processes; empty
// when the control's thread does not answer in time.
std::string ControlText(HWND control);

// A check box's state as the system shows it; false when its thread does
// not answer in time.
bool ReadCheck(HWND box, bool& checked);
