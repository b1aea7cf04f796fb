#include "tools/pgrtool/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

#include "tools/pgrtool/PgrBuilder.h"

std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw PgrBuildError("cannot read " + path + ": " + strerror(errno));
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw PgrBuildError("error reading " + path);
    return bytes;
}

void WriteFileAtomically(const std::string& path, const void* data, size_t size) {
    const std::string temp = path + ".partial";
    FILE* f = fopen(temp.c_str(), "wb");
    if (!f)
        throw PgrBuildError("cannot create " + temp + ": " + strerror(errno));
    const bool written = fwrite(data, 1, size, f) == size;
    const bool closed = fclose(f) == 0;
    if (!written || !closed || rename(temp.c_str(), path.c_str()) != 0) {
        const std::string reason = strerror(errno);
        remove(temp.c_str());
        throw PgrBuildError("cannot write " + path + ": " + reason);
    }
}
