// The hidden frame window "qv_KelmarWin": the main thread's door for every
// request from other threads.
#include "toolkit/core/CorvaneCore.h"

namespace {

constexpr int kFrameBitmapSize = 10;

}  // namespace

LRESULT CALLBACK CCorvaneCore::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    CCorvaneCore* core = CorvaneCore();
    if (!core)
        return DefWindowProcA(window, message, wParam, lParam);
    return core->OnFrameMessage(window, message, wParam, lParam);
}

void CCorvaneCore::SetFrameHook(UINT message, FrameHook hook, void* user) {
    m_stFrameHook.Set({message, hook, user});
}

LRESULT CCorvaneCore::OnFrameMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const FrameHookBinding frameHook = m_stFrameHook.Get();
    if (frameHook.hook && message == frameHook.message) {
        const LRESULT result = frameHook.hook(frameHook.user, wParam, lParam);
        if (result != -1)
            return result;
    }
    switch (message) {
    case WM_CREATE: {
        m_hFrame = window;
        m_bFrameAlive = true;
        HDC screen = GetDC(window);
        m_hFrameDC = CreateCompatibleDC(screen);
        m_hFrameBitmap = CreateCompatibleBitmap(screen, kFrameBitmapSize, kFrameBitmapSize);
        ReleaseDC(window, screen);
        SelectObject(m_hFrameDC, m_hFrameBitmap);
        SelectObject(m_hFrameDC, m_hCurrentFont);
        GetClientRect(window, &m_stFrameRect);
        FillRect(m_hFrameDC, &m_stFrameRect, m_hBlackBrush);
        SetTextColor(m_hFrameDC, RGB(255, 255, 255));
        SetBkColor(m_hFrameDC, m_nBrushColour);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        BitBlt(dc, 0, 0, kFrameBitmapSize, kFrameBitmapSize, m_hFrameDC, 0, 0, SRCCOPY);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_DESTROY:
        m_bFrameAlive = false;
        return 0;
    case WM_TIMER:
        if (wParam == kTextRefreshTimer)
            RefreshTextWindows();
        return 0;
    case kRequestMessage:
        return OnFrameRequest(wParam, lParam);
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

LRESULT CCorvaneCore::OnFrameRequest(WPARAM code, LPARAM argument) {
    switch (code) {
    case kRequestCreate:
        CreateOnThisThread(*reinterpret_cast<CreationRequest*>(argument));
        return 1;
    case kRequestAttachToggle:
        ToggleAttach(*reinterpret_cast<CorItem*>(argument));
        return 1;
    case kRequestRunCall:
        RunCall(*reinterpret_cast<CorItem*>(argument));
        return 1;
    case kRequestSuspendWaiter:
        SuspendWaiter(*reinterpret_cast<const CorItem*>(argument));
        return 1;
    case kRequestDestroy:
        DestroyWindow(reinterpret_cast<HWND>(argument));
        return 1;
    case kRequestDecidePending:
        DeliverPendingEvents();
        return 1;
    case kRequestEndSetUp:
        EndSetUp();
        return 1;
    case kRequestStartTextRefresh:
        SetTimer(m_hFrame, kTextRefreshTimer, kTextRefreshMs, nullptr);
        return 1;
    default:
        return 0;
    }
}
