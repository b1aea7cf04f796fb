// Inverses of the reader's transforms, for building archives and the program's
// stored texts.
#pragma once

#include <cstddef>
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

// Scrambles, in place, an archive whose header and tables are plain: the
// header's bytes 4 to 47 and each table where the plain header's counts put
// it, as the reader descrambles them. Leaves entry data and the checksum word
// alone. A table that does not lie wholly within length bytes, and every one
// after it, is left as it is: no reader could load such an archive anyway.
void ScrambleHeaderAndTables(uint8_t* archive, size_t length);
