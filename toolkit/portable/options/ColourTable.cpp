#include "toolkit/portable/options/ColourTable.h"

#include <cstring>

#include "toolkit/portable/options/KeywordSearch.h"

namespace {

struct StandardColour {
    const char* name;
    uint32_t colour;
};

const StandardColour kStandardColours[] = {
    {"Green", RgbColour(0, 255, 0)},         {"G", RgbColour(0, 255, 0)},
    {"LightGreen", RgbColour(128, 255, 128)}, {"LG", RgbColour(128, 255, 128)},
    {"Blue", RgbColour(0, 0, 255)},          {"DarkBlue", RgbColour(0, 0, 128)},
    {"B", RgbColour(0, 0, 255)},             {"LightBlue", RgbColour(128, 128, 255)},
    {"LB", RgbColour(128, 128, 255)},        {"Cyan", RgbColour(0, 255, 255)},
    {"C", RgbColour(0, 255, 255)},           {"Red", RgbColour(255, 0, 0)},
    {"R", RgbColour(255, 0, 0)},             {"LightRed", RgbColour(255, 128, 128)},
    {"LR", RgbColour(255, 128, 128)},        {"LightYellow", RgbColour(255, 255, 128)},
    {"Yellow", RgbColour(255, 255, 0)},      {"Y", RgbColour(255, 255, 0)},
    {"Magenta", RgbColour(255, 0, 255)},     {"M", RgbColour(255, 0, 255)},
    {"Purple", RgbColour(255, 0, 255)},      {"P", RgbColour(255, 0, 255)},
    {"White", RgbColour(255, 255, 255)},     {"W", RgbColour(255, 255, 255)},
    {"Black", RgbColour(0, 0, 0)},           {"Bl", RgbColour(0, 0, 0)},
    {"LightGray", RgbColour(200, 200, 200)},
};

bool ComparableLength(const char* name) {
    return std::strlen(name) <= CColourTable::kMaxNameCompare;
}

}  // namespace

CColourTable::CColourTable() {
    for (const StandardColour& c : kStandardColours)
        Add(c.name, c.colour);
}

const CColourTable::Entry* CColourTable::FindEntry(const char* name) const {
    if (!name || !ComparableLength(name))
        return nullptr;
    for (const Entry& e : m_stEntries) {
        if (e.name.size() <= kMaxNameCompare && EqualFolded(e.name.c_str(), name))
            return &e;
    }
    return nullptr;
}

ColourAddResult CColourTable::Add(const char* name, uint32_t colour) {
    if (!name || !*name)
        return ColourAddResult::Refused;
    if (const Entry* existing = FindEntry(name))
        return existing->colour == colour ? ColourAddResult::ExistsSameColour
                                          : ColourAddResult::ExistsOtherColour;
    m_stEntries.push_back({name, colour});
    return ColourAddResult::Added;
}

bool CColourTable::Find(const char* name, uint32_t& colour) const {
    const Entry* e = FindEntry(name);
    if (!e)
        return false;
    colour = e->colour;
    return true;
}
