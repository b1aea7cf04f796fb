// How the driver compares captions and prints texts it reads from windows.
#pragma once

#include <string>

// A caption as shown: "&" marks the next letter as the mnemonic and is not
// shown, "&&" shows one "&".
std::string ShownCaption(const std::string& caption);

// True when wanted is the caption as written ("&Yes") or as shown ("Yes").
bool CaptionMatches(const std::string& caption, const std::string& wanted);

// Text on one result line, reversibly: line breaks as \n (a CR LF pair is
// one break), tabs as \t, other control bytes as \xHH, a backslash as \\.
std::string EscapeText(const std::string& text);
