// Option strings of controls: the control's name and the keywords each kind
// of control reads.
#pragma once

#include <string>

// The name given by "name=", "n=", "name " or "n " (searched in that order).
// Blanks behind the keyword are skipped; the name runs to the first comma or
// control character. Empty when there is no name or it is longer than
// kMaxControlName characters.
std::string ParseControlName(const char* options);

constexpr size_t kMaxControlName = 198;

struct ButtonOptions {
    std::string name;
    bool recessed = false;  // "recessed" or "depressed"
    bool system = false;
    bool disabled = false;
    bool hidden = false;
    bool checkBox = false;  // also set by "radiobutton"
    bool radioButton = false;
    bool oldStyle = false;
    bool ownerDraw = false;
    bool asThread = false;
    bool asClass = false;
    bool transparent = false;
    int transparency = -1;    // "transparent=N"; -1 is none
    int hotTransparency = 0;  // ".../hot=M", used while the pointer is over it
    bool hotTransparencyGiven = false;
};
ButtonOptions ParseButtonOptions(const char* options);

enum class Orientation { None, Horizontal, Vertical };

// Scroll bars and trackbars: an orientation keyword is required.
struct BarOptions {
    Orientation orientation = Orientation::None;
    bool alignEnd = false;  // "bottom" for horizontal, "right" for vertical bars
    bool disabled = false;
};
BarOptions ParseBarOptions(const char* options);

struct ListOptions {  // list boxes and combo boxes
    bool sunken = false;
    bool defaultFont = false;
    bool defaultColours = false;
};
ListOptions ParseListOptions(const char* options);

struct EditOptions {
    std::string name;
    bool multiline = false;
    bool autoVScroll = false;
    bool readOnly = false;
    bool floatNumbersOnly = false;
    bool numbersOnly = false;  // cancelled by "floatnumbersonly"
    bool startGroup = false;
    bool endGroup = false;
    bool hidden = false;
};
EditOptions ParseEditOptions(const char* options);

struct PanelOptions {  // child panels
    bool hidden = false;
    bool regularWindow = false;
    bool popup = false;
};
PanelOptions ParsePanelOptions(const char* options);

// Menu items: "Position=" and a decimal number place the item (0 when absent
// or without digits); "popup" makes it a pop-up entry.
struct MenuItemOptions {
    int position = 0;
    bool popup = false;
};
MenuItemOptions ParseMenuItemOptions(const char* options);
