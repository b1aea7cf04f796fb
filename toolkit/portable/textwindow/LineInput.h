// One line typed into a text window's current line: the typed characters
// stand behind what the line held before, with a "_" as cursor behind them.
// Backspace never takes the text that was there; Escape gives the line back
// as it was.
//
// The input keeps copies only, never a record: while the program waits for
// the next key, other threads append to the ring or replace it, so each key
// is given the record that is current by then.
#pragma once

#include <string>

#include "toolkit/portable/textwindow/LineRing.h"

class CLineInput {
  public:
    // Starts input on what line holds and shows the cursor there. A line
    // too full for the cursor keeps its text and takes no characters.
    explicit CLineInput(LineRecord& line);

    // One key, shown in line: 8 backspace, 13 Enter, 27 Escape; a printable
    // character (32 to 255) is typed, any other key ignored.
    // True once the input is over (Enter or Escape).
    bool Key(int key, LineRecord& line);

    // The typed text: after Enter what was typed, after Escape empty.
    const std::string& Result() const { return m_stTyped; }

  private:
    void Show(LineRecord& line);
    void Type(char character, LineRecord& line);
    void EraseLast(LineRecord& line);
    void Finish(LineRecord& line);
    void Cancel(LineRecord& line);

    LineRecord m_stBefore;
    std::string m_stTyped;
};
