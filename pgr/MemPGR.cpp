#include "pgr/MemPGR.h"

#include <cstring>

namespace {

CMemPGR* g_registeredMemoryReader = nullptr;

// The memory reader's stream handle: never a real stream, only non-null, so
// that OpenAt takes the block as opened.
char g_memoryStreamToken;

}  // namespace

CMemPGR::CMemPGR(const uint8_t* data, uint32_t size, const DisplayInfo& display)
    : CReadPGR("nothing", display), m_pData(data), m_nPos(0), m_nSize(size) {
    m_hFile = reinterpret_cast<FILE*>(&g_memoryStreamToken);
    g_registeredMemoryReader = this;
}

CMemPGR::~CMemPGR() {
    // Closing here, while this class's IoClose is still the one called.
    CloseArchive();
    if (g_registeredMemoryReader == this)
        g_registeredMemoryReader = nullptr;
}

size_t CMemPGR::IoRead(void* buffer, size_t, size_t count, FILE*) {
    if (m_nPos >= m_nSize)
        return 0;
    const size_t copied = count < m_nSize - m_nPos ? count : m_nSize - m_nPos;
    memcpy(buffer, m_pData + m_nPos, copied);
    m_nPos += static_cast<uint32_t>(copied);
    return copied;
}

FILE* CMemPGR::IoOpen(const char*, const char*) {
    m_nPos = 0;
    m_bOpen = 1;
    return m_hFile;
}

int CMemPGR::IoClose(FILE*) {
    m_bOpen = 0;
    return 1;
}

int32_t CMemPGR::IoSeek(FILE*, int32_t offset, int) {
    m_nPos = static_cast<uint32_t>(offset);
    return offset;
}

int64_t CMemPGR::IoLength(FILE*) { return m_nSize; }

CMemPGR* RegisteredMemoryReader() { return g_registeredMemoryReader; }
