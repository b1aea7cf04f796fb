#include "pgr/ReadPGR.h"

#include <climits>
#include <cstring>
#include <new>

#include "install/portable/Bits16.h"
#include "pgr/PgrPlatform.h"
#include "pgr/PgrStrings.h"
#include "pgr/PgrTransforms.h"

namespace {

// The checksum pass streams the archive through this buffer instead of
// holding it twice.
constexpr size_t kCheckBufferSize = 102400;
// name ":" qualifier, at most 511 characters.
constexpr size_t kWantedKeySize = 512;

template <typename T>
std::unique_ptr<T[]> TryAllocate(int64_t count) {
    return std::unique_ptr<T[]>(new (std::nothrow) T[static_cast<size_t>(count)]());
}

// Each table is descrambled as one unit whose length is, like every length of
// the format, a signed 32-bit count: a longer table cannot be one, and is as
// broken as one that runs past the end of the archive.
bool UnitsFitInArchive(const TableUnits& units, int64_t archiveLength) {
    for (const TableUnit& unit : units)
        if (unit.length < 0 || unit.length > INT32_MAX)
            return false;
    return units.back().offset + units.back().length <= archiveLength;
}

bool IsStringOffset(int32_t offset, int32_t stringTableSize) {
    return offset >= 0 && offset < stringTableSize;
}

bool DataInsideArchive(const PGRFileEntry& e, int32_t dataBase, int64_t archiveLength) {
    return dataBase >= 0 && e.dataOffset >= 0 && e.size >= 0 &&
           int64_t{dataBase} + e.dataOffset + e.size <= archiveLength;
}

}  // namespace

CReadPGR::CReadPGR(const char* fileName, const DisplayInfo& display)
    : m_stHeader(),
      m_hFile(nullptr),
      m_sFile(fileName),
      m_nLastKey(0),
      m_bOpen(0),
      m_hDrawDC(nullptr),
      m_pDisplay(&display) {}

CReadPGR::~CReadPGR() { CloseArchive(); }

size_t CReadPGR::IoRead(void* buffer, size_t elementSize, size_t count, FILE* handle) {
    return fread(buffer, elementSize, count, handle);
}

FILE* CReadPGR::IoOpen(const char* name, const char* mode) { return fopen(name, mode); }

int CReadPGR::IoClose(FILE* handle) { return fclose(handle); }

// A position outside the file leaves the stream at its end, so that reads
// there return nothing, as they do in the memory reader.
int32_t CReadPGR::IoSeek(FILE* handle, int32_t offset, int origin) {
    if (offset < 0 || fseek(handle, offset, origin) != 0)
        fseek(handle, 0, SEEK_END);
    return offset;
}

int64_t CReadPGR::IoLength(FILE* handle) { return StreamFileLength(handle); }

int CReadPGR::ReadFile() {
    // A reader left open by OpenAt holds a stream that the new one replaces.
    CloseArchive();
    ReleaseTables();
    m_hFile = IoOpen(m_sFile.c_str(), "rb");
    if (!m_hFile)
        return kPgrNotOpenable;
    const int result = ReadChecksummedArchive();
    // m_hFile keeps its value: OpenAt takes a non-null one as "was opened".
    IoClose(m_hFile);
    m_bOpen = 0;
    if (result != kPgrOk)
        ReleaseTables();
    return result;
}

int CReadPGR::ReadChecksummedArchive() {
    uint8_t stored[4] = {};
    IoRead(stored, 1, sizeof stored, m_hFile);
    std::unique_ptr<uint8_t[]> checkMemory(new (std::nothrow) uint8_t[kCheckBufferSize]);
    if (!checkMemory)
        return kPgrNoMemory;
    const int64_t archiveLength = IoLength(m_hFile);
    uint32_t sum = 0;
    if (archiveLength > Pgr::kUnsummedMaxLength) {
        size_t got;
        do {
            got = IoRead(checkMemory.get(), 1, kCheckBufferSize, m_hFile);
            sum = AddBytes(sum, checkMemory.get(), got);
        } while (got == kCheckBufferSize);
    }
    checkMemory.reset();
    if (LoadLe32(stored) != (sum ^ Pgr::kChecksumXor))
        return kPgrChecksumMismatch;
    return LoadTables(archiveLength);
}

