#include "toolkit/portable/controls/TabOrder.h"

int NextTabStop(int count, int current, bool backwards) {
    if (count <= 0)
        return -1;
    if (current < 0 || current >= count)
        return backwards ? count - 1 : 0;
    return backwards ? (current + count - 1) % count : (current + 1) % count;
}
