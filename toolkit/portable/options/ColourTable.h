// Named colours ("LightGray", "LG", ...) used by option values and text markup.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A Windows colour value: red in the low byte, then green, then blue.
constexpr uint32_t RgbColour(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<uint32_t>(r) | (static_cast<uint32_t>(g) << 8) | (static_cast<uint32_t>(b) << 16);
}

enum class ColourAddResult {
    Added,
    ExistsSameColour,   // the name was there already with this colour
    ExistsOtherColour,  // the name was there already; the old colour is kept
    Refused,            // empty name
};

class CColourTable {
  public:
    // Filled with the standard names.
    CColourTable();

    // An existing name (compared without case) is never replaced.
    ColourAddResult Add(const char* name, uint32_t colour);
    // Whole name, without case.
    bool Find(const char* name, uint32_t& colour) const;
    size_t Size() const { return m_stEntries.size(); }

    // Names longer than this never compare equal to anything.
    static constexpr size_t kMaxNameCompare = 299;

  private:
    struct Entry {
        std::string name;
        uint32_t colour;
    };
    const Entry* FindEntry(const char* name) const;

    std::vector<Entry> m_stEntries;
};
