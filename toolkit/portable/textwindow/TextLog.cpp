#include "toolkit/portable/textwindow/TextLog.h"

#include <algorithm>

#include "toolkit/portable/text/MarkupReader.h"

namespace {

const char kRule[] = "-----------------------------------------------------------------\n";

const char* NameOrUnknown(int index, const char* const* names, int count) {
    return index >= 0 && index < count ? names[index] : "???";
}

// Removes the "{~" sequences; what is left may still hold compiled codes.
std::string WithoutTildeSequences(const char* text, size_t length) {
    std::string kept;
    kept.reserve(length);
    size_t i = 0;
    while (i < length) {
        if (text[i] != '{' || i + 1 == length || text[i + 1] != '~') {
            kept += text[i++];
            continue;
        }
        const char marker = i + 2 < length ? text[i + 2] : '\0';
        size_t end = i + (marker == '\x01' ? 7 : 3);
        if (marker == '\x06') {
            while (end < length && text[end] != '\x01')
                end += 2;
            ++end;
        }
        i = std::min(end, length);
    }
    return kept;
}

}  // namespace

std::string AsctimeText(const std::tm& time) {
    static const char* const kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static const char* const kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                          "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    // Room for every field at its widest int, so nothing is ever cut.
    char text[96];
    std::snprintf(text, sizeof(text), "%.3s %.3s%3d %.2d:%.2d:%.2d %lld\n", NameOrUnknown(time.tm_wday, kDays, 7),
                  NameOrUnknown(time.tm_mon, kMonths, 12), time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec,
                  1900LL + time.tm_year);
    return text;
}

std::string LogHeader(const std::tm& time, const char* title) {
    const std::string stamp = AsctimeText(time);
    std::string header = kRule;
    header += ":: Corvane Log -+- " + stamp;
    if (title && *title)
        header += std::string(":: Log for TextWindow Class Window '") + title + "'.\n";
    else
        header += stamp + " -- Corvane Start Log for (Untitled) TextWindow.\n";
    header += kRule;
    header += '\n';
    return header;
}

std::string LogLine(const char* text, size_t length, size_t capacity) {
    const size_t room = std::max<size_t>(capacity, 2) - 2;
    const std::string kept = WithoutTildeSequences(text, text ? length : 0);
    std::string line;
    CMarkupReader reader(kept.data(), kept.size());
    MarkupItem item;
    while (line.size() < room && reader.Next(item)) {
        if (item.kind != MarkupItemKind::Code)
            line.append(item.bytes, std::min(item.length, room - line.size()));
    }
    line += "\r\n";
    return line;
}

CTextLog::~CTextLog() {
    End();
}

bool CTextLog::Start(const char* path, const std::tm& now, const char* title) {
    if (IsLogging())
        return true;
    if (!path || !*path)
        return false;
    m_hFile = std::fopen(path, "wb");
    if (!m_hFile)
        return false;
    WriteBytes(LogHeader(now, title));
    return true;
}

void CTextLog::Log(const char* text, size_t length) {
    if (IsLogging())
        WriteBytes(LogLine(text, length));
}

void CTextLog::End() {
    if (!IsLogging())
        return;
    WriteBytes(kLogFooter);
    std::fclose(m_hFile);
    m_hFile = nullptr;
}

void CTextLog::WriteBytes(const std::string& bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), m_hFile);
}
