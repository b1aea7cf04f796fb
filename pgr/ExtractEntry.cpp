#include "pgr/ExtractEntry.h"

#include <zlib.h>

#include <cstring>
#include <new>

#include "install/portable/Bits16.h"
#include "pgr/PgrTransforms.h"

namespace {

// Room past the declared length: an inflate that fills it all produced more
// than was declared.
constexpr uint64_t kInflateSlack = 1000;

// Deflate needs at least two bits for a 258-byte match, so no stream inflates
// to more than 1032 bytes per input byte. A longer declared length can never
// be met and is refused before anything is allocated for it.
constexpr uint64_t kMaxInflateRatio = 1032;

std::unique_ptr<uint8_t[]> TryAllocate(uint64_t bytes) {
    if (bytes > SIZE_MAX)
        return nullptr;
    return std::unique_ptr<uint8_t[]>(new (std::nothrow) uint8_t[static_cast<size_t>(bytes)]);
}

bool IsCompressed(const uint8_t* stored, int32_t size) {
    return size > Pgr::kCompressedHeaderSize &&
           memcmp(stored, Pgr::kCompressedTag, sizeof Pgr::kCompressedTag) == 0;
}

// One inflate call without flushing; only the number of bytes produced
// decides: all of the output space used up, or any other count than the
// declared length, is a corrupt entry.
ExtractStatus Inflate(const uint8_t* stream, uint32_t streamLength, uint32_t length,
                      std::unique_ptr<uint8_t[]>& out) {
    const uint64_t space = uint64_t{length} + kInflateSlack;
    if (uint64_t{length} > kMaxInflateRatio * streamLength || space > UINT32_MAX)
        return ExtractStatus::Corrupt;
    out = TryAllocate(space);
    if (!out)
        return ExtractStatus::NoMemory;
    z_stream z{};
    if (inflateInit(&z) != Z_OK)
        return ExtractStatus::NoMemory;
    z.next_in = const_cast<Bytef*>(stream);
    z.avail_in = streamLength;
    z.next_out = out.get();
    z.avail_out = static_cast<uInt>(space);
    inflate(&z, Z_NO_FLUSH);
    const uint64_t produced = space - z.avail_out;
    inflateEnd(&z);
    return z.avail_out != 0 && produced == length ? ExtractStatus::Extracted : ExtractStatus::Corrupt;
}

}  // namespace

const char* ExtractStatusMessage(ExtractStatus status) {
    static const char* const kMessages[] = {
#define EXTRACT_STATUS_MESSAGE(name, message) message,
        EXTRACT_STATUSES(EXTRACT_STATUS_MESSAGE)
#undef EXTRACT_STATUS_MESSAGE
    };
    return kMessages[static_cast<int>(status)];
}

ExtractedEntry ExtractEntry(CReadPGR& reader, const char* name) {
    ExtractedEntry result;
    int32_t size = 0;
    const int32_t dataOffset = reader.FindFile(name, &size);
    if (dataOffset < 0)
        return result;
    result.status = ExtractStatus::Corrupt;
    result.length = static_cast<uint32_t>(size);
    std::unique_ptr<uint8_t[]> stored = TryAllocate(static_cast<uint64_t>(size));
    if (!stored) {
        result.status = ExtractStatus::NoMemory;
        return result;
    }
    if (reader.OpenAt(dataOffset) != kPgrOk) {
        result.status = ExtractStatus::NotOpenable;
        return result;
    }
    // A short read would hand out bytes that were never in the archive.
    if (reader.ReadData(stored.get(), size) != kPgrOk)
        return result;
    if (name[0] != Pgr::kUnscrambledDataPrefix)
        DescrambleData(stored.get(), size, dataOffset);
    if (!IsCompressed(stored.get(), size)) {
        result.status = ExtractStatus::Extracted;
        result.data = std::move(stored);
        return result;
    }
    result.compressed = true;
    result.length = LoadLe32(stored.get() + 4);
    std::unique_ptr<uint8_t[]> inflated;
    result.status = Inflate(stored.get() + Pgr::kCompressedHeaderSize,
                            static_cast<uint32_t>(size - Pgr::kCompressedHeaderSize), result.length, inflated);
    if (result.status == ExtractStatus::Extracted)
        result.data = std::move(inflated);
    return result;
}
