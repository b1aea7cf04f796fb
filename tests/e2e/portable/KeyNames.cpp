#include "tests/e2e/portable/KeyNames.h"

namespace {

constexpr const char* kShiftPrefix = "Shift+";

struct NamedKey {
    const char* name;
    int virtualKey;
    bool extended;
};

// Plain numbers: the codes of the Windows headers, which this file builds without.
const NamedKey kKeys[] = {
    {"Tab", 0x09, false},      {"Space", 0x20, false},  {"Enter", 0x0D, false},
    {"KeypadEnter", 0x0D, true}, {"Escape", 0x1B, false}, {"PageUp", 0x21, true},
    {"PageDown", 0x22, true},  {"End", 0x23, true},     {"Home", 0x24, true},
    {"Left", 0x25, true},      {"Up", 0x26, true},      {"Right", 0x27, true},
    {"Down", 0x28, true},
};

}  // namespace

bool ParseKeyName(const std::string& name, KeyStroke& key) {
    const std::string prefix = kShiftPrefix;
    const bool shift = name.compare(0, prefix.size(), prefix) == 0;
    const std::string base = shift ? name.substr(prefix.size()) : name;
    for (const NamedKey& k : kKeys) {
        if (base == k.name) {
            key = {k.virtualKey, shift, k.extended};
            return true;
        }
    }
    return false;
}

const char* KeyNamesList() {
    return "Tab, Space, Enter, KeypadEnter, Escape, PageUp, PageDown, End, Home, Left, Up, Right, Down, "
           "each with an optional Shift+";
}
