#include <gtest/gtest.h>

#include <string>

#include "toolkit/portable/options/KeywordSearch.h"

namespace {

TEST(KeywordSearch, FindsKeywordsAnywhereIgnoringLetterCase) {
    struct Case {
        const char* text;
        const char* keyword;
        int behind;  // offset behind the match, -1 for none
    } cases[] = {
        {"hide", "hide", 4},
        {"hide", "HIDE", 4},
        {"hidden", "hide", -1},  // h-i-d-d: not there
        {"noborder", "border", 8},
        {"usedefaultcolors", "defaultColors", 16},
        {"noclose nosysmenu", "nosysmenu", 17},
        {"noclose,nosysmenu", "NOSYSMENU", 17},
        {"noclosenosysmenu", "nosysmenu", 16},
        {"hhide", "hide", 5},            // an overlapping false start
        {"nnoborder2", "noborder2", 10},
        {"aaab", "aab", 4},
        {"border border", "border", 6},  // the first occurrence
        {"hid", "hide", -1},
        {"", "hide", -1},
        {"hide", "", -1},
        // Only a-z are folded: other bytes must match exactly.
        {"name=x", "NAME=", 5},
        {"[x]", "{X}", -1},
        {"\xe9t\xe9", "\xc9T\xc9", -1},
    };
    for (const Case& c : cases) {
        const char* found = FindKeyword(c.text, c.keyword);
        const int behind = found ? static_cast<int>(found - c.text) : -1;
        EXPECT_EQ(behind, c.behind) << '"' << c.text << "\" / \"" << c.keyword << '"';
    }
}

TEST(KeywordSearch, NullArgumentsFindNothing) {
    EXPECT_EQ(FindKeyword(nullptr, "x"), nullptr);
    EXPECT_EQ(FindKeyword("x", nullptr), nullptr);
}

TEST(KeywordSearch, EqualFoldedComparesWholeTexts) {
    EXPECT_TRUE(EqualFolded("AnyButton", "ANYBUTTON"));
    EXPECT_TRUE(EqualFolded("", ""));
    EXPECT_FALSE(EqualFolded("AnyButton", "AnyButtons"));
    EXPECT_FALSE(EqualFolded("AnyButtons", "AnyButton"));
}

}  // namespace
