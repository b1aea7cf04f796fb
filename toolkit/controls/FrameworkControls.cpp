#include "toolkit/controls/FrameworkControls.h"

bool CNoxControl::Create(const char* className, const char* caption, DWORD style, DWORD exStyle, const RECT& rect,
                         HWND parent, int identifier, HINSTANCE instance) {
    m_hWnd = CreateWindowExA(exStyle, className, caption, style, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(identifier)), instance, nullptr);
    return m_hWnd != nullptr;
}

LRESULT CNoxControl::Send(UINT message, WPARAM wParam, LPARAM lParam) const {
    return SendMessageA(m_hWnd, message, wParam, lParam);
}

int CNoxListBox::AddString(const char* text) {
    return static_cast<int>(Send(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CNoxListBox::GetCurSel() const {
    return static_cast<int>(Send(LB_GETCURSEL));
}

int CNoxComboBox::AddString(const char* text) {
    return static_cast<int>(Send(CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text)));
}

int CNoxComboBox::GetCurSel() const {
    return static_cast<int>(Send(CB_GETCURSEL));
}

bool CNoxComboBox::GetDroppedState() const {
    return Send(CB_GETDROPPEDSTATE) != 0;
}

HWND CNoxComboBox::GetListHwnd() const {
    COMBOBOXINFO info = {};
    info.cbSize = sizeof(info);
    return GetComboBoxInfo(GetSafeHwnd(), &info) ? info.hwndList : nullptr;
}

// The 32-bit forms: TBM_SETRANGE packs both ends into 16-bit halves.
void CCorTrackBarMFC::SetRange(int minimum, int maximum) {
    Send(TBM_SETRANGEMIN, FALSE, minimum);
    Send(TBM_SETRANGEMAX, TRUE, maximum);
}

int CCorTrackBarMFC::GetPos() const {
    return static_cast<int>(Send(TBM_GETPOS));
}

void CCorTrackBarMFC::SetPos(int position) {
    Send(TBM_SETPOS, TRUE, position);
}

void CCorTrackBarMFC::SetTicFreq(int frequency) {
    Send(TBM_SETTICFREQ, static_cast<WPARAM>(frequency));
}

int CCorTrackBarMFC::SetPageSize(int size) {
    return static_cast<int>(Send(TBM_SETPAGESIZE, 0, size));
}

int CCorTrackBarMFC::SetLineSize(int size) {
    return static_cast<int>(Send(TBM_SETLINESIZE, 0, size));
}

void CCorTrackBarMFC::SetSelection(int minimum, int maximum) {
    Send(TBM_SETSELSTART, FALSE, minimum);
    Send(TBM_SETSELEND, TRUE, maximum);
}