// The header and the three tables lie back to back from offset 0; each table
// is one scrambled unit keyed by its own count. Nothing read is trusted: the
// counts must fit in the archive, every string offset must lie in the string
// table, which must end with a zero, and every entry's data must lie in the
// archive.
int CReadPGR::LoadTables(int64_t archiveLength) {
    if (archiveLength < Pgr::kHeaderSize)
        return kPgrBrokenStructure;
    IoSeek(m_hFile, 0, SEEK_SET);
    if (IoRead(&m_stHeader, 1, sizeof m_stHeader, m_hFile) != sizeof m_stHeader)
        return kPgrShortRead;
    DescrambleTable(reinterpret_cast<uint8_t*>(&m_stHeader) + Pgr::kScrambledHeaderOffset,
                    Pgr::kScrambledHeaderSize, HeaderKey());
    const int32_t n = m_stHeader.fileCount, m = m_stHeader.keyCount, s = m_stHeader.stringTableSize;
    const TableUnits units = TableUnitsOf(m_stHeader);
    if (!UnitsFitInArchive(units, archiveLength))
        return kPgrBrokenStructure;

    m_stPGRFileDirectory = TryAllocate<PGRFileEntry>(n);
    m_stPGRKeyTable = TryAllocate<PGRKeyEntry>(m);
    m_sStringTable = TryAllocate<char>(s);
    if (!m_stPGRFileDirectory || !m_stPGRKeyTable || !m_sStringTable)
        return kPgrNoMemory;
    void* const tables[] = {m_stPGRFileDirectory.get(), m_stPGRKeyTable.get(), m_sStringTable.get()};
    for (size_t i = 0; i < units.size(); i++) {
        const auto length = static_cast<int32_t>(units[i].length);  // in range, checked above
        if (IoRead(tables[i], 1, static_cast<size_t>(length), m_hFile) != static_cast<size_t>(length))
            return kPgrShortRead;
        DescrambleTable(static_cast<uint8_t*>(tables[i]), length, units[i].key);
    }

    if (s > 0 && m_sStringTable[s - 1] != 0)
        return kPgrBrokenStructure;
    for (int32_t i = 0; i < n; i++) {
        const PGRFileEntry& e = m_stPGRFileDirectory[i];
        if (!IsStringOffset(e.nameOffset, s) || !DataInsideArchive(e, m_stHeader.dataBase, archiveLength))
            return kPgrBrokenStructure;
    }
    for (int32_t i = 0; i < m; i++) {
        const PGRKeyEntry& k = m_stPGRKeyTable[i];
        if (!IsStringOffset(k.nameOffset, s) || !IsStringOffset(k.valueOffset, s))
            return kPgrBrokenStructure;
    }
    return kPgrOk;
}

bool CReadPGR::IsLoaded() const { return m_stPGRFileDirectory && m_stPGRKeyTable && m_sStringTable; }

void CReadPGR::ReleaseTables() {
    m_stPGRFileDirectory.reset();
    m_stPGRKeyTable.reset();
    m_sStringTable.reset();
}

int32_t CReadPGR::FileCount() const { return IsLoaded() ? m_stHeader.fileCount : 0; }

int32_t CReadPGR::KeyCount() const { return IsLoaded() ? m_stHeader.keyCount : 0; }

const char* CReadPGR::GetKey(const char* name, const char* qualifier) { return FindKeyFrom(0, name, qualifier); }

const char* CReadPGR::GetNextKey(const char* name, const char* qualifier) {
    return FindKeyFrom(m_nLastKey + 1, name, qualifier);
}

const char* CReadPGR::FindKeyFrom(int32_t first, const char* name, const char* qualifier) {
    const size_t nameLength = strlen(name);
    const size_t wantedLength = nameLength + (qualifier ? 1 + strlen(qualifier) : 0);
    if (wantedLength >= kWantedKeySize)
        return nullptr;  // longer than any key a lookup can name
    char wanted[kWantedKeySize];
    memcpy(wanted, name, nameLength + 1);
    if (qualifier) {
        wanted[nameLength] = ':';
        memcpy(wanted + nameLength + 1, qualifier, strlen(qualifier) + 1);
    }
    for (int32_t i = first; i < KeyCount(); i++) {
        if (TableStringEquals(m_sStringTable.get(), m_stPGRKeyTable[i].nameOffset, wanted, kKeyNameWorkSize)) {
            m_nLastKey = i;
            return TableStringValue(m_sStringTable.get(), m_stPGRKeyTable[i].valueOffset);
        }
    }
    return nullptr;
}

int32_t CReadPGR::FindFile(const char* name, int32_t* outSize) {
    for (int32_t i = 0; i < FileCount(); i++) {
        const PGRFileEntry& e = m_stPGRFileDirectory[i];
        if (TableStringEquals(m_sStringTable.get(), e.nameOffset, name, kDirectoryNameWorkSize)) {
            if (outSize)
                *outSize = e.size;
            return e.dataOffset;
        }
    }
    if (outSize)
        *outSize = 0;
    return -1;
}

int32_t CReadPGR::FileSizeAt(int32_t dataOffset) {
    for (int32_t i = 0; i < FileCount(); i++)
        if (m_stPGRFileDirectory[i].dataOffset == dataOffset)
            return m_stPGRFileDirectory[i].size;
    return -1;
}

int CReadPGR::OpenAt(int32_t dataOffset) {
    if (!m_bOpen) {
        if (!m_hFile)
            return kPgrNotOpenable;
        m_hFile = IoOpen(m_sFile.c_str(), "rb");
        if (!m_hFile)
            return kPgrReopenFailed;
    }
    // A position that does not fit the stream's offsets reads nothing.
    const int64_t position = int64_t{m_stHeader.dataBase} + dataOffset;
    IoSeek(m_hFile, position >= 0 && position <= INT32_MAX ? static_cast<int32_t>(position) : -1, SEEK_SET);
    m_bOpen = 1;
    return kPgrOk;
}

int CReadPGR::ReadData(void* buffer, int32_t count) {
    if (!m_bOpen)
        return kPgrNotOpen;
    if (count < 0)
        return kPgrShortRead;
    const size_t wanted = static_cast<size_t>(count);
    return IoRead(buffer, 1, wanted, m_hFile) == wanted ? kPgrOk : kPgrShortRead;
}

void CReadPGR::CloseArchive() {
    if (m_bOpen)
        IoClose(m_hFile);
    m_bOpen = 0;
}
