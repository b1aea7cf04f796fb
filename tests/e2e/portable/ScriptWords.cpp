#include "tests/e2e/portable/ScriptWords.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// Reads a quoted stretch starting behind its opening quote; returns the
// position behind the closing quote, or npos when there is none.
size_t ReadQuoted(const std::string& line, size_t at, std::string& word) {
    while (at < line.size()) {
        if (line[at] != '"') {
            word += line[at++];
        } else if (at + 1 < line.size() && line[at + 1] == '"') {
            word += '"';
            at += 2;
        } else {
            return at + 1;
        }
    }
    return std::string::npos;
}

bool NeedsQuotes(const std::string& word) {
    return word.empty() || word.find_first_of(" \t\n\v\"") != std::string::npos;
}

// Backslashes count as escapes only in front of a quote, where each one
// must be doubled.
std::string QuoteWord(const std::string& word) {
    std::string quoted = "\"";
    size_t backslashes = 0;
    for (char c : word) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        quoted.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        quoted += c;
    }
    quoted.append(backslashes * 2, '\\');
    return quoted + '"';
}

}  // namespace

bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error) {
    words.clear();
    size_t at = 0;
    while (true) {
        while (at < line.size() && IsBlank(line[at]))
            ++at;
        if (at == line.size())
            return true;
        std::string word;
        while (at < line.size() && !IsBlank(line[at])) {
            if (line[at] != '"') {
                word += line[at++];
                continue;
            }
            at = ReadQuoted(line, at + 1, word);
            if (at == std::string::npos) {
                error = "unclosed quote";
                words.clear();
                return false;
            }
        }
        words.push_back(word);
    }
}

std::string JoinCommandLine(const std::vector<std::string>& words) {
    std::string line;
    for (const std::string& word : words) {
        if (!line.empty())
            line += ' ';
        line += NeedsQuotes(word) ? QuoteWord(word) : word;
    }
    return line;
}
