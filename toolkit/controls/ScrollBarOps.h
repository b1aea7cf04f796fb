// Scroll bars: created on a window, moved by the user or the program. The
// ScrollBar. operations return 0, doing nothing, unless the handle names a
// live scroll bar.
#pragma once

class CCorvaneCore;
struct CorItem;

class CScrollBarOps {
  public:
    explicit CScrollBarOps(CCorvaneCore& core) : m_stCore(core) {}

    int GetPos(int bar);
    int SetPos(int bar, int position);
    int SetRange(int bar, int minimum, int maximum);
    int Close(int bar);

  private:
    CorItem* Find(int bar) const;

    CCorvaneCore& m_stCore;
};
