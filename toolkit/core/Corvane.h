// The toolkit as a program uses it: one CCorvane per process, and small
// CCorWindow handle objects for its windows.
#pragma once

#include <memory>

#include "toolkit/core/CorvaneCore.h"

class CCorWindow;

class CCorvane {
  public:
    // Creates the process's toolkit core; call on the thread that will run
    // the message loop.
    CCorvane(HWND parent, HINSTANCE instance);
    virtual ~CCorvane();
    CCorvane(const CCorvane&) = delete;
    CCorvane& operator=(const CCorvane&) = delete;

    // The first call also makes the hidden frame window and window 1, hidden
    // with a normal border and a title at screen position (x, y); later calls
    // make windows whose parent is window 1. Invalid on failure.
    CCorWindow CreateWindow(int x, int y, int width, int height, const char* title, const char* options);

    CCorvaneCore& Core() { return *m_pCore; }

    static constexpr size_t kScratchSize = 10240;

  private:
    CCorvaneCore* m_pCore;  // lives until the process ends
    std::unique_ptr<char[]> m_sScratch;
};

// Names one toolkit window; owns nothing, so destroying it leaves the window.
class CCorWindow {
  public:
    CCorWindow() = default;
    explicit CCorWindow(int handle) : m_nHandle(handle) {}

    explicit operator bool() const { return m_nHandle != 0; }
    int Handle() const { return m_nHandle; }
    HWND Hwnd() const;

    // A window whose parent is this one.
    CCorWindow CreateWindow(int x, int y, int width, int height, const char* title, const char* options) const;
    int WaitEvents(const char* list) const;
    // Reads and clears the clicked latch, and with it the double-click latch.
    int MouseClicked() const;
    // Stops painting once until UnfreezeWindow.
    int FreezeWindow();
    int UnfreezeWindow();
    // Drawing and text on this window, as the Window. operations of the core
    // with this window's handle.
    HFONT SetFont(const char* fontText) const;
    int Cls(int colour1 = -1, int colour2 = -1) const;
    int Rectangle(int x, int y, int width, int height, COLORREF fill, int pen = -1) const;
    int SetBgMode(bool opaque) const;
    int Write(const char* text) const;
    int Writeln(const char* text) const;
    int GotoXY(int x, int y) const;
    int WriteShadow(int x, int y, const char* text) const;
    int Update() const;
    int DontUpdate() const;
    int AlwaysBuffer() const;

    // A system message box owned by this window, shown by the main thread;
    // returns the pressed button (IDOK, IDNO, ...), or 0 when it cannot run.
    int MessageBox(const char* text, const char* caption, UINT type) const;

  private:
    int m_nHandle = 0;
    bool m_bFrozen = false;
};
