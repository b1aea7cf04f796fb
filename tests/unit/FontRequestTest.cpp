#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/portable/fonts/FontRequest.h"

namespace {

// Every field, so that one comparison per case also catches a field set
// where it should not be ("no face=[x]" would show a stray face text).
std::string Describe(const FontRequest& s) {
    std::string d = s.refused ? "refused " : "";
    d += s.hasFace ? "face" : "no face";
    if (s.hasFace || !s.face.empty())
        d += "=[" + s.face + "]";
    if (s.hasSize || s.size != 0)
        d += (s.hasSize ? " size=" : " stray size=") + std::to_string(s.size);
    if (s.hasWidth || s.width != 0)
        d += (s.hasWidth ? " width=" : " stray width=") + std::to_string(s.width);
    const struct {
        bool on;
        const char* name;
    } flags[] = {
        {s.bold, "bold"},         {s.normal, "normal"},        {s.italic, "italic"},
        {s.underline, "underline"}, {s.strikeOut, "strikeout"}, {s.boldVariant, "+bold"},
        {s.italicVariant, "+italic"},
    };
    for (const auto& f : flags) {
        if (f.on)
            d += std::string(" ") + f.name;
    }
    if (!s.name.empty())
        d += " name=" + s.name;
    return d;
}

struct Case {
    std::string text;
    std::string spec;
};

void ExpectSpecs(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Describe(ParseFontRequest(c.text.c_str())), c.spec) << '"' << c.text << '"';
}

// A face of several words, length characters in all.
std::string ManyWords(size_t length, const std::string& word = "Word ") {
    std::string text;
    while (text.size() < length)
        text += word;
    return text.substr(0, length);
}

TEST(FontRequest, FaceSizeAndWidth) {
    ExpectSpecs({
        {"Arial,13", "face=[Arial] size=13"},
        {"Arial", "face=[Arial]"},
        {"Arial,13,7", "face=[Arial] size=13 width=7"},
        {"Arial,13,7,9", "face=[Arial] size=13 width=9"},
        {"Arial,0x0D,1k", "face=[Arial] size=13 width=1024"},
        // The face is cut from the text: blanks, comments and letter case stay.
        {"Courier New ,12", "face=[Courier New ] size=12"},
        {"Courier New,12", "face=[Courier New] size=12"},
        {"  Arial\t,13", "face=[  Arial\t] size=13"},
        {"Arial/*why*/,13", "face=[Arial/*why*/] size=13"},
        {"Arial //,13", "face=[Arial //,13]"},
        {"Caf\xe9,13", "face=[Caf\xe9] size=13"},
        {",13", "face=[] size=13"},
        {"", "face=[]"},
        // A bad token comes back as a plain word, which ends a face.
        {"Arial?,13", "face=[Arial?] size=13"},
        {"Arial,99999999999", "face=[Arial] size=2147483647"},
    });
}

TEST(FontRequest, FaceFieldsThatAreNoFaceHaveNoEffect) {
    ExpectSpecs({
        {"13,bold", "no face bold"},
        {"bold", "no face"},
        {"13", "no face"},
        {"bold italic,13", "no face size=13"},
        {"Arial Bold,13", "no face size=13"},
        {"Arial Semibold,13", "no face size=13"},
        {"Wingdings 3,12", "no face size=12"},
        {"Arial+,12", "no face size=12"},
        {"Arial NAME=Body,12", "face=[Arial NAME=Body] size=12"},  // ends in a plain word
        {"NAME=13,italic", "no face italic"},
    });
}

TEST(FontRequest, AttributeKeywords) {
    ExpectSpecs({
        {"Arial,15,bold", "face=[Arial] size=15 bold"},
        {"Arial,15 bold", "face=[Arial] size=15 bold"},
        {"Arial,,15,,bold,", "face=[Arial] size=15 bold"},
        {"arial,13,BOLD,normal", "face=[arial] size=13 bold normal"},
        {"Nofont,20,italic", "face=[Nofont] size=20 italic"},
        {"mainfont,bold", "face=[mainfont] bold"},
        {"Arial,Italic Underline StrikeOut", "face=[Arial] italic underline strikeout"},
        {"Arial,semibold", "face=[Arial]"},
        {"Arial,bold bold", "face=[Arial] bold"},
        // Plain words, reals and other tokens after the face are ignored.
        {"Arial,Heavy,13.5,=,12", "face=[Arial] size=12"},
        {"Arial,13.bold", "face=[Arial]"},
        {"Arial,-5", "face=[Arial] size=5"},
        {"Arial,13,//bold", "face=[Arial] size=13"},
        {"Arial,13,/*bold*/italic", "face=[Arial] size=13 italic"},
    });
}

