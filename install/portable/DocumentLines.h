// The welcome document as it is printed into its window: one piece per
// source line, the carriage return turned into a line feed.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Characters of one printed piece besides its line feed: the size of the
// print buffer less the line feed and terminator.
constexpr size_t kDocumentLineLimit = 498;

// Splits text (up to length bytes, or to its first NUL) into the pieces to
// print, in order:
//   - a carriage return ends a line: it becomes a line feed, and the
//     character after it (the LF of a CR LF pair) is skipped, so a lone CR
//     swallows the next character;
//   - the text after the last carriage return comes last, without a line feed;
//   - a line longer than kDocumentLineLimit goes out in pieces of that many
//     characters, only the last with the line feed, so the window still
//     shows it as one line.
std::vector<std::string> DocumentPieces(const char* text, size_t length);
