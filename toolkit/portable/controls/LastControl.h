// The core remembers the size and right and bottom edges of the last button
// or edit box it created, so a program can place the next control beside or
// below it (x = right + gap) without measuring anything itself.
#pragma once

struct LastControl {
    int width = 0;
    int height = 0;
    int right = 0;   // x + width
    int bottom = 0;  // y + height

    // Called once a button or edit box has its final position and size.
    void Record(int x, int y, int controlWidth, int controlHeight);
};
