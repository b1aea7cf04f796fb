// The bytes of a 24-bit BMP file, written without the system's headers so
// that the layout is tested on the host.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// pixels holds width * height blue-green-red-unused quads, top row first,
// as GetDIBits gives them for a top-down 32-bit DIB. Empty for a width or
// height below 1 or a pixel count that does not match.
std::vector<uint8_t> MakeBmp24(int width, int height, const std::vector<uint8_t>& pixels);
