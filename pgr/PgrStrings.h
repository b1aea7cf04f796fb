// Strings of an archive's string table as lookups see them: plain text, or
// scrambled text decoded afresh on every use. The table must end with a zero
// byte (the reader checks that when loading), so every string in it ends.
#pragma once

#include <cstdint>
#include <string>

#include "pgr/PgrFormat.h"

// Work buffers of the lookups: key names are decoded into 500 bytes,
// directory names into 400.
constexpr int kKeyNameWorkSize = Pgr::kMaxKeyNameLength + 1;
constexpr int kDirectoryNameWorkSize = Pgr::kMaxDirectoryNameLength + 1;

bool IsScrambledString(const char* table, int32_t offset);

// Decodes the scrambled string at offset into out, which holds outSize bytes
// (at most 500), and returns the length of the text. Returns -1 when the
// decoded bytes that fit carry no terminating zero.
int32_t DecodeScrambledString(const char* table, int32_t offset, char* out, int outSize);

// Whether the string at offset, decoded in a work buffer of workSize bytes,
// equals wanted exactly.
bool TableStringEquals(const char* table, int32_t offset, const char* wanted, int workSize);

// The text of the string at offset, plain or decoded, for tools that show a
// table; false when a scrambled string does not decode to a terminated text.
bool TableStringText(const char* table, int32_t offset, std::string& text);

// The text of the string at offset: a plain one where it lies in the table, a
// scrambled one decoded into the process-wide value ring, where it stays
// intact until later values wrap the ring onto it.
const char* TableStringValue(const char* table, int32_t offset);

// The ring restarts at 0 once its write position passes this.
constexpr int kValueRingWrap = 4000;
