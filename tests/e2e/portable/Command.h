// A driver script parsed into typed commands, all of it before anything
// runs, so a mistyped line fails before a program is started.
#pragma once

#include <string>
#include <vector>

#include "tests/e2e/portable/KeyNames.h"

enum class Verb {
    Start,
    WaitExit,
    WaitWindow,
    Click,
    WaitButton,
    SetCheck,
    MessageBox,
    Answer,
    Close,
    Capture,
    CaptureScreen,
    WindowRect,
    Move,
    ReadText,
    BrowsePick,
    BrowseCancel,
    Expect,
    SetTimeout,
    Elapsed,
    Type,
    Focus,
};

// Waits without a timeout of their own take the script's current default.
constexpr int kDefaultTimeoutMs = 5000;
constexpr int kUseDefaultTimeout = -1;

struct Command {
    Verb verb = Verb::Start;
    std::string name;         // as written, for result lines
    int line = 0;             // in the script, from 1
    std::string title;        // of the window the command acts on
    std::string className;    // wait-window, read-text; empty for any
    std::string caption;      // of a button
    std::string path;         // program, folder or picture file
    std::string commandLine;  // start: the program and its arguments
    std::string text;         // expect: the value, as printed
    bool checked = false;     // set-check: the state wanted
    int timeoutMs = kUseDefaultTimeout;
    int x = 0, y = 0;  // move: the new top-left corner on the screen
    std::vector<KeyStroke> keys;  // type: in the order typed
};

// True for the commands whose result line carries a value expect can check.
bool GivesValue(Verb verb);

// Parses one line's words (the first is the command). False, with error
// set, for an unknown command, a wrong number of arguments or a bad number.
bool ParseCommand(const std::vector<std::string>& words, Command& command, std::string& error);

struct ScriptError {
    int line;
    std::string message;
};

// Parses a whole script. Blank lines and lines starting with "#" are
// skipped. False, with error set, at the first bad line.
bool ParseScript(const std::string& script, std::vector<Command>& commands, ScriptError& error);