TEST(FontRequest, PlusAsksForVariants) {
    ExpectSpecs({
        {"Arial,15,+bold", "face=[Arial] size=15 +bold"},
        {"Arial,+italic", "face=[Arial] +italic"},
        {"Arial,+bold+italic", "face=[Arial] +bold +italic"},
        {"Arial,+bold,bold", "face=[Arial] bold +bold"},
        {"Arial,+ bold", "face=[Arial] +bold"},
        {"Arial,++bold", "face=[Arial] +bold"},
        // "+" before anything else is dropped; what follows still counts.
        {"Arial,+underline", "face=[Arial] underline"},
        {"Arial,+13", "face=[Arial] size=13"},
        {"Arial,+,bold", "face=[Arial] bold"},
        {"Arial,+normal,bold", "face=[Arial] bold normal"},
        {"Arial,#+bold", "face=[Arial] bold"},  // "#+" is one bad token
        {"Arial,+", "face=[Arial]"},
    });
}

TEST(FontRequest, RegistrationNames) {
    const std::string longestName(kMaxFontName, 'n');
    ExpectSpecs({
        {"Arial,13,NAME=Body", "face=[Arial] size=13 name=BODY"},
        {"Arial,13,n=Body", "face=[Arial] size=13 name=BODY"},
        {"Arial,name = body", "face=[Arial] name=BODY"},
        {"Arial,NAME=A,NAME=B", "face=[Arial] name=B"},
        {"Arial,NAME=My Font", "face=[Arial] name=MY"},
        {"Arial,NAME=" + longestName, "face=[Arial] name=" + std::string(kMaxFontName, 'N')},
        {"Arial,NAME=A,NAME=" + longestName + "n", "face=[Arial] name=A"},
        // A token breaking NAME "=" word is read again as an ordinary token.
        {"Arial,NAME=13", "face=[Arial] size=13"},
        {"Arial,NAME 13", "face=[Arial] size=13"},
        {"Arial,NAME=bold", "face=[Arial] bold"},
        {"Arial,NAME=+bold", "face=[Arial] +bold"},
        {"Arial,NAME,Body", "face=[Arial]"},
        {"Arial,NAME=", "face=[Arial]"},
        {"Arial,NAME", "face=[Arial]"},
    });
}

// Guessing at these could register a font under a name or face made of
// garbage, so the whole text is refused and nothing else is reported.
TEST(FontRequest, TextsOutsideTheGrammarAreRefused) {
    const std::string longestWord(200, 'w');
    ExpectSpecs({
        {"\"Arial\",13", "refused no face"},
        {"Arial,'b'", "refused no face"},
        {"Arial,13,NAME=\"Body\"", "refused no face"},
        {"\"Arial,13", "refused no face"},
        {"Arial /* ,13", "refused no face"},
        {"Arial,13,bold /*", "refused no face"},
        {longestWord + "w,13", "refused no face"},
        {"Arial,NAME=" + longestWord + "w", "refused no face"},
        {"Arial,13," + std::string(201, '7'), "refused no face"},
        // A token of exactly the limit is still read.
        {longestWord + ",13", "face=[" + longestWord.substr(0, kMaxFaceText) + "] size=13"},
    });
    EXPECT_EQ(Describe(ParseFontRequest(nullptr)), "refused no face");
}

TEST(FontRequest, LongFacesAreCutForTheRecordAndForEnumeration) {
    const std::string face = ManyWords(250);
    const FontRequest spec = ParseFontRequest((face + ",13,bold").c_str());
    EXPECT_FALSE(spec.refused);
    EXPECT_TRUE(spec.hasFace);
    EXPECT_EQ(spec.face, face.substr(0, kMaxFaceText));
    EXPECT_EQ(spec.size, 13);
    EXPECT_TRUE(spec.bold);
    EXPECT_EQ(EnumerationFace(spec.face), face.substr(0, kMaxEnumerationFace));
    EXPECT_EQ(EnumerationFace("Arial"), "Arial");
    EXPECT_EQ(EnumerationFace(""), "");
}

