// Cutting the zero bytes behind the embedded archive out of a program's file:
// a small hand-made image with the payload section between two others.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "install/portable/Bits16.h"
#include "tools/pgrtool/PayloadSection.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

constexpr size_t kPe = 0x40, kCoff = kPe + 4, kOptional = kCoff + 20, kSections = kOptional + 224;
constexpr size_t kFileAlignment = 0x200;

struct Section {
    const char* name;
    uint32_t rawStart, rawSize;
    std::string content;  // at the start of its raw data; zeros behind
};

const Section kLayout[] = {{".text", 0x400, 0x200, "code"},
                           {".orvpay", 0x600, 0xC00, std::string(0x210, 'P')},
                           {".reloc", 0x1200, 0x200, "relocations"}};

uint32_t At(const std::vector<uint8_t>& image, size_t offset) {
    return LoadLe32(image.data() + offset);
}
size_t SectionHeader(int index) {
    return kSections + 40 * index;
}

std::vector<uint8_t> MakeImage() {
    std::vector<uint8_t> image(0x1400, 0);
    image[0] = 'M', image[1] = 'Z';
    StoreLe32(&image[0x3C], kPe);
    memcpy(&image[kPe], "PE\0\0", 4);
    image[kCoff] = 0x4C, image[kCoff + 1] = 0x01;  // i386
    image[kCoff + 2] = 3;                          // sections
    image[kCoff + 16] = 224;                       // optional header size
    image[kOptional] = 0x0B, image[kOptional + 1] = 0x01;
    StoreLe32(&image[kOptional + 8], 0xE00);  // initialised data: the last two sections
    StoreLe32(&image[kOptional + 36], kFileAlignment);
    StoreLe32(&image[kOptional + 92], 16);  // data directories
    for (int i = 0; i < 3; i++) {
        const Section& s = kLayout[i];
        memcpy(&image[SectionHeader(i)], s.name, strlen(s.name));
        StoreLe32(&image[SectionHeader(i) + 8], 0x1000);
        StoreLe32(&image[SectionHeader(i) + 16], s.rawSize);
        StoreLe32(&image[SectionHeader(i) + 20], s.rawStart);
        memcpy(&image[s.rawStart], s.content.data(), s.content.size());
    }
    return image;
}

TEST(PayloadSection, CutsTheZerosAndMovesWhatFollows) {
    std::vector<uint8_t> image = MakeImage();
    // 0x210 bytes of payload keep two 0x200-byte blocks of the section's six.
    EXPECT_EQ(ShrinkPayloadSection(image), 0x800u);
    ASSERT_EQ(image.size(), 0x1400u - 0x800);
    EXPECT_EQ(At(image, SectionHeader(1) + 16), 0x400u);
    EXPECT_EQ(At(image, SectionHeader(1) + 8), 0x1000u) << "the loaded size stays";
    EXPECT_EQ(At(image, SectionHeader(2) + 20), 0xA00u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&image[0xA00]), 11), "relocations");
    EXPECT_EQ(std::string(reinterpret_cast<char*>(&image[0x600]), 0x210), kLayout[1].content);
    EXPECT_EQ(At(image, SectionHeader(0) + 20), 0x400u);
    EXPECT_EQ(At(image, kOptional + 8), 0x600u);
    EXPECT_EQ(At(image, kOptional + 64), PeChecksum(image, kOptional + 64));
    EXPECT_EQ(ShrinkPayloadSection(image), 0u) << "nothing is left to cut";
}

TEST(PayloadSection, RefusesWhatItCannotShrinkSafely) {
    const struct {
        const char* what;
        void (*spoil)(std::vector<uint8_t>&);
        const char* refusal;
    } cases[] = {
        {"no MZ", [](std::vector<uint8_t>& i) { i[0] = 'X'; }, "no MZ header"},
        {"no PE", [](std::vector<uint8_t>& i) { i[kPe] = 'X'; }, "no PE signature"},
        {"new header beyond the end", [](std::vector<uint8_t>& i) { StoreLe32(&i[0x3C], 0xFFFFFFF0); },
         "ends inside its headers"},
        {"no payload section", [](std::vector<uint8_t>& i) { i[SectionHeader(1) + 1] = 'x'; }, "no section .orvpay"},
        {"signed", [](std::vector<uint8_t>& i) { StoreLe32(&i[kOptional + 96 + 4 * 8 + 4], 0x100); }, "signed already"},
        {"section beyond the end", [](std::vector<uint8_t>& i) { StoreLe32(&i[SectionHeader(1) + 16], 0x10000); },
         "beyond the end"},
        {"section table beyond the end", [](std::vector<uint8_t>& i) { i[kCoff + 2] = 0xFF; },
         "ends inside its headers"},
    };
    for (const auto& c : cases) {
        std::vector<uint8_t> image = MakeImage();
        c.spoil(image);
        const std::vector<uint8_t> before = image;
        try {
            ShrinkPayloadSection(image);
            ADD_FAILURE() << c.what << ": not refused";
        } catch (const PgrBuildError& e) {
            EXPECT_NE(std::string(e.what()).find(c.refusal), std::string::npos) << c.what << ": " << e.what();
        }
        EXPECT_EQ(image, before) << c.what << ": changed although refused";
    }
}

}  // namespace
