#include "tools/pgrtool/ArchiveCommands.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <memory>
#include <vector>

#include "pgr/ExtractEntry.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"
#include "pgr/ReadPGR.h"
#include "tools/pgrtool/FileIo.h"
#include "tools/pgrtool/PgrBuilder.h"

namespace fs = std::filesystem;

namespace {

const DisplayInfo kNoDisplay{};

// A reader with its archive loaded; a refused archive is an ArchiveError
// naming the reason.
std::unique_ptr<CReadPGR> LoadArchive(const std::string& path) {
    InitNoiseTable();
    auto reader = std::make_unique<CReadPGR>(path.c_str(), kNoDisplay);
    const int result = reader->ReadFile();
    if (result == kPgrNotOpenable)
        throw ArchiveError("cannot open " + path);
    if (result != kPgrOk)
        throw ArchiveError(path + ": " + PgrResultMessage(result));
    return reader;
}

struct TableString {
    std::string text;
    bool scrambled = false;
    bool decodes = true;  // a scrambled string decodes to a terminated text
};

TableString StringAt(const CReadPGR& reader, int32_t offset) {
    TableString s;
    s.scrambled = IsScrambledString(reader.StringTable(), offset);
    s.decodes = TableStringText(reader.StringTable(), offset, s.text);
    return s;
}

std::string Shown(const TableString& s) {
    if (!s.decodes)
        return "(does not decode) [scrambled]";
    return "\"" + s.text + "\"" + (s.scrambled ? " [scrambled]" : "");
}

std::string FormOf(const ExtractedEntry& e) {
    std::string form = e.compressed ? "compressed, inflates to " + std::to_string(e.length) + " bytes" : "stored";
    if (e.status != ExtractStatus::Extracted)
        form += std::string(" (") + ExtractStatusMessage(e.status) + ")";
    return form;
}

// An entry name that would leave the output directory, or name none.
bool IsSafeFileName(const std::string& name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("/\\") == std::string::npos;
}

struct ExtractedFile {
    std::string name;
    ExtractedEntry entry;
};

}  // namespace

void ListArchive(const std::string& archive) {
    const std::unique_ptr<CReadPGR> reader = LoadArchive(archive);
    const PGRHeader& h = reader->Header();
    printf("%s: %d files, %d keys, string table %d bytes, data base %d\n", archive.c_str(), h.fileCount,
           h.keyCount, h.stringTableSize, h.dataBase);
    printf("files (name, size, data offset, form):\n");
    for (int32_t i = 0; i < reader->FileCount(); i++) {
        const PGRFileEntry& e = reader->FileEntry(i);
        const TableString name = StringAt(*reader, e.nameOffset);
        const ExtractedEntry extracted = ExtractEntry(*reader, name.text.c_str());
        printf("  %-32s %10d %10d  %s\n", Shown(name).c_str(), e.size, e.dataOffset, FormOf(extracted).c_str());
    }
    printf("keys (in table order):\n");
    for (int32_t i = 0; i < reader->KeyCount(); i++) {
        const PGRKeyEntry& k = reader->KeyEntry(i);
        printf("  %s = %s\n", Shown(StringAt(*reader, k.nameOffset)).c_str(),
               Shown(StringAt(*reader, k.valueOffset)).c_str());
    }
}

int VerifyArchive(const std::string& archive) {
    const std::unique_ptr<CReadPGR> reader = LoadArchive(archive);
    int faults = 0;
    auto fault = [&](const std::string& what) {
        fprintf(stderr, "%s: %s\n", archive.c_str(), what.c_str());
        faults++;
    };
    std::map<std::string, int32_t> firstEntryNamed;
    for (int32_t i = 0; i < reader->FileCount(); i++) {
        const std::string where = "entry " + std::to_string(i);
        const TableString name = StringAt(*reader, reader->FileEntry(i).nameOffset);
        if (!name.decodes) {
            fault(where + ": its name does not decode");
            continue;
        }
        if (!firstEntryNamed.emplace(name.text, i).second) {
            fault(where + ": name \"" + name.text + "\" is taken by entry " +
                  std::to_string(firstEntryNamed[name.text]) + ", so it can never be found");
            continue;
        }
        const ExtractedEntry e = ExtractEntry(*reader, name.text.c_str());
        if (e.status != ExtractStatus::Extracted)
            fault(where + " \"" + name.text + "\": " + ExtractStatusMessage(e.status));
    }
    for (int32_t i = 0; i < reader->KeyCount(); i++) {
        const PGRKeyEntry& k = reader->KeyEntry(i);
        if (!StringAt(*reader, k.nameOffset).decodes)
            fault("key " + std::to_string(i) + ": its name does not decode");
        if (!StringAt(*reader, k.valueOffset).decodes)
            fault("key " + std::to_string(i) + ": its value does not decode");
    }
    if (faults == 0)
        printf("%s: sound: %d files, %d keys\n", archive.c_str(), reader->FileCount(), reader->KeyCount());
    return faults;
}

void ExtractArchive(const std::string& archive, const std::string& directory) {
    const std::unique_ptr<CReadPGR> reader = LoadArchive(archive);
    std::vector<ExtractedFile> files;
    std::set<std::string> seen;
    for (int32_t i = 0; i < reader->FileCount(); i++) {
        const TableString name = StringAt(*reader, reader->FileEntry(i).nameOffset);
        const std::string where = archive + ": entry " + std::to_string(i);
        if (!name.decodes)
            throw ArchiveError(where + ": its name does not decode");
        if (!IsSafeFileName(name.text))
            throw ArchiveError(where + ": unsafe file name \"" + name.text + "\"");
        if (!seen.insert(name.text).second)
            throw ArchiveError(where + ": name \"" + name.text + "\" is used twice");
        ExtractedEntry e = ExtractEntry(*reader, name.text.c_str());
        if (e.status != ExtractStatus::Extracted)
            throw ArchiveError(where + " \"" + name.text + "\": " + ExtractStatusMessage(e.status));
        files.push_back({name.text, std::move(e)});
    }
    std::error_code error;
    fs::create_directories(directory, error);
    if (error)
        throw ArchiveError("cannot create " + directory + ": " + error.message());
    std::vector<NamedFile> named;
    for (const ExtractedFile& f : files)
        named.push_back({f.name, f.entry.data.get(), f.entry.length});
    try {
        WriteFilesAllOrNothing(directory, named);
    } catch (const PgrBuildError& e) {
        throw ArchiveError(e.what());
    }
    printf("%s: %zu files extracted into %s\n", archive.c_str(), files.size(), directory.c_str());
}

void PrintKey(const std::string& archive, const std::string& name, const char* qualifier) {
    const std::unique_ptr<CReadPGR> reader = LoadArchive(archive);
    const char* value = reader->GetKey(name.c_str(), qualifier);
    if (!value)
        throw ArchiveError(archive + ": no key " + name + (qualifier ? std::string(":") + qualifier : ""));
    for (; value; value = reader->GetNextKey(name.c_str(), qualifier))
        printf("%s\n", value);
}
