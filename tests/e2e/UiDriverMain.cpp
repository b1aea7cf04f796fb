// ui_driver [SCRIPT]: runs a script of user actions against a program under
// test, one command a line, from SCRIPT or standard input. Prints one
// result line per command ("ok NAME" or "ok NAME: VALUE"); at the first
// failed command prints "fail NAME: REASON", says on standard error which
// line it was, and exits 1. A script that does not parse runs nothing and
// exits 2.
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <vector>

#include "tests/e2e/Driver.h"

namespace {

constexpr int kCommandFailed = 1;
constexpr int kBadScript = 2;

bool ReadScript(int argc, char** argv, std::string& script) {
    std::ostringstream text;
    if (argc < 2) {
        text << std::cin.rdbuf();
    } else {
        std::ifstream file(argv[1], std::ios::binary);
        if (!file)
            return false;
        text << file.rdbuf();
    }
    script = text.str();
    return true;
}

int RunScript(const std::vector<Command>& commands) {
    CDriver driver;
    std::string value, error;
    for (const Command& c : commands) {
        if (!driver.Run(c, value, error)) {
            std::printf("fail %s: %s\n", c.name.c_str(), error.c_str());
            std::fflush(stdout);
            std::fprintf(stderr, "ui-driver: line %d: %s: %s\n", c.line, c.name.c_str(), error.c_str());
            return kCommandFailed;
        }
        std::printf(value.empty() && !GivesValue(c.verb) ? "ok %s\n" : "ok %s: %s\n", c.name.c_str(), value.c_str());
        std::fflush(stdout);
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Lines end in "\n" alone, as the shell scripts reading them expect.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    if (argc > 2) {
        std::fprintf(stderr, "usage: ui_driver [SCRIPT]\n");
        return kBadScript;
    }
    std::string script;
    if (!ReadScript(argc, argv, script)) {
        std::fprintf(stderr, "ui-driver: cannot read %s\n", argv[1]);
        return kBadScript;
    }
    std::vector<Command> commands;
    ScriptError error{};
    if (!ParseScript(script, commands, error)) {
        std::fprintf(stderr, "ui-driver: line %d: %s\n", error.line, error.message.c_str());
        return kBadScript;
    }
    return RunScript(commands);
}
