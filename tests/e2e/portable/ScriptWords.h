// The words of one script line, and the command line a program is started
// with. Backslashes are always literal, since scripts are full of Windows
// paths; a double quote groups blanks into a word, and inside quotes a
// doubled quote stands for one.
#pragma once

#include <string>
#include <vector>

// Splits line into words. False, with error set, for an unclosed quote.
bool SplitWords(const std::string& line, std::vector<std::string>& words, std::string& error);

// The command line that CommandLineToArgvW and the C runtime split back
// into exactly these words.
std::string JoinCommandLine(const std::vector<std::string>& words);
