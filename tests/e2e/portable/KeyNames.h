// The keys a driver script types, by name: "Tab", "Shift+Tab", "Space",
// "Enter", "KeypadEnter", "Escape", "Up", "Down", "Left", "Right",
// "PageUp", "PageDown", "Home" and "End", each with an optional "Shift+".
#pragma once

#include <string>

struct KeyStroke {
    int virtualKey = 0;     // the Windows virtual-key code
    bool shift = false;     // Shift held around it
    bool extended = false;  // the extended key of that code (keypad Enter, the arrow block)
};

// False for a name that is none of the above.
bool ParseKeyName(const std::string& name, KeyStroke& key);

// The names, for an error message.
const char* KeyNamesList();
