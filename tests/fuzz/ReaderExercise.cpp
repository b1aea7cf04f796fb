#include "tests/fuzz/ReaderExercise.h"

#include <string>

#include "pgr/ExtractEntry.h"
#include "pgr/MemPGR.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"

namespace {

const DisplayInfo kDisplay{0, 768, 1024};

std::string TextAt(const CReadPGR& reader, int32_t offset) {
    std::string text;
    TableStringText(reader.StringTable(), offset, text);
    return text;
}

// Names found in the archive are looked up the way the installer looks them
// up, so matches happen and values and entries are really read.
void ExerciseLoaded(CMemPGR& reader) {
    for (int32_t i = 0; i < reader.KeyCount(); i++) {
        const std::string name = TextAt(reader, reader.KeyEntry(i).nameOffset);
        reader.GetKey(name.c_str());
        reader.GetNextKey(name.c_str());
        const size_t colon = name.find(':');
        if (colon != std::string::npos)
            reader.GetNextKey(name.substr(0, colon).c_str(), name.c_str() + colon + 1);
    }
    for (int32_t i = 0; i < reader.FileCount(); i++) {
        const std::string name = TextAt(reader, reader.FileEntry(i).nameOffset);
        int32_t size = 0;
        const int32_t offset = reader.FindFile(name.c_str(), &size);
        reader.FileSizeAt(offset);
        ExtractEntry(reader, name.c_str());
        uint8_t head[16];
        if (reader.OpenAt(offset) == kPgrOk)
            reader.ReadData(head, sizeof head);
    }
    reader.CloseArchive();
}

}  // namespace

void InitNoiseTableOnce() {
    static const bool filled = (InitNoiseTable(), true);
    (void)filled;
}

void ReadEverything(const uint8_t* archive, size_t size) {
    CMemPGR reader(archive, static_cast<uint32_t>(size), kDisplay);
    if (reader.ReadFile() == kPgrOk)
        ExerciseLoaded(reader);
    reader.GetKey("MAINLINKNAME");
    reader.GetNextKey("UNINSTALL", "KEYNAME");
    ExtractEntry(reader, "WELCOME_TXT");
}
