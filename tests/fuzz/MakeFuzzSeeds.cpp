// Writes the fuzz targets' seed corpora: small archives made by the builder
// that between them hold every form the reader knows, as they are for the
// reader's target and in their plain form for the plain target.
//   make_fuzz_seeds ARCHIVE_DIRECTORY PLAIN_DIRECTORY
#include <cstdio>
#include <string>
#include <vector>

#include "tests/fuzz/PlainArchive.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> Tiny() {
    PgrBuilder b;  // short enough not to be summed
    b.AddEntry({"#T", Bytes("tiny"), false, false});
    b.AddKey({"K", "v", false, false});
    return b.Build();
}

std::vector<uint8_t> Mixed() {
    PgrBuilder b;
    b.AddEntry({"WELCOME_TXT", Bytes(std::string(600, 'w') + "\n"), true, true});
    b.AddEntry({"#VERSION", Bytes("1.0\n"), false, false});
    b.AddEntry({"EIGHT", Bytes("ZLIB\x01\x02\x03\x04"), false, true});
    b.AddEntry({"IMG", std::vector<uint8_t>(300, 0xD8), false, false});
    b.AddKey({"MAINLINKNAME", "Orvalis", true, true});
    b.AddKey({"UNINSTALL:KEYNAME", "Orvalis", false, true});
    b.AddKey({"FILES", "a.dll", true, false});
    b.AddKey({"TARGET", "", false, false});
    b.AddKey({"FILES", "b.dll", true, true});
    return b.Build();
}

std::vector<uint8_t> LongNames() {
    PgrBuilder b;
    b.AddEntry({std::string(399, 'N'), Bytes("named at the limit"), true, true});
    b.AddKey({std::string(499, 'K'), std::string(499, 'v'), true, true});
    return b.Build();
}

std::vector<uint8_t> Empty() { return PgrBuilder().Build(); }

bool WriteSeed(const std::string& directory, const char* name, const std::vector<uint8_t>& bytes) {
    const std::string path = directory + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    if (!f || fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size() || fclose(f) != 0) {
        fprintf(stderr, "make_fuzz_seeds: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        fprintf(stderr, "usage: make_fuzz_seeds ARCHIVE_DIRECTORY PLAIN_DIRECTORY\n");
        return 2;
    }
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
    } seeds[] = {{"tiny.pgr", Tiny()}, {"mixed.pgr", Mixed()}, {"long-names.pgr", LongNames()}, {"empty.pgr", Empty()}};
    for (const auto& seed : seeds) {
        // A plain seed that did not scramble back into its archive would
        // start the plain target off outside everything the reader loads.
        const std::vector<uint8_t> plain = PlainFromScrambled(seed.bytes);
        if (ScrambledFromPlain(plain.data(), plain.size()) != seed.bytes) {
            fprintf(stderr, "make_fuzz_seeds: the plain form of %s does not scramble back into it\n", seed.name);
            return 1;
        }
        if (!WriteSeed(argv[1], seed.name, seed.bytes) || !WriteSeed(argv[2], seed.name, plain))
            return 1;
    }
    return 0;
}
