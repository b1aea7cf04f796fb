// Fuzz target: the input is an archive in its plain form (PlainArchive.h),
// which the target scrambles and checksums with the builder's transforms
// before the reader sees it. Random bytes almost never survive the checksum
// and the descrambling; these always do, so mutations of the counts, offsets,
// strings and data reach the structure checks, the string matching, the
// value ring and ExtractEntry.
#include <cstdint>
#include <vector>

#include "tests/fuzz/PlainArchive.h"
#include "tests/fuzz/ReaderExercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InitNoiseTableOnce();
    if (size > UINT32_MAX)
        return 0;
    const std::vector<uint8_t> archive = ScrambledFromPlain(data, size);
    ReadEverything(archive.data(), archive.size());
    return 0;
}
