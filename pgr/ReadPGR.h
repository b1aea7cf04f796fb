// CReadPGR reads a PGR archive: it verifies the checksum, loads and
// descrambles the header and the three tables, answers key and file lookups
// and positions itself on entry data. All byte input goes through five
// virtual operations, so one logic serves a file (this class) and a block of
// memory (CMemPGR).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "pgr/DisplayInfo.h"
#include "pgr/PgrFormat.h"
#include "pgr/PgrResult.h"

// A Windows device context, kept opaque here so the reader builds without
// <windows.h>; the declaration is the one <windows.h> makes for HDC.
struct HDC__;
using DrawDCHandle = HDC__*;
struct HWND__;
using DrawWindowHandle = HWND__*;

class CReadPGR {
  public:
    CReadPGR(const char* fileName, const DisplayInfo& display);

    // The I/O operations, in this order: the memory reader overrides each one.
    // The declaration order is their slot order in the virtual table, so no
    // other virtual function may come before them.
    virtual size_t IoRead(void* buffer, size_t elementSize, size_t count, FILE* handle);
    virtual FILE* IoOpen(const char* name, const char* mode);
    virtual int IoClose(FILE* handle);
    virtual int32_t IoSeek(FILE* handle, int32_t offset, int origin);
    // Length of the archive behind the stream. It takes the stream, not its
    // descriptor: the memory reader's handle is a token, not a stream.
    virtual int64_t IoLength(FILE* handle);

    virtual ~CReadPGR();
    CReadPGR(const CReadPGR&) = delete;
    CReadPGR& operator=(const CReadPGR&) = delete;

    // Verifies and loads the archive: a PgrResult (0 when loaded).
    int ReadFile();

    // Value of the first key named name, or name ":" qualifier when qualifier
    // is given; null when none. GetNextKey searches from the entry after the
    // one last matched. A value is plain text in the string table or decoded
    // into the shared value ring: callers copy what they keep.
    const char* GetKey(const char* name, const char* qualifier = nullptr);
    const char* GetNextKey(const char* name, const char* qualifier = nullptr);

    // Data offset of the first entry with that name, or -1; outSize (when
    // given) receives its size, or 0.
    int32_t FindFile(const char* name, int32_t* outSize);
    // Size of the first entry at that data offset, or -1.
    int32_t FileSizeAt(int32_t dataOffset);

    // PgrResult: 0 positioned, 2 never opened, 3 reopening failed.
    int OpenAt(int32_t dataOffset);
    // PgrResult: 0 all read, 4 not open, 5 fewer bytes than count.
    int ReadData(void* buffer, int32_t count);
    void CloseArchive();

    // While set, DrawImage draws into this context instead of the window's.
    void SetDrawDC(DrawDCHandle hdc) { m_hDrawDC = hdc; }
    // Windows only (ImageDrawing.cpp): decodes the JPEG entry at dataOffset
    // straight out of the archive, block by block, and draws it with its
    // top-left corner at (x, y); a negative x or y centres it on the screen
    // along that axis. 1 when drawn; 0 for an offset of no entry, a reader
    // that cannot be positioned or data the decoder refuses.
    int DrawImage(DrawWindowHandle window, int x, int y, int32_t dataOffset);

    // Read-only view of the loaded tables, for tools that list an archive.
    // Counts are 0 until ReadFile has succeeded.
    const PGRHeader& Header() const { return m_stHeader; }
    int32_t FileCount() const;
    int32_t KeyCount() const;
    const PGRFileEntry& FileEntry(int32_t index) const { return m_stPGRFileDirectory[index]; }
    const PGRKeyEntry& KeyEntry(int32_t index) const { return m_stPGRKeyTable[index]; }
    const char* StringTable() const { return m_sStringTable.get(); }

  protected:
    bool IsLoaded() const;
    void ReleaseTables();

    PGRHeader m_stHeader;
    std::unique_ptr<PGRFileEntry[]> m_stPGRFileDirectory;
    std::unique_ptr<PGRKeyEntry[]> m_stPGRKeyTable;
    std::unique_ptr<char[]> m_sStringTable;
    FILE* m_hFile;
    std::string m_sFile;
    int32_t m_nLastKey;
    int32_t m_bOpen;
    DrawDCHandle m_hDrawDC;
    const DisplayInfo* m_pDisplay;

  private:
    int ReadChecksummedArchive();
    int LoadTables(int64_t archiveLength);
    const char* FindKeyFrom(int32_t first, const char* name, const char* qualifier);
};
