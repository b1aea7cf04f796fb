// Window option strings ("noclose nosysmenu", "innersize noborder") read once
// into a typed value, and the window styles that value gives.
#pragma once

#include <cstdint>

enum class BorderKind : uint8_t {
    Border = 1,     // "border", the default
    Raised = 2,     // "raised"
    Recessed = 3,   // "recessed", "depressed"
    Sunken = 4,     // "sunken"
    None = 5,       // "noborder"
    NoneAtAll = 6,  // "noborder2"
};

enum class WindowClassKind : uint8_t { UserWin, DropShadow, DoubleClick, NoCursor, TextWindow };

struct WindowOptions {
    BorderKind border = BorderKind::Border;
    bool innerSize = false;
    bool child = false;
    bool hidden = false;
    bool defaultColours = false;
    bool defaultFont = false;
    bool noSysMenu = false;
    bool noCaption = false;
    bool toolWindow = false;
    bool doubleClick = false;
    bool noOwner = false;
    bool noCursor = false;
    bool maximize = false;
    bool resizeable = false;
    bool noSizing = false;
    bool layered = false;  // "xransparent"
    bool dropShadow = false;
    bool transparent = false;
    bool localWindow = false;
    bool noTitle = false;
    bool textOnly = false;
    bool asDialog = false;
    bool initial = false;
    // Transparency values behind "transparent=N/M", handed to a text window.
    int transparency = 0;
    int transparencyTo = 255;
};

WindowOptions ParseWindowOptions(const char* options);

struct WindowStyle {
    uint32_t style = 0;    // final window style, WS_VISIBLE never set
    uint32_t exStyle = 0;  // final extended style
    WindowClassKind windowClass = WindowClassKind::UserWin;
    // A popup window with a parent is placed relative to the parent's screen
    // position unless "Initial" says the coordinates are screen coordinates.
    bool relativeToParent = false;
    // "noborder" windows are put at the origin.
    bool atOrigin = false;
};

WindowStyle ComputeWindowStyle(const WindowOptions& options);

// Reads the numbers behind a "transparent" keyword: "= N" then "/ M" or "\ M",
// blanks allowed around each part. Values missing keep their defaults.
void ReadTransparency(const char* behindKeyword, int& first, int& second);

// Reads a decimal number of digits at text (clamped far below overflow) and
// returns the position behind the digits.
const char* ReadDecimal(const char* text, int& value);

// Skips every character up to and including space (the blanks of option
// strings include control characters).
const char* SkipBlanks(const char* text);
