// The plain table of the program's own texts and the header of scrambled
// constants generated from it at build time.
//
// Table lines: `Identifier "text"`, with the C escapes \n \t \\ \" and \xHH;
// blank lines and lines starting with # are skipped.
#pragma once

#include <string>
#include <utility>
#include <vector>

using TextTableEntry = std::pair<std::string, std::string>;  // identifier, plain text

// Throws PgrBuildError naming the line of any fault.
std::vector<TextTableEntry> ParseTextTable(const std::string& tableText);

// A C++ header with one scrambled constant per text, in namespace Texts.
std::string GenerateTextHeader(const std::vector<TextTableEntry>& texts);

// Texts shorter than this are not looked for in a program: a word such as
// "Orvalis" stands in many texts that are meant to be plain.
constexpr size_t kPlainTextSearchMinimum = 16;

// The identifiers of the texts, of at least kPlainTextSearchMinimum bytes,
// that occur as they stand in bytes: texts a program should hold only
// scrambled, found plain.
std::vector<std::string> FindPlainTexts(const std::vector<TextTableEntry>& texts, const std::string& bytes);
