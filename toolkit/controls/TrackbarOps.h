// Trackbars: created on a window, moved by the user or the program. The
// TrackBar. operations return 0, doing nothing, unless the handle names a
// live trackbar.
#pragma once

class CCorvaneCore;
class CCorTrackBarMFC;

class CTrackbarOps {
  public:
    explicit CTrackbarOps(CCorvaneCore& core) : m_stCore(core) {}

    int GetPos(int bar);
    int SetPos(int bar, int position);
    int SetRange(int bar, int minimum, int maximum);
    int SetTicFreq(int bar, int frequency);
    int SetPageSize(int bar, int size);
    int SetLineSize(int bar, int size);
    int SetSelection(int bar, int minimum, int maximum);
    int Close(int bar);

  private:
    CCorTrackBarMFC* Find(int bar) const;
    template <typename Operation>
    int With(int bar, Operation operation);

    CCorvaneCore& m_stCore;
};
