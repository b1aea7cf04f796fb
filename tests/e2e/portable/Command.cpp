#include "tests/e2e/portable/Command.h"

#include <cerrno>
#include <cstdlib>
#include <sstream>

#include "tests/e2e/portable/ScriptWords.h"

namespace {

constexpr size_t kAnyNumber = static_cast<size_t>(-1);
// Long enough for any installer step, short enough to be a typo when above.
constexpr long kMaxTimeoutMs = 3600000;

struct VerbForm {
    const char* name;
    Verb verb;
    size_t minArguments;
    size_t maxArguments;
    const char* usage;
};

const VerbForm kForms[] = {
    {"start", Verb::Start, 1, kAnyNumber, "start PROGRAM [ARGUMENTS...]"},
    {"wait-exit", Verb::WaitExit, 1, 1, "wait-exit TIMEOUT_MS"},
    {"wait-window", Verb::WaitWindow, 2, 3, "wait-window TITLE [CLASS] TIMEOUT_MS"},
    {"click", Verb::Click, 1, 3, "click CAPTION [in WINDOW_TITLE]"},
    {"wait-button", Verb::WaitButton, 2, 2, "wait-button CAPTION TIMEOUT_MS"},
    {"set-check", Verb::SetCheck, 2, 4, "set-check CAPTION on|off [in WINDOW_TITLE]"},
    {"message-box", Verb::MessageBox, 1, 1, "message-box TITLE"},
    {"answer", Verb::Answer, 1, 1, "answer CAPTION"},
    {"close", Verb::Close, 1, 1, "close WINDOW_TITLE"},
    {"capture", Verb::Capture, 2, 2, "capture WINDOW_TITLE FILE.bmp"},
    {"capture-screen", Verb::CaptureScreen, 1, 1, "capture-screen FILE.bmp"},
    {"window-rect", Verb::WindowRect, 1, 1, "window-rect TITLE"},
    {"move", Verb::Move, 3, 3, "move WINDOW_TITLE X Y"},
    {"read-text", Verb::ReadText, 2, 2, "read-text WINDOW_TITLE CLASS"},
    {"browse-pick", Verb::BrowsePick, 1, 1, "browse-pick FOLDER"},
    {"browse-cancel", Verb::BrowseCancel, 0, 0, "browse-cancel"},
    {"expect", Verb::Expect, 1, 1, "expect VALUE"},
    {"set-timeout", Verb::SetTimeout, 1, 1, "set-timeout TIMEOUT_MS"},
    {"elapsed", Verb::Elapsed, 0, 0, "elapsed"},
    {"type", Verb::Type, 2, kAnyNumber, "type WINDOW_TITLE KEY..."},
    {"focus", Verb::Focus, 1, 2, "focus WINDOW_TITLE [CAPTION]"},
};

bool ParseCoordinate(const std::string& word, int& value, std::string& error) {
    char* end = nullptr;
    errno = 0;
    const long parsed = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || errno != 0 || parsed < -100000 || parsed > 100000) {
        error = "X and Y must be whole numbers of pixels, not \"" + word + "\"";
        return false;
    }
    value = static_cast<int>(parsed);
    return true;
}

const VerbForm* FindForm(const std::string& name) {
    for (const VerbForm& form : kForms)
        if (name == form.name)
            return &form;
    return nullptr;
}

bool ParseTimeout(const std::string& word, int& timeoutMs, std::string& error) {
    char* end = nullptr;
    errno = 0;
    const long value = std::strtol(word.c_str(), &end, 10);
    if (word.empty() || *end != '\0' || word[0] == '-' || word[0] == '+' || errno != 0 || value > kMaxTimeoutMs) {
        error = "TIMEOUT_MS must be a whole number of milliseconds up to " + std::to_string(kMaxTimeoutMs) +
                ", not \"" + word + "\"";
        return false;
    }
    timeoutMs = static_cast<int>(value);
    return true;
}

// The optional "in WINDOW_TITLE" behind a command's own words.
bool ParseWindowClause(const std::vector<std::string>& a, size_t at, Command& c) {
    if (a.size() == at)
        return true;
    if (a.size() == at + 2 && a[at] == "in") {
        c.title = a[at + 1];
        return true;
    }
    return false;
}

