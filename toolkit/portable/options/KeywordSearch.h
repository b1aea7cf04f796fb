// Option keywords are found anywhere in an option string, letters compared
// without case: "hide" is found inside "hidden", "border" inside "noborder".
#pragma once

// Position just behind the first occurrence of keyword in text, or null when
// there is none or either argument is null. Only a-z and A-Z are folded.
const char* FindKeyword(const char* text, const char* keyword);

inline bool HasKeyword(const char* text, const char* keyword) {
    return FindKeyword(text, keyword) != nullptr;
}

// True when a and b are equal with a-z and A-Z folded.
bool EqualFolded(const char* a, const char* b);
