// CMemPGR: the archive reader over a block of memory, the installer's reader
// of the archive embedded in its own executable.
#pragma once

#include "pgr/ReadPGR.h"

class CMemPGR : public CReadPGR {
  public:
    // The block is not owned and must outlive the reader. The newest reader
    // becomes the process-wide one the image stream reads through.
    CMemPGR(const uint8_t* data, uint32_t size, const DisplayInfo& display);
    ~CMemPGR() override;

    // Copies what remains, up to count bytes; at or past the end, nothing.
    size_t IoRead(void* buffer, size_t elementSize, size_t count, FILE* handle) override;
    FILE* IoOpen(const char* name, const char* mode) override;
    int IoClose(FILE* handle) override;
    int32_t IoSeek(FILE* handle, int32_t offset, int origin) override;
    int64_t IoLength(FILE* handle) override;

  protected:
    const uint8_t* m_pData;
    uint32_t m_nPos;
    uint32_t m_nSize;
};

// The last CMemPGR constructed and not yet destroyed, or null.
CMemPGR* RegisteredMemoryReader();