// Whatever the mix, the results stay within the record's limits and a
// refused text reports nothing else.
TEST(FontRequest, AnyMixOfFragmentsStaysWithinLimits) {
    const std::string fragments[] = {
        "Arial", " ", ",", "+", "=", "NAME", "bold", "normal", "13", "0x", "9.5", "\"", "'",
        "/*", "*/", "//", "\n", "\xe9", "#", std::string(150, 'w'), ManyWords(120),
    };
    for (const std::string& a : fragments) {
        for (const std::string& b : fragments) {
            for (const std::string& c : fragments) {
                const std::string text = a + b + c;
                const FontRequest spec = ParseFontRequest(text.c_str());
                ASSERT_LE(spec.face.size(), kMaxFaceText) << text;
                ASSERT_EQ(text.compare(0, spec.face.size(), spec.face), 0) << text;
                ASSERT_TRUE(spec.hasFace || spec.face.empty()) << text;
                ASSERT_LE(spec.name.size(), kMaxFontName) << text;
                ASSERT_EQ(FontLookupName(spec.name.c_str()), spec.name) << text;
                if (spec.refused) {
                    ASSERT_EQ(Describe(spec), "refused no face") << text;
                }
                ASSERT_EQ(GeneratedFontName(spec, 0).compare(0, 4, kGeneratedNamePrefix), 0) << text;
            }
        }
    }
}

TEST(FontRequest, WeightAndVariantFlags) {
    const struct {
        const char* text;
        int weight;
        uint8_t flags;
    } cases[] = {
        {"Arial", 400, 0},
        {"Arial,bold", 700, 0},
        {"arial,13,BOLD,normal", 400, 0},
        {"Arial,normal,bold", 400, 0},
        {"Arial,semibold", 400, 0},
        {"bold,13", 400, 0},
        {"Arial,+bold", 400, kVariantFlagBold},
        {"Arial,+italic", 400, kVariantFlagItalic},
        {"Arial,bold,+italic,+bold", 700, 3},
    };
    for (const auto& c : cases) {
        const FontRequest spec = ParseFontRequest(c.text);
        EXPECT_EQ(spec.Weight(), c.weight) << c.text;
        EXPECT_EQ(spec.VariantFlags(), c.flags) << c.text;
    }
}

TEST(FontRequest, GeneratedNames) {
    const std::string face = ManyWords(kMaxFaceText);
    const struct {
        std::string text;
        uint32_t counter;
        std::string name;
    } cases[] = {
        {"Arial,13", 0, "$DF.ARIAL.13.00000"},
        {"Arial", 0, "$DF.ARIAL.65280.00000"},
        {"arial,13,7,bold", 41, "$DF.ARIAL.13.00041"},
        {"Courier New ,12", 2, "$DF.COURIER NEW .12.00002"},
        {"Arial,13", 123456, "$DF.ARIAL.13.123456"},
        {"Arial,13", 4294967295u, "$DF.ARIAL.13.4294967295"},
        {"13,bold", 7, "$DF..65280.00007"},
        {"Caf\xe9,9", 1, "$DF.CAF\xe9.9.00001"},  // only a-z change
        {"Arial,99999999999", 0, "$DF.ARIAL.2147483647.00000"},
        {face + ",13", 3, "$DF." + ManyWords(kMaxFaceText, "WORD ") + ".13.00003"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GeneratedFontName(ParseFontRequest(c.text.c_str()), c.counter), c.name) << c.text;
}

TEST(FontRequest, LookupNamesChangeOnlyLowerCaseLetters) {
    const struct {
        const char* name;
        const char* lookup;
    } cases[] = {
        {"MainFont", "MAINFONT"},
        {"$df.arial.13.00000", "$DF.ARIAL.13.00000"},
        {"caf\xe9 [x]", "CAF\xe9 [X]"},
        {"", ""},
        {nullptr, ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FontLookupName(c.name), c.lookup) << (c.name ? c.name : "(null)");
}

}  // namespace
