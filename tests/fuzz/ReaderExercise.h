// What the fuzz targets do with an archive in memory, whatever its bytes:
// load it, look up every name it holds the way the installer looks names up,
// extract every entry, and make the installer's own lookups whether it loaded
// or not.
#pragma once

#include <cstddef>
#include <cstdint>

// Fills the noise table on the first call; every later call does nothing.
void InitNoiseTableOnce();

// The archive's length must fit 32 bits, as the memory reader's does.
void ReadEverything(const uint8_t* archive, size_t size);
