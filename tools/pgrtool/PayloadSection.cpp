#include "tools/pgrtool/PayloadSection.h"

#include <cstring>
#include <string>

#include "install/portable/Bits16.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

// Offsets within a Windows program's headers, as Microsoft documents the format.
constexpr size_t kNewHeaderPointer = 0x3C;
constexpr size_t kCoffHeaderSize = 20;
constexpr size_t kSectionHeaderSize = 40;
constexpr uint16_t kPe32Magic = 0x10B, kPe32PlusMagic = 0x20B;
constexpr int kCertificateDirectory = 4;

uint32_t Le32(const std::vector<uint8_t>& image, size_t at) {
    if (at > image.size() || image.size() - at < 4)
        throw PgrBuildError("the program ends inside its headers");
    return LoadLe32(image.data() + at);
}

uint16_t Le16(const std::vector<uint8_t>& image, size_t at) {
    if (at > image.size() || image.size() - at < 2)
        throw PgrBuildError("the program ends inside its headers");
    return static_cast<uint16_t>(image[at] | image[at + 1] << 8);
}

void PutLe32(std::vector<uint8_t>& image, size_t at, uint32_t value) {
    StoreLe32(image.data() + at, value);
}

struct PeLayout {
    size_t coff;      // the COFF header, after "PE\0\0"
    size_t optional;  // the optional header
    size_t sections;  // the section table
    uint16_t sectionCount;
    uint32_t fileAlignment;
    size_t certificateEntry;  // the certificate table's directory entry
};

PeLayout ReadLayout(const std::vector<uint8_t>& image) {
    if (image.size() < 2 || image[0] != 'M' || image[1] != 'Z')
        throw PgrBuildError("not a Windows program (no MZ header)");
    PeLayout pe{};
    const size_t signature = Le32(image, kNewHeaderPointer);
    if (Le32(image, signature) != 0x00004550)
        throw PgrBuildError("not a Windows program (no PE signature)");
    pe.coff = signature + 4;
    pe.sectionCount = Le16(image, pe.coff + 2);
    pe.optional = pe.coff + kCoffHeaderSize;
    pe.sections = pe.optional + Le16(image, pe.coff + 16);
    const uint16_t magic = Le16(image, pe.optional);
    if (magic != kPe32Magic && magic != kPe32PlusMagic)
        throw PgrBuildError("not a Windows program (unknown optional header)");
    pe.fileAlignment = Le32(image, pe.optional + 36);
    const size_t directories = pe.optional + (magic == kPe32Magic ? 96 : 112);
    const uint32_t directoryCount = Le32(image, pe.optional + (magic == kPe32Magic ? 92 : 108));
    pe.certificateEntry = directoryCount > kCertificateDirectory ? directories + 8 * kCertificateDirectory : 0;
    if (pe.fileAlignment == 0)
        throw PgrBuildError("not a Windows program (no file alignment)");
    // The whole section table lies in the file, so that nothing is changed
    // before a header turns out to be missing.
    if (pe.sectionCount > 0)
        Le32(image, pe.sections + pe.sectionCount * kSectionHeaderSize - 4);
    return pe;
}

size_t FindSection(const std::vector<uint8_t>& image, const PeLayout& pe, const char* name) {
    for (uint16_t i = 0; i < pe.sectionCount; i++) {
        const size_t header = pe.sections + i * kSectionHeaderSize;
        if (strncmp(reinterpret_cast<const char*>(image.data() + header), name, 8) == 0)
            return header;
    }
    throw PgrBuildError(std::string("the program has no section ") + name);
}

}  // namespace

uint32_t PeChecksum(const std::vector<uint8_t>& image, size_t checksumOffset) {
    uint64_t sum = 0;
    for (size_t at = 0; at < image.size(); at += 2) {
        if (at == checksumOffset || at == checksumOffset + 2)
            continue;
        sum += image[at] | (at + 1 < image.size() ? image[at + 1] << 8 : 0);
        sum = (sum & 0xFFFF) + (sum >> 16);
    }
    sum = (sum & 0xFFFF) + (sum >> 16);
    return static_cast<uint32_t>(sum + image.size());
}

size_t ShrinkPayloadSection(std::vector<uint8_t>& image) {
    const PeLayout pe = ReadLayout(image);
    if (pe.certificateEntry && Le32(image, pe.certificateEntry + 4) != 0)
        throw PgrBuildError("the program is signed already; shrink it before signing");
    const size_t header = FindSection(image, pe, kPayloadSectionName);
    const uint32_t rawSize = Le32(image, header + 16);
    const uint32_t rawStart = Le32(image, header + 20);
    if (rawStart > image.size() || image.size() - rawStart < rawSize)
        throw PgrBuildError("the payload section lies beyond the end of the program");
    size_t used = rawSize;
    while (used > 0 && image[rawStart + used - 1] == 0)
        used--;
    const size_t kept = (used + pe.fileAlignment - 1) / pe.fileAlignment * pe.fileAlignment;
    if (kept >= rawSize)
        return 0;
    const uint32_t cut = static_cast<uint32_t>(rawSize - kept);
    image.erase(image.begin() + rawStart + kept, image.begin() + rawStart + rawSize);
    PutLe32(image, header + 16, static_cast<uint32_t>(kept));
    // Whatever lay behind the cut moves forward by it.
    for (uint16_t i = 0; i < pe.sectionCount; i++) {
        const size_t other = pe.sections + i * kSectionHeaderSize;
        const uint32_t start = Le32(image, other + 20);
        if (start > rawStart)
            PutLe32(image, other + 20, start - cut);
    }
    const uint32_t symbols = Le32(image, pe.coff + 8);
    if (symbols > rawStart)
        PutLe32(image, pe.coff + 8, symbols - cut);
    PutLe32(image, pe.optional + 8, Le32(image, pe.optional + 8) - cut);  // SizeOfInitializedData
    const size_t checksum = pe.optional + 64;
    PutLe32(image, checksum, PeChecksum(image, checksum));
    return cut;
}
