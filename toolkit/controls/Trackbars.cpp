// Trackbars: framework sliders on a toolkit window. The control keeps its
// own position, so the toolkit asks it rather than following its moves; a
// move of the user raises event 9 for the window.
#include "toolkit/controls/TrackbarOps.h"
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/portable/controls/ControlStyles.h"
#include "toolkit/portable/events/EventNames.h"

namespace {

constexpr const char* kTrackbarCaption = "hello there";
constexpr int kTickFrequency = 10;

}  // namespace

int CWindowOps::CreateTrackbar(int window, int x, int y, int width, int height, const char* options) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    const BarOptions bar = ParseBarOptions(options);
    if (!parent || TrackbarStyle(bar) == 0)
        return 0;
    CreationRequest request = ControlRequest(kKindTrackbar, x, y, width, height, *parent);
    request.barOptions = bar;
    return m_stCore.Create(request);
}

// A new trackbar runs from 0 to 100 with its thumb in the middle.
void CCorvaneCore::CreateTrackbarItem(CreationRequest& request) {
    const BarOptions& o = request.barOptions;
    auto bar = std::make_unique<CCorTrackBarMFC>();
    const RECT rect = {request.x, request.y, request.x + request.width, request.y + request.height};
    // Without TBS_ENABLESELRANGE the control ignores a selection range.
    const DWORD style = TrackbarStyle(o) | TBS_ENABLESELRANGE;
    if (!bar->Create(TRACKBAR_CLASSA, kTrackbarCaption, style, 0, rect, request.parent->window, 0, m_hInstance))
        return;
    bar->SetRange(0, 100);
    bar->SetPos(50);
    bar->SetTicFreq(kTickFrequency);
    auto item = ControlItem(request, bar->GetSafeHwnd(), request.width, request.height);
    item->trackbar = std::move(bar);
    request.handle = RegisterItem(std::move(item))->Handle();
}

CCorTrackBarMFC* CTrackbarOps::Find(int bar) const {
    CorItem* item = m_stCore.FindLiveItem(bar, kKindTrackbar);
    return item ? item->trackbar.get() : nullptr;
}

template <typename Operation>
int CTrackbarOps::With(int bar, Operation operation) {
    CCorTrackBarMFC* b = Find(bar);
    if (!b)
        return 0;
    operation(*b);
    return 1;
}

int CTrackbarOps::GetPos(int bar) {
    CCorTrackBarMFC* b = Find(bar);
    return b ? b->GetPos() : 0;
}

int CTrackbarOps::SetPos(int bar, int position) {
    return With(bar, [&](CCorTrackBarMFC& b) { b.SetPos(position); });
}

int CTrackbarOps::SetRange(int bar, int minimum, int maximum) {
    return With(bar, [&](CCorTrackBarMFC& b) { b.SetRange(minimum, maximum); });
}

int CTrackbarOps::SetTicFreq(int bar, int frequency) {
    return With(bar, [&](CCorTrackBarMFC& b) { b.SetTicFreq(frequency); });
}

int CTrackbarOps::SetPageSize(int bar, int size) {
    return With(bar, [&](CCorTrackBarMFC& b) { b.SetPageSize(size); });
}

int CTrackbarOps::SetLineSize(int bar, int size) {
    return With(bar, [&](CCorTrackBarMFC& b) { b.SetLineSize(size); });
}

int CTrackbarOps::SetSelection(int bar, int minimum, int maximum) {
    return With(bar, [&](CCorTrackBarMFC& b) { b.SetSelection(minimum, maximum); });
}

int CTrackbarOps::Close(int bar) {
    CorItem* item = m_stCore.FindLiveItem(bar, kKindTrackbar);
    if (!item)
        return 0;
    m_stCore.Window.CloseControl(*item);
    return 1;
}
