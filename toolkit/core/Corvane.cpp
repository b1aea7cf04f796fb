#include "toolkit/core/Corvane.h"

namespace {

struct MessageBoxCall {
    HWND owner;
    const char* text;
    const char* caption;
    UINT type;
    int result;
};

void ShowMessageBox(void* first, void*) {
    MessageBoxCall& call = *static_cast<MessageBoxCall*>(first);
    call.result = MessageBoxA(call.owner, call.text, call.caption, call.type);
}

CCorvaneCore& Core() {
    return *CorvaneCore();
}

}  // namespace

CCorvane::CCorvane(HWND parent, HINSTANCE instance)
    : m_pCore(new CCorvaneCore(parent, instance)), m_sScratch(new char[kScratchSize]()) {}

CCorvane::~CCorvane() = default;

CCorWindow CCorvane::CreateWindow(int x, int y, int width, int height, const char* title, const char* options) {
    if (!m_pCore->FrameWindow())
        return CCorWindow(m_pCore->CreateFirstWindow(x, y, width, height, title, options));
    return CCorWindow(m_pCore->Window.CreateWindow(1, x, y, width, height, title, options));
}

HWND CCorWindow::Hwnd() const {
    return Core().Window.GetHwnd(m_nHandle);
}

CCorWindow CCorWindow::CreateWindow(int x, int y, int width, int height, const char* title,
                                    const char* options) const {
    return CCorWindow(Core().Window.CreateWindow(m_nHandle, x, y, width, height, title, options));
}

int CCorWindow::WaitEvents(const char* list) const {
    return Core().WaitEvents(m_nHandle, list, 0);
}

int CCorWindow::MouseClicked() const {
    const int clicked = Core().Window.MouseClicked(m_nHandle);
    if (clicked)
        Core().Window.DoubleClicked(m_nHandle);
    return clicked;
}

int CCorWindow::FreezeWindow() {
    if (m_bFrozen)
        return 1;
    const int frozen = Core().FreezeWindow(m_nHandle);
    m_bFrozen = frozen != 0;
    return frozen;
}

int CCorWindow::UnfreezeWindow() {
    m_bFrozen = false;
    return Core().UnfreezeWindow(m_nHandle);
}

HFONT CCorWindow::SetFont(const char* fontText) const {
    return Core().Window.SetFont(m_nHandle, fontText);
}

int CCorWindow::Cls(int colour1, int colour2) const {
    return Core().Window.Cls(m_nHandle, colour1, colour2);
}

int CCorWindow::Rectangle(int x, int y, int width, int height, COLORREF fill, int pen) const {
    return Core().Window.Rectangle(m_nHandle, x, y, width, height, fill, pen);
}

int CCorWindow::SetBgMode(bool opaque) const {
    return Core().Window.SetBgMode(m_nHandle, opaque);
}

int CCorWindow::Write(const char* text) const {
    return Core().Window.Write(m_nHandle, text);
}

int CCorWindow::Writeln(const char* text) const {
    return Core().Window.Writeln(m_nHandle, text);
}

int CCorWindow::GotoXY(int x, int y) const {
    return Core().Window.GotoXY(m_nHandle, x, y);
}

int CCorWindow::WriteShadow(int x, int y, const char* text) const {
    return Core().Window.WriteShadow(m_nHandle, x, y, text);
}

int CCorWindow::Update() const {
    return Core().Window.Update(m_nHandle);
}

int CCorWindow::DontUpdate() const {
    return Core().Window.DontUpdate(m_nHandle);
}

int CCorWindow::AlwaysBuffer() const {
    return Core().Window.AlwaysBuffer(m_nHandle);
}

int CCorWindow::MessageBox(const char* text, const char* caption, UINT type) const {
    const HWND owner = Hwnd();
    if (!owner)
        return 0;
    MessageBoxCall call = {owner, text, caption, type, 0};
    if (!Core().RunOnMainThread(ShowMessageBox, &call, nullptr))
        return 0;
    return call.result;
}
