// Diagnostic names of window messages, for traces of what a window was sent.
#pragma once

#include <cstddef>

struct MessageNameEntry {
    int number;
    const char* name;
};

// The table in lookup order: the window messages from WM_NULL to WM_APP in
// ascending order, names as the Windows headers spell them (a number with two
// names has both, the first one wins), then the button messages BM_GETCHECK
// to BM_SETIMAGE, wrapped in markup so that they show in blue.
const MessageNameEntry* MessageNameTable(size_t& count);

// The name of message, or "{italic}Not Found -- Message number = N{/}". That
// text lives in one static buffer, overwritten by the next unknown number and
// shared by all threads: copy it before another lookup may run.
const char* MessageName(int message);
