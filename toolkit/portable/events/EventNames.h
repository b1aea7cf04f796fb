// The events a thread can wait for, by name ("AnyButton,CloseWindow"), and
// the splitting of an event list into names.
#pragma once

#include <string>
#include <vector>

enum EventCode : int {
    kEventAnyMouse = 0,
    kEventMouseDown = 1,
    kEventMouseMove = 2,
    kEventMouseUp = 3,
    kEventLeftClick = 4,
    kEventRightClick = 5,
    kEventButton = 6,
    kEventListBox = 7,
    kEventTimer = 8,
    kEventScroll = 9,
    kEventMenu = 10,
    kEventCloseWindow = 11,
    kEventUser = 12,
    kEventMouseWheel = 14,
    kEventKey = 15,
    kEventNamedControl = 16,
};

// Code of an event name, compared without case; -1 for an unknown name.
int FindEventCode(const std::string& name);

// Tokens of 200 characters or more make the whole list invalid.
constexpr size_t kMaxEventToken = 199;
// Tokens of at most this length are also compared with control names.
constexpr size_t kMaxControlNameToken = 197;

// Splits an event list at commas. Blanks and commas before a token are
// skipped; a token ends at a comma or a control character, so a space inside
// it belongs to it ("AnyButton CloseWindow" is one token that names nothing).
// Returns false, with no tokens, when a token is too long.
bool SplitEventList(const char* list, std::vector<std::string>& tokens);
