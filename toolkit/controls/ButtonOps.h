// The Button. operations: each returns 0, doing nothing, unless the handle
// names a live button.
#pragma once

#include "toolkit/controls/ButtonState.h"

class CCorvaneCore;
struct CorItem;

class CButtonOps {
  public:
    explicit CButtonOps(CCorvaneCore& core) : m_stCore(core) {}

    // Destroys the button on its window's thread.
    int Close(int button);
    int Show(int button);
    int SetBgColor(int button, COLORREF colour);
    int SetFgColor(int button, COLORREF colour);
    int GetWidth(int button);
    int GetHeight(int button);
    // Stores the state and shows it, without raising an event.
    int SetCheck(int button, bool on);
    int GetCheck(int button);
    // Read and clear: 1 once after each press.
    int Clicked(int button);
    int Released(int button);
    // Options "AsThread" (each click on a thread of its own) and "AsClass"
    // (user is a CCorButton whose OnClick is called; callback may be null).
    int SetClickCallback(int button, ButtonCallback callback, void* user, const char* options = "");
    // Told when the pointer comes (after every move), rests hoverTime
    // milliseconds and leaves.
    int SetHoverCallback(int button, HoverCallback callback, void* user, DWORD hoverTime = HOVER_DEFAULT);

  private:
    CorItem* Find(int button) const;

    CCorvaneCore& m_stCore;
};

// A program's handle object for one button; owns nothing.
class CCorButton {
  public:
    CCorButton() = default;
    explicit CCorButton(int handle) : m_nHandle(handle) {}
    virtual ~CCorButton() = default;

    explicit operator bool() const { return m_nHandle != 0; }
    int Handle() const { return m_nHandle; }
    int Clicked() const;
    // Called for each click of a button whose click callback was set with
    // "AsClass" and this object as its user value.
    virtual void OnClick() {}

  private:
    int m_nHandle = 0;
};
