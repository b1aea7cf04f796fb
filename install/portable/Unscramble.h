// Run-time text unscrambler: the installer's own texts and the archive's
// scrambled names and values are turned into plain text only when used.
#pragma once

#include <cstdint>

// Unpacks and descrambles the first length - 1 characters of input into output
// and returns the number of bytes written. Adds no terminator: a stored text
// carries its own. At most kTextScratchSize bytes are produced; the rest of an
// overlong input is ignored.
int32_t DescrambleText(const char* input, uint8_t* output, int32_t length, uint16_t key);

// Plain form of one of the program's stored texts, in a process-wide ring of
// results. A result stays valid until more than 2000 bytes of later results
// have wrapped the ring onto it, so a caller may hold a few at once.
char* UnscrambleText(const char* scrambled);

constexpr int kUnscrambleRingSize = 3500;
constexpr int kUnscrambleRingWrap = 2000;
