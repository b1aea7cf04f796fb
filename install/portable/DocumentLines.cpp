#include "install/portable/DocumentLines.h"

#include <cstring>

std::vector<std::string> DocumentPieces(const char* text, size_t length) {
    std::vector<std::string> pieces;
    if (!text)
        return pieces;
    const char* end = text + length;
    if (const void* nul = std::memchr(text, '\0', length))
        end = static_cast<const char*>(nul);
    std::string piece;
    for (const char* c = text; c < end; ++c) {
        if (*c == '\r') {
            pieces.push_back(piece + '\n');
            piece.clear();
            ++c;  // the LF of the pair, or whatever follows a lone CR
            continue;
        }
        if (piece.size() == kDocumentLineLimit) {
            pieces.push_back(piece);
            piece.clear();
        }
        piece += *c;
    }
    if (!piece.empty())
        pieces.push_back(piece);
    return pieces;
}
