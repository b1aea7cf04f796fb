// Thin framework classes around the system's list box, combo box and
// trackbar controls: each holds its control's window and turns the control's
// messages into calls. They own nothing else; the window goes with its
// parent or when the toolkit closes the control.
#pragma once

#include "toolkit/core/Platform.h"

class CNoxControl {
  public:
    CNoxControl() = default;
    virtual ~CNoxControl() = default;
    CNoxControl(const CNoxControl&) = delete;
    CNoxControl& operator=(const CNoxControl&) = delete;

    // Creates the control as child identifier of parent; false on failure.
    bool Create(const char* className, const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                HWND parent, int identifier, HINSTANCE instance);
    HWND GetSafeHwnd() const { return m_hWnd; }

  protected:
    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

  private:
    HWND m_hWnd = nullptr;
};

// What the toolkit asks of a list box and of a combo box alike.
class CNoxListControl : public CNoxControl {
  public:
    // The new item's index, or a negative value when it could not be added.
    virtual int AddString(const char* text) = 0;
    // The selected item's index, -1 when none is selected.
    virtual int GetCurSel() const = 0;
};

class CNoxListBox : public CNoxListControl {
  public:
    int AddString(const char* text) override;
    int GetCurSel() const override;
};

class CNoxComboBox : public CNoxListControl {
  public:
    int AddString(const char* text) override;
    int GetCurSel() const override;
    bool GetDroppedState() const;
    // The list that drops down asks the combo box's parent for its colours
    // under its own window handle.
    HWND GetListHwnd() const;
};

class CCorTrackBarMFC : public CNoxControl {
  public:
    void SetRange(int minimum, int maximum);
    int GetPos() const;
    void SetPos(int position);
    // A tick every frequency positions.
    void SetTicFreq(int frequency);
    // Each returns the previous size.
    int SetPageSize(int size);
    int SetLineSize(int size);
    // The highlighted part of the channel.
    void SetSelection(int minimum, int maximum);
};
