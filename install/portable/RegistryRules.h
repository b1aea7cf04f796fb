// The registry step's decisions that need no Windows: which product values
// the archive lists, as what type, and whether a value already there is
// replaced.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "pgr/ReadPGR.h"

// The names of the three item keys and the two type words the archive
// writer and the installer agree on, in plain text.
struct RegistryKeyNames {
    std::string itemKey;  // repeated; each value names a registry value
    std::string typeKey;
    std::string dataKey;
    std::string numberWord;
    std::string textWord;
};

enum class RegistryValueKind { Number, Text, Neither };

struct RegistryItem {
    std::string name;
    RegistryValueKind kind = RegistryValueKind::Neither;
    std::string data;
};

// The type word as the item's kind: only an exact match names one.
RegistryValueKind ClassifyRegistryType(const char* type, const RegistryKeyNames& names);

// Each item key's value with the type and data keys that follow it in the
// key table, in table order. A missing type writes nothing; missing data
// is empty.
std::vector<RegistryItem> ReadRegistryItems(CReadPGR& archive, const RegistryKeyNames& names);

enum class RegistryWrite { Nothing, Number, Text };

// A number is always refreshed; a text the user's registry already holds
// keeps its value.
RegistryWrite DecideRegistryWrite(RegistryValueKind kind, bool valueExists);

// A number item's data as the 32-bit value written: atoi's reading, a
// negative number in two's complement.
uint32_t RegistryNumber(const std::string& data);
