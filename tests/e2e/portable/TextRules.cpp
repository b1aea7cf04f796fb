#include "tests/e2e/portable/TextRules.h"

#include <cstdio>

std::string ShownCaption(const std::string& caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] != '&')
            shown += caption[i];
        else if (i + 1 < caption.size() && caption[i + 1] == '&')
            shown += caption[++i];
    }
    return shown;
}

bool CaptionMatches(const std::string& caption, const std::string& wanted) {
    return caption == wanted || ShownCaption(caption) == wanted;
}

std::string EscapeText(const std::string& text) {
    std::string escaped;
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            continue;  // the LF behind it gives the \n
        switch (c) {
        case '\n': escaped += "\\n"; break;
        case '\t': escaped += "\\t"; break;
        case '\\': escaped += "\\\\"; break;
        default:
            if (c < 0x20 || c == 0x7f) {
                char hex[5];
                std::snprintf(hex, sizeof hex, "\\x%02X", c);
                escaped += hex;
            } else {
                escaped += static_cast<char>(c);
            }
        }
    }
    return escaped;
}
