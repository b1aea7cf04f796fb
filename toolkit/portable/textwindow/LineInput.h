// One line typed into a text window's current line: the typed characters
// stand behind what the line held before, with a "_" as cursor behind them.
// Backspace never takes the text that was there; Escape gives the line back
// as it was.
#pragma once

#include <string>

#include "toolkit/portable/textwindow/LineRing.h"

class CLineInput {
  public:
    // Starts input on line and shows the cursor. A line too full for the
    // cursor keeps its text and takes no characters.
    explicit CLineInput(LineRecord& line);

    // One key: 8 backspace, 13 Enter, 27 Escape; a printable character
    // (32 to 255) is typed, any other key ignored.
    // True once the input is over (Enter or Escape).
    bool Key(int key);

    // The typed text: after Enter what was typed, after Escape empty.
    const std::string& Result() const { return m_stTyped; }

  private:
    void ShowCursor();
    void Type(char character);
    void EraseLast();
    void Finish();
    void Cancel();

    LineRecord& m_stLine;
    LineRecord m_stBefore;
    std::string m_stTyped;
};
