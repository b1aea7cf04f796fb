#include "toolkit/controls/ScrollBarOps.h"
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/portable/controls/ControlStyles.h"
#include "toolkit/portable/events/EventNames.h"

namespace {

void ShowRange(HWND bar, const ScrollRange& r) {
    SCROLLINFO info = {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    info.nMin = r.minimum;
    info.nMax = r.maximum;
    info.nPage = static_cast<UINT>(r.page);
    info.nPos = r.position;
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
}

}  // namespace

int CWindowOps::CreateScrollBar(int window, int x, int y, int width, int height, const char* options) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    const BarOptions bar = ParseBarOptions(options);
    if (!parent || ScrollBarStyle(bar, width, height) == 0)
        return 0;
    CreationRequest request = ControlRequest(kKindScrollBar, x, y, width, height, *parent);
    request.barOptions = bar;
    return m_stCore.Create(request);
}

// A new bar runs from 0 to 100 with its thumb in the middle and a page of 10.
void CCorvaneCore::CreateScrollBarItem(CreationRequest& request) {
    const BarOptions& o = request.barOptions;
    const DWORD style = WS_CHILD | WS_VISIBLE | ScrollBarStyle(o, request.width, request.height);
    const HWND window = CreateWindowExA(0, "scrollbar", "", style, request.x, request.y, request.width,
                                        request.height, request.parent->window, nullptr, m_hInstance, nullptr);
    if (!window)
        return;
    auto state = std::make_unique<ScrollBarState>();
    state->orientation = o.orientation;
    ShowRange(window, state->range);
    if (o.disabled)
        EnableScrollBar(window, SB_CTL, ESB_DISABLE_BOTH);
    auto item = ControlItem(request, window, request.width, request.height);
    item->scrollBar = std::move(state);
    request.handle = RegisterItem(std::move(item))->Handle();
}

// The user moved a bar of this window: its new position, and event 9. A
// trackbar has moved itself already and keeps its own position.
bool CCorvaneCore::OnScrollMessage(CorItem& window, UINT message, WPARAM wParam, HWND control) {
    CorItem* item = FindItemByWindow(control);
    if (item && item->kind == kKindTrackbar) {
        RaiseEvent(kEventScroll, &window);
        return true;
    }
    if (!item || item->kind != kKindScrollBar)
        return false;
    ScrollBarState& s = *item->scrollBar;
    ScrollStep step;
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        step = message == WM_VSCROLL ? StepVerticalBar(static_cast<uint32_t>(wParam), s.range)
                                     : StepHorizontalBar(static_cast<uint32_t>(wParam), s.range.position);
        if (!step.toDefault)
            s.range.position = step.position;
    }
    if (step.toDefault)
        return false;
    SetScrollPos(control, SB_CTL, step.position, TRUE);
    RaiseEvent(kEventScroll, &window);
    return true;
}

CorItem* CScrollBarOps::Find(int bar) const {
    return m_stCore.FindLiveItem(bar, kKindScrollBar);
}

int CScrollBarOps::GetPos(int bar) {
    CorItem* item = Find(bar);
    return item ? item->scrollBar->Range().position : 0;
}

int CScrollBarOps::SetPos(int bar, int position) {
    CorItem* item = Find(bar);
    if (!item)
        return 0;
    {
        std::lock_guard<std::mutex> lock(item->scrollBar->mutex);
        item->scrollBar->range.position = position;
    }
    SetScrollPos(item->window, SB_CTL, position, TRUE);
    return 1;
}

int CScrollBarOps::SetRange(int bar, int minimum, int maximum) {
    CorItem* item = Find(bar);
    if (!item)
        return 0;
    ScrollRange range;
    {
        std::lock_guard<std::mutex> lock(item->scrollBar->mutex);
        item->scrollBar->range.minimum = minimum;
        item->scrollBar->range.maximum = maximum;
        range = item->scrollBar->range;
    }
    ShowRange(item->window, range);
    return 1;
}

int CScrollBarOps::Close(int bar) {
    CorItem* item = Find(bar);
    if (!item)
        return 0;
    m_stCore.Window.CloseControl(*item);
    return 1;
}
