// Inverses of the reader's transforms, for building archives and the program's
// stored texts.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Scrambles bytes (a text with its terminating zero) into the characters "0"
// to "o" that DescrambleText turns back into the same bytes with this key.
std::string ScrambleText(const std::vector<uint8_t>& plain, uint16_t key);

// Scrambles a text and its terminating zero under the program's fixed key.
std::string ScrambleProgramText(const std::string& text);

// Inverse of DescrambleTable: one unit, in place.
void ScrambleTable(uint8_t* buffer, int32_t length, uint32_t key);

// Inverse of DescrambleData: the stored bytes of one entry at its data offset.
void ScrambleData(uint8_t* buffer, int32_t length, int32_t dataOffset);
