#include "tools/demo-program/VersionText.h"

#include <algorithm>

namespace {

constexpr const char* kVersionPrefix = "Version ";
constexpr const char* kUnknownVersion = "Version unknown";
// Far longer than any version the installer writes; a longer value is not
// one of ours and would not fit the window.
constexpr size_t kLongestVersion = 32;

// A text value ends at its terminator; a value written without one, or with
// bytes behind it, still reads as the text before it.
std::string UpToTerminator(const std::string& data) {
    return data.substr(0, data.find('\0'));
}

std::string WithoutOuterBlanks(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// Printable ASCII only: control bytes, and bytes whose glyph depends on the
// code page, would show as garbage.
bool IsVersionText(const std::string& text) {
    return !text.empty() && text.size() <= kLongestVersion && std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x20 && byte < 0x7F;
    });
}

}  // namespace

std::string VersionLine(const std::optional<std::string>& registryData) {
    if (!registryData)
        return kUnknownVersion;
    const std::string version = WithoutOuterBlanks(UpToTerminator(*registryData));
    return IsVersionText(version) ? kVersionPrefix + version : kUnknownVersion;
}
