// Fuzz target: arbitrary bytes as an archive in memory, through ReadFile,
// every lookup and ExtractEntry. Each input is tried twice: as it is, which
// almost always meets the checksum, and with its checksum word made right, so
// that the structure checks and everything behind them see the damage.
#include <cstdint>
#include <vector>

#include "install/portable/Bits16.h"
#include "pgr/PgrTransforms.h"
#include "tests/fuzz/ReaderExercise.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    InitNoiseTableOnce();
    if (size > UINT32_MAX)
        return 0;
    ReadEverything(data, size);
    if (size >= 4) {
        std::vector<uint8_t> fixed(data, data + size);
        StoreLe32(fixed.data(), ArchiveChecksum(fixed.data(), fixed.size()));
        ReadEverything(fixed.data(), fixed.size());
    }
    return 0;
}
