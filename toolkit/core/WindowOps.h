// The Window. operations: each takes a window handle first and returns 0,
// doing nothing, unless the handle names a live window.
#pragma once

#include <string>

#include "toolkit/controls/ControlState.h"
#include "toolkit/core/Platform.h"
#include "toolkit/portable/options/ControlOptions.h"
#include "toolkit/text/TextOps.h"
#include "toolkit/surface/WindowSurface.h"

class CCorvaneCore;
struct CorItem;

// With the drawing and text operations of every surface (SurfaceOps.h, TextOps.h).
class CWindowOps : public CTextOps {
  public:
    explicit CWindowOps(CCorvaneCore& core);

    // Parent 0 for none; returns the new handle or 0.
    int CreateWindow(int parent, int x, int y, int width, int height, const char* title, const char* options);
    // A button on the window: owner-drawn unless "system"; check boxes and
    // radio buttons drawn by the system. A width or height of 0 comes from
    // the caption, a negative one adds its size as a margin. Its handle or 0.
    int CreateButton(int window, int x, int y, int width, int height, const char* text,
                     const char* options = "");
    // The owner-drawn variant: callback draws the button (with "system" the
    // system does, as a default button when defaultButton is set).
    int CreateOwnerDrawButton(int window, int x, int y, int width, int height, const char* text,
                              const char* options, OwnerDrawCallback draw, void* user, bool defaultButton = false);
    // A scroll bar on the window; 0 when the options name no orientation
    // ("horizontal", "vertical").
    int CreateScrollBar(int window, int x, int y, int width, int height, const char* options);
    // An edit box on the window, styled by its options ("multiline",
    // "readonly", "numbersonly", ...); its handle or 0.
    int CreateEditBox(int window, int x, int y, int width, int height, const char* options = "");
    // A list box or a drop-down list combo box on the window ("sunken",
    // "defaultfont", "defaultColors"); its handle or 0.
    int CreateListBox(int window, int x, int y, int width, int height, const char* options = "");
    int CreateComboBox(int window, int x, int y, int width, int height, const char* options = "");
    // A trackbar from 0 to 100 at 50; 0 when the options name no orientation.
    int CreateTrackbar(int window, int x, int y, int width, int height, const char* options);
    // A panel on the window ("hide", "regularwindow", "popup"), drawn by draw
    // when given; its handle or 0.
    int CreateChildPanel(int window, int x, int y, int width, int height, const char* options,
                         OwnerDrawCallback draw = nullptr, void* user = nullptr);
    // Edit boxes: a character filter, and a callback told of each change;
    // 0 for a handle that is no edit box.
    int SetEditFilter(int edit, EditFilter filter, void* user);
    int SetEditChangeCallback(int edit, EditChangeCallback callback, void* user);
    // The text of an edit box, empty for a handle that is none.
    std::string GetEditText(int edit);
    int SetEditText(int edit, const char* text);
    // Destroys a window or control on the thread that owns it.
    void DestroyWindowOnItsThread(HWND window);
    // Destroys a control's window and retires its item.
    void CloseControl(CorItem& control);

    // Asks the window to close, as its close box does.
    int Close(int window);
    // Destroys the window whatever its keep-open flag says.
    int Destroy(int window);
    int Show(int window, int mode);
    int Hide(int window);
    int SetPos(int window, int x, int y);
    int AdjustPos(int window, int dx, int dy);
    int GetPosX(int window);
    int GetPosY(int window);
    // Brings the window (or the window a control stands in) to the front
    // and gives the window or control the keyboard focus; a control of a
    // hidden window gets it when the window is shown.
    int SetFocus(int handle);
    HWND GetHwnd(int window);
    HDC GetDC(int window);

    int SetCloseCallback(int window, CloseCallback callback, void* user);
    int SetDestroyCallback(int window, CloseCallback callback, void* user);
    int SetMessageHook(int window, MessageHook hook, void* user);
    // A window with a timer callback hands its timers to it instead of
    // raising the Timer event.
    int SetTimerCallback(int window, TimerCallback callback, void* user);
    int SetKeepOpen(int window, bool keepOpen);
    // The button Escape presses in window, as a dialog's Cancel; without one
    // Escape does what the close box does. 0 when either handle is wrong.
    int SetCancelButton(int window, int button);
    // The drop shadow the window gets at its next Show: 0 none, 1 unless
    // desktop composition is on, 2 always; 0 for a negative mode. A shadow
    // once made stays with its window.
    int SetDropShadow(int window, int mode);

    // Latches: read and clear.
    int CloseRequested(int window);
    int MouseClicked(int window);
    int DoubleClicked(int window);
    int MouseMoved(int window);
    int GetMousePos(int window, int& x, int& y);
    int ResetMouse(int window);
    int GetKey(int window);

    // A child window becomes a floating one, or a detached one goes back.
    int ToggleAttach(int window);

    // The text window of a window made with "textonly"; null for any other.
    TextWindow* TextWindowOf(int window) const;
    // Its log: 1 once logging (also when it already was), 0 for a path that
    // cannot be written or a window without a text window.
    int StartLog(int window, const char* path);
    int EndLog(int window);
    // A line typed into the text window; empty for a window without one.
    const char* ReadLine(int window);
    // Keeps the last lines lines from now on, forgetting what it held.
    int SetTextLines(int window, int lines);

  private:
    int CreateButtonWith(int window, int x, int y, int width, int height, const char* text,
                         const ButtonOptions& options, OwnerDrawBinding draw, bool defaultButton);
};
