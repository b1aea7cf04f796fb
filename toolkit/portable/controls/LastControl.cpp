#include "toolkit/portable/controls/LastControl.h"

#include <cstdint>

#include "toolkit/portable/controls/Saturate.h"

void LastControl::Record(int x, int y, int controlWidth, int controlHeight) {
    width = controlWidth;
    height = controlHeight;
    right = SaturateToInt(int64_t{x} + controlWidth);
    bottom = SaturateToInt(int64_t{y} + controlHeight);
}
