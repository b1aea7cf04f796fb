// Writing a file piece by piece, with a look at progress and cancel after
// every piece.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>

enum class ChunkOutcome { Written, ShortWrite, ShortRead, Stopped };

// Writes size bytes of data in pieces of at most chunk bytes. After each
// full piece, afterPiece(bytes) is called; when it returns true the rest is
// not written. A short write (a full disk) ends it at once.
template <typename AfterPiece>
ChunkOutcome WriteInChunks(FILE* out, const uint8_t* data, size_t size, size_t chunk, AfterPiece afterPiece) {
    while (size > 0) {
        const size_t piece = size < chunk ? size : chunk;
        if (fwrite(data, 1, piece, out) != piece)
            return ChunkOutcome::ShortWrite;
        data += piece;
        size -= piece;
        if (afterPiece(piece))
            return ChunkOutcome::Stopped;
    }
    return ChunkOutcome::Written;
}

// The same for length bytes read from in through buffer (bufferSize bytes).
template <typename AfterPiece>
ChunkOutcome CopyInChunks(FILE* in, FILE* out, uint64_t length, uint8_t* buffer, size_t bufferSize,
                          AfterPiece afterPiece) {
    while (length > 0) {
        const size_t piece = length < bufferSize ? static_cast<size_t>(length) : bufferSize;
        if (fread(buffer, 1, piece, in) != piece)
            return ChunkOutcome::ShortRead;
        const ChunkOutcome written = WriteInChunks(out, buffer, piece, piece, afterPiece);
        if (written != ChunkOutcome::Written)
            return written;
        length -= piece;
    }
    return ChunkOutcome::Written;
}

// Closes the file; false when its last buffered bytes could not be written,
// which a full disk reports only here.
inline bool CloseWritten(FILE* out) {
    return fclose(out) == 0;
}
