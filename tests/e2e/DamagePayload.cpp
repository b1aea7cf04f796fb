// damage_payload ARCHIVE PROGRAM OUTPUT: writes a copy of PROGRAM in which
// one byte of the embedded ARCHIVE, in the middle of it, is changed, for the
// scenario of an installer whose download was damaged.
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

namespace {

std::string ReadAll(const char* path) {
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: damage_payload ARCHIVE PROGRAM OUTPUT\n");
        return 2;
    }
    const std::string archive = ReadAll(argv[1]);
    std::string program = ReadAll(argv[2]);
    const size_t at = archive.empty() ? std::string::npos : program.find(archive);
    if (at == std::string::npos) {
        std::fprintf(stderr, "damage_payload: %s does not hold %s\n", argv[2], argv[1]);
        return 1;
    }
    program[at + archive.size() / 2] ^= 0x5A;
    std::ofstream out(argv[3], std::ios::binary);
    out.write(program.data(), static_cast<std::streamsize>(program.size()));
    if (!out) {
        std::fprintf(stderr, "damage_payload: cannot write %s\n", argv[3]);
        return 1;
    }
    return 0;
}
