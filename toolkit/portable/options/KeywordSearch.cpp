#include "toolkit/portable/options/KeywordSearch.h"

namespace {

char FoldLetter(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool StartsWithFolded(const char* text, const char* keyword) {
    for (; *keyword; ++text, ++keyword) {
        if (FoldLetter(*text) != FoldLetter(*keyword))
            return false;
    }
    return true;
}

}  // namespace

// Every start position is tried, so an occurrence that overlaps a false start
// ("hhide", "nnoborder") is still found.
const char* FindKeyword(const char* text, const char* keyword) {
    if (!text || !keyword || !*keyword)
        return nullptr;
    for (; *text; ++text) {
        if (StartsWithFolded(text, keyword)) {
            const char* end = text;
            for (const char* k = keyword; *k; ++k)
                ++end;
            return end;
        }
    }
    return nullptr;
}

bool EqualFolded(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (FoldLetter(*a) != FoldLetter(*b))
            return false;
    }
    return *a == *b;
}
