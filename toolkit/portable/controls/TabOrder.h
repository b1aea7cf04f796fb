// The order in which Tab and Shift+Tab walk a window's controls.
#pragma once

// The index, among count tab stops in the order they were made, that the
// focus moves to from current (-1 when the focus is on none of them): the
// next one round the ring, or with backwards the one before. -1 when there
// are none.
int NextTabStop(int count, int current, bool backwards);
