// List boxes and combo boxes: created on a window, filled by the program,
// chosen from by the user. Each operation takes either kind; for a handle
// that names neither it does nothing and returns 0 (-1 for the selection).
#pragma once

class CCorvaneCore;
struct CorItem;

class CListBoxOps {
  public:
    explicit CListBoxOps(CCorvaneCore& core) : m_stCore(core) {}

    // Appends an item (sorted boxes place it by its text); 1, or 0.
    int AddString(int list, const char* text);
    // The index of the item the user chose last, -1 before any choice.
    int GetSelection(int list);
    // Read and clear: 1 once after each choice.
    int Selected(int list);
    // A list box's chosen line is shown alone in the text window of window
    // (a "textonly" one) from now on; 0 unlinks. 1, or 0 for a list that is
    // no list box or a window without a text window.
    int LinkTextWindow(int list, int window);
    int Close(int list);

  private:
    CorItem* Find(int list) const;

    CCorvaneCore& m_stCore;
};
