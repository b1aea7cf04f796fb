// The log file of a text window: a fixed header when logging starts, one
// line per appended text, a footer when it ends. The texts are plain stdio
// writes, so the whole log lives here and is tested on the host; the
// Windows side only passes the host window's title and the local time.
#pragma once

#include <cstddef>
#include <cstdio>
#include <ctime>
#include <string>

// Bytes of one logged line, its closing CR LF included. Every text the ring
// accepts (below 1199 bytes) fits with room to spare.
constexpr size_t kLogLineCapacity = 2048;

// The time as asctime writes it, "Thu Dec 10 01:43:28 2026\n", without
// asctime's shared buffer and without its undefined behaviour for fields out
// of range: a weekday or month out of range reads "???", numbers are printed
// as they stand.
std::string AsctimeText(const std::tm& time);

// The header StartLog writes. A title that is null or empty gives the
// untitled form. The title is copied as it stands ("%" included).
std::string LogHeader(const std::tm& time, const char* title);

// What EndLog writes before closing the file.
constexpr char kLogFooter[] = "\r\n:: End Corvane Log ::";

// One appended text as the log records it. The text is the source form, so
// brace markup stays as written; what goes is:
//   - every sequence that starts with "{~": 7 bytes when the byte after
//     "{~" is 0x01; otherwise 3 bytes, and when that byte is 0x06 the
//     sequence goes on in steps of two bytes up to and including the next
//     0x01. A sequence that runs past the end takes the rest of the text;
//   - compiled codes with their payloads, as CMarkupReader reads them (so a
//     compiled text logs as its plain characters, and a truncated code at
//     the end goes with the bytes behind it).
// Then CR LF follows; an empty text logs CR LF alone. A text whose plain
// bytes do not fit in capacity - 2 is cut after the bytes that do, and the
// CR LF still ends the line, so a long text never runs into the next one.
// A capacity below 2 is taken as 2.
std::string LogLine(const char* text, size_t length, size_t capacity = kLogLineCapacity);

// One open log. Not thread-safe: the append lock of the text window guards
// it as it guards the ring.
class CTextLog {
  public:
    CTextLog() = default;
    CTextLog(const CTextLog&) = delete;
    CTextLog& operator=(const CTextLog&) = delete;
    ~CTextLog();  // ends the log, footer included, as WM_DESTROY does

    // StartLog: true when logging already (nothing is written again) or
    // when path could be opened for binary writing and the header written;
    // false for a null or empty path or a file that cannot be opened.
    bool Start(const char* path, const std::tm& now, const char* title);
    // Logs one text when logging; does nothing otherwise.
    void Log(const char* text, size_t length);
    // EndLog: writes the footer and closes the file; nothing when not logging.
    void End();

    bool IsLogging() const { return m_hFile != nullptr; }

  private:
    void WriteBytes(const std::string& bytes);

    std::FILE* m_hFile = nullptr;
};
