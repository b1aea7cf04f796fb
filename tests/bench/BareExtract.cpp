// The floor the installer's copy is measured against: the archive read into
// memory, every entry extracted as the installer extracts it and written
// with a plain fwrite, no window and no progress. Prints the milliseconds
// that took.
//   bare_extract ARCHIVE OUTPUT_DIRECTORY
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "pgr/DisplayInfo.h"
#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrResult.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"

namespace {

bool ReadWholeFile(const char* path, std::vector<uint8_t>& bytes) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path, "rb"), std::fclose);
    if (!file || std::fseek(file.get(), 0, SEEK_END) != 0)
        return false;
    const long length = std::ftell(file.get());
    if (length < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0)
        return false;
    bytes.resize(static_cast<size_t>(length));
    return std::fread(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
}

bool WriteWholeFile(const std::string& path, const uint8_t* data, size_t length) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    return file && std::fwrite(data, 1, length, file.get()) == length && std::fclose(file.release()) == 0;
}

// Fails with a message naming what went wrong; returns the bytes written.
bool ExtractAll(const char* archivePath, const std::string& outputDirectory, int64_t& written, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadWholeFile(archivePath, bytes)) {
        error = std::string("cannot read ") + archivePath;
        return false;
    }
    CMemPGR archive(bytes.data(), static_cast<uint32_t>(bytes.size()), DisplayInfo{});
    if (const int result = archive.ReadFile(); result != kPgrOk) {
        error = std::string(archivePath) + ": " + PgrResultMessage(result);
        return false;
    }
    for (int32_t i = 0; i < archive.FileCount(); ++i) {
        std::string name;
        if (!TableStringText(archive.StringTable(), archive.FileEntry(i).nameOffset, name)) {
            error = "entry " + std::to_string(i) + ": its name does not decode";
            return false;
        }
        const ExtractedEntry entry = ExtractEntry(archive, name.c_str());
        if (entry.status != ExtractStatus::Extracted) {
            error = name + ": " + ExtractStatusMessage(entry.status);
            return false;
        }
        const std::string path = outputDirectory + "\\" + name;
        if (!WriteWholeFile(path, entry.data.get(), entry.length)) {
            error = "cannot write " + path;
            return false;
        }
        written += entry.length;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: bare_extract ARCHIVE OUTPUT_DIRECTORY\n");
        return 2;
    }
    InitNoiseTable();
    const ULONGLONG start = GetTickCount64();
    int64_t written = 0;
    std::string error;
    if (!ExtractAll(argv[1], argv[2], written, error)) {
        std::fprintf(stderr, "bare_extract: %s\n", error.c_str());
        return 1;
    }
    std::printf("%llu ms for %lld bytes\n", GetTickCount64() - start, static_cast<long long>(written));
    return 0;
}
