// A JPEG entry decoded straight out of the archive: libjpeg reads it through
// a source that fetches 4096-byte blocks and descrambles each with its own
// block key, so no copy of the entry is ever made.
//
// libjpeg reports fatal errors by calling the error manager's exit routine,
// which jumps back to DecodeAndDraw here. Between setjmp and the last
// libjpeg call nothing with a destructor lives, so the jump skips none; the
// pixel buffer is a plain allocation freed on both paths.
#include "pgr/ImageDrawing.h"

// clang-format off
#include <windows.h>
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <csetjmp>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "pgr/ImagePixels.h"
#include "pgr/PgrTransforms.h"
#include "pgr/ReadPGR.h"

namespace {

constexpr int kJpegVersion = 62;
constexpr size_t kBlockSize = Pgr::kDataBlockSize;

struct FatalError {
    jpeg_error_mgr manager;
    std::jmp_buf jump;
};

void OnFatalError(j_common_ptr info) {
    FatalError* error = reinterpret_cast<FatalError*>(info->err);
    jpeg_destroy(info);
    std::longjmp(error->jump, 1);
}

void IgnoreMessage(j_common_ptr) {}
void IgnoreMessageLevel(j_common_ptr, int) {}

// The archive side of the decoder's input, as the stdio source behaves but
// reading blocks of the entry.
struct ArchiveSource {
    jpeg_source_mgr manager;
    CReadPGR* reader;
    FILE* stream;
    int32_t position;   // data offset of the next block
    int32_t remaining;  // stored bytes of the entry not yet delivered
    bool started;
    JOCTET block[kBlockSize];
};

void InitSource(j_decompress_ptr info) {
    reinterpret_cast<ArchiveSource*>(info->src)->started = false;
}

// Reads on past the entry when the archive goes on: the decoder ignores
// what follows its end-of-image marker. Only the entry's own bytes are
// descrambled, each block with the key of its own data offset.
boolean FillInputBuffer(j_decompress_ptr info) {
    ArchiveSource& s = *reinterpret_cast<ArchiveSource*>(info->src);
    size_t got = s.reader->IoRead(s.block, 1, kBlockSize, s.stream);
    const int32_t entryBytes = s.remaining < static_cast<int32_t>(kBlockSize) ? s.remaining : kBlockSize;
    const int32_t scrambled = entryBytes < static_cast<int32_t>(got) ? entryBytes : static_cast<int32_t>(got);
    if (scrambled > 0)
        DescrambleTable(s.block, scrambled, DataBlockKey(static_cast<uint32_t>(s.position)));
    s.position += static_cast<int32_t>(kBlockSize);
    s.remaining -= static_cast<int32_t>(got);
    if (got == 0) {
        if (!s.started)
            ERREXIT(info, JERR_INPUT_EMPTY);
        WARNMS(info, JWRN_JPEG_EOF);
        s.block[0] = 0xFF;
        s.block[1] = JPEG_EOI;
        got = 2;
    }
    s.manager.next_input_byte = s.block;
    s.manager.bytes_in_buffer = got;
    s.started = true;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count) {
    jpeg_source_mgr& m = *info->src;
    if (count <= 0)
        return;
    while (count > static_cast<long>(m.bytes_in_buffer)) {
        count -= static_cast<long>(m.bytes_in_buffer);
        FillInputBuffer(info);
    }
    m.next_input_byte += count;
    m.bytes_in_buffer -= static_cast<size_t>(count);
}

void TermSource(j_decompress_ptr) {}

void AttachSource(jpeg_decompress_struct& info, ArchiveSource& source) {
    source.manager.init_source = InitSource;
    source.manager.fill_input_buffer = FillInputBuffer;
    source.manager.skip_input_data = SkipInputData;
    source.manager.resync_to_restart = jpeg_resync_to_restart;
    source.manager.term_source = TermSource;
    source.manager.bytes_in_buffer = 0;
    source.manager.next_input_byte = nullptr;
    info.src = &source.manager;
}

struct Placement {
    HWND window;
    HDC drawDC;
    int x, y;
    const DisplayInfo* display;
};

void Blit(const Placement& at, const uint8_t* pixels, int width, int height, bool sixteenBit) {
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = sixteenBit ? 16 : 32;
    header.biCompression = BI_RGB;
    // The padded rows of an odd width count too.
    header.biSizeImage = static_cast<DWORD>(DibSize(width, height, sixteenBit));
    HDC dc = at.drawDC ? at.drawDC : GetDC(at.window);
    if (!dc)
        return;
    const int x = ImageOrigin(at.x, at.display ? at.display->screenWidth : 0, width);
    const int y = ImageOrigin(at.y, at.display ? at.display->screenHeight : 0, height);
    SetDIBitsToDevice(dc, x, y, static_cast<DWORD>(width), static_cast<DWORD>(height), 0, 0, 0,
                      static_cast<UINT>(height), pixels, reinterpret_cast<const BITMAPINFO*>(&header), DIB_RGB_COLORS);
    if (!at.drawDC)
        ReleaseDC(at.window, dc);
}

// The decoder's rows go into the upper part of one buffer, bottom image row
// lowest; the converted output into its start.
bool DecodeAndDraw(jpeg_decompress_struct& info, FatalError& error, ArchiveSource& source, const Placement& at) {
    uint8_t* volatile memory = nullptr;
    if (setjmp(error.jump)) {
        std::free(memory);
        return false;
    }
    jpeg_CreateDecompress(&info, kJpegVersion, sizeof(info));
    AttachSource(info, source);
    jpeg_read_header(&info, TRUE);
    info.out_color_space = JCS_RGB;
    // The output's size and components, known before the decoder allocates
    // anything: an image that cannot be drawn is refused as a decoding error.
    jpeg_calc_output_dimensions(&info);
    const bool sixteenBit = at.display && at.display->is16Bit;
    const uint64_t bytes =
        ImageBufferSize(info.output_width, info.output_height, info.out_color_components, sixteenBit);
    if (bytes == 0)
        ERREXIT1(&info, JERR_IMAGE_TOO_BIG, static_cast<int>(kMaxImageSide));
    jpeg_start_decompress(&info);
    const int width = static_cast<int>(info.output_width);
    const int height = static_cast<int>(info.output_height);
    const size_t stride = DecodedStride(width);
    const size_t outputSize = DibSize(width, height, sixteenBit);
    memory = static_cast<uint8_t*>(std::malloc(static_cast<size_t>(bytes)));
    if (!memory)
        ERREXIT(&info, JERR_OUT_OF_MEMORY);
    uint8_t* const rows = memory + outputSize;
    for (int row = height - 1; info.output_scanline < info.output_height; --row) {
        JSAMPROW line = rows + stride * static_cast<size_t>(row);
        jpeg_read_scanlines(&info, &line, 1);
        SwapRedAndBlue(line, width);
    }
    ConvertToDib(rows, width, height, sixteenBit, memory);
    Blit(at, memory, width, height, sixteenBit);
    std::free(memory);
    memory = nullptr;
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

}  // namespace

DisplayInfo CurrentDisplayInfo() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    DisplayInfo display = {0, 0, 0};
    if (EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode)) {
        display.is16Bit = mode.dmBitsPerPel == 16 ? 1 : 0;
        display.screenHeight = static_cast<int32_t>(mode.dmPelsHeight);
        display.screenWidth = static_cast<int32_t>(mode.dmPelsWidth);
    }
    return display;
}

int CReadPGR::DrawImage(DrawWindowHandle window, int x, int y, int32_t dataOffset) {
    if (OpenAt(dataOffset) != kPgrOk)
        return 0;
    const int32_t size = FileSizeAt(dataOffset);
    if (size < 0) {
        CloseArchive();
        return 0;
    }
    // Large (a 4096-byte block), and one image at a time: kept out of the
    // worker's small stack.
    static ArchiveSource source;
    source = {};
    source.reader = this;
    source.stream = m_hFile;
    source.position = dataOffset;
    source.remaining = size;
    static jpeg_decompress_struct info;
    static FatalError error;
    info = {};
    error = {};
    info.err = jpeg_std_error(&error.manager);
    error.manager.error_exit = OnFatalError;
    error.manager.output_message = IgnoreMessage;
    error.manager.emit_message = IgnoreMessageLevel;
    const bool drawn = DecodeAndDraw(info, error, source, {window, m_hDrawDC, x, y, m_pDisplay});
    CloseArchive();
    return drawn ? 1 : 0;
}
