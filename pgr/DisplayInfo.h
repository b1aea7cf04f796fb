// The display mode an image is drawn for. The installer fills it once from the
// platform's current display settings and hands it to the archive reader.
#pragma once

#include <cstdint>

struct DisplayInfo {
    int32_t is16Bit;  // 1 when the current mode has 16 bits per pixel
    int32_t screenHeight;
    int32_t screenWidth;
};