bool ParseKeys(const std::vector<std::string>& a, Command& c, std::string& error) {
    c.keys.clear();
    for (size_t i = 1; i < a.size(); ++i) {
        KeyStroke key;
        if (!ParseKeyName(a[i], key)) {
            error = "unknown key \"" + a[i] + "\"; keys are " + KeyNamesList();
            return false;
        }
        c.keys.push_back(key);
    }
    return true;
}

bool ParseCheckState(const std::string& word, bool& checked) {
    if (word != "on" && word != "off")
        return false;
    checked = word == "on";
    return true;
}

// The fields of each form; arguments holds the words behind the command.
bool FillCommand(const std::vector<std::string>& a, Command& c, std::string& error) {
    switch (c.verb) {
    case Verb::Start:
        c.path = a[0];
        c.commandLine = JoinCommandLine(a);
        return true;
    case Verb::WaitExit:
    case Verb::SetTimeout:
        return ParseTimeout(a[0], c.timeoutMs, error);
    case Verb::WaitWindow:
        c.title = a[0];
        if (a.size() == 3)
            c.className = a[1];
        return ParseTimeout(a.back(), c.timeoutMs, error);
    case Verb::Click:
        c.caption = a[0];
        if (ParseWindowClause(a, 1, c))
            return true;
        error = "usage: click CAPTION [in WINDOW_TITLE]";
        return false;
    case Verb::WaitButton:
        c.caption = a[0];
        return ParseTimeout(a[1], c.timeoutMs, error);
    case Verb::SetCheck:
        c.caption = a[0];
        if (ParseCheckState(a[1], c.checked) && ParseWindowClause(a, 2, c))
            return true;
        error = "usage: set-check CAPTION on|off [in WINDOW_TITLE]";
        return false;
    case Verb::Answer:
        c.caption = a[0];
        return true;
    case Verb::MessageBox:
    case Verb::Close:
    case Verb::WindowRect:
        c.title = a[0];
        return true;
    case Verb::Focus:
        c.title = a[0];
        if (a.size() == 2)
            c.caption = a[1];
        return true;
    case Verb::Type:
        c.title = a[0];
        return ParseKeys(a, c, error);
    case Verb::Capture:
        c.title = a[0];
        c.path = a[1];
        return true;
    case Verb::Move:
        c.title = a[0];
        return ParseCoordinate(a[1], c.x, error) && ParseCoordinate(a[2], c.y, error);
    case Verb::CaptureScreen:
    case Verb::BrowsePick:
        c.path = a[0];
        return true;
    case Verb::ReadText:
        c.title = a[0];
        c.className = a[1];
        return true;
    case Verb::Expect:
        c.text = a[0];
        return true;
    case Verb::BrowseCancel:
    case Verb::Elapsed:
        return true;
    }
    return true;
}

bool IsSkipped(const std::vector<std::string>& words) {
    return words.empty() || words[0][0] == '#';
}

}  // namespace

bool GivesValue(Verb verb) {
    return verb == Verb::WaitExit || verb == Verb::MessageBox || verb == Verb::WindowRect || verb == Verb::ReadText ||
           verb == Verb::Elapsed || verb == Verb::SetCheck || verb == Verb::Focus;
}

bool ParseCommand(const std::vector<std::string>& words, Command& command, std::string& error) {
    const VerbForm* form = words.empty() ? nullptr : FindForm(words[0]);
    if (!form) {
        error = words.empty() ? "no command" : "unknown command \"" + words[0] + "\"";
        return false;
    }
    const std::vector<std::string> arguments(words.begin() + 1, words.end());
    if (arguments.size() < form->minArguments || arguments.size() > form->maxArguments) {
        error = std::string("usage: ") + form->usage;
        return false;
    }
    command.verb = form->verb;
    command.name = form->name;
    return FillCommand(arguments, command, error);
}

bool ParseScript(const std::string& script, std::vector<Command>& commands, ScriptError& error) {
    commands.clear();
    std::istringstream lines(script);
    std::string text;
    std::vector<std::string> words;
    for (int number = 1; std::getline(lines, text); ++number) {
        Command command;
        command.line = number;
        error.line = number;
        if (!SplitWords(text, words, error.message))
            return false;
        if (IsSkipped(words))
            continue;
        if (!ParseCommand(words, command, error.message))
            return false;
        if (command.verb == Verb::Expect && (commands.empty() || !GivesValue(commands.back().verb))) {
            error.message = "expect must follow wait-exit, message-box, window-rect, read-text, set-check or focus";
            return false;
        }
        commands.push_back(command);
    }
    return true;
}
