// Buttons: described by the caller, created on the thread that owns their
// window, sized from their caption when a width or height is not given.
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/core/WindowClasses.h"
#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/controls/ButtonStyle.h"
#include "toolkit/surface/GdiScope.h"

namespace {

// What a caption-sized button needs, measured on its own context.
ButtonMeasures Measure(HWND button, HFONT font, const std::string& text) {
    ButtonMeasures m;
    HDC dc = GetDC(button);
    if (!dc)
        return m;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);  // the context's own font, before the button's
    m.widestCharWidth = metrics.tmMaxCharWidth;
    {
        CScopedSelect selection(dc, font);
        SIZE caption = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &caption);
        GetTextMetricsA(dc, &metrics);
        m.captionWidth = caption.cx;
        m.captionHeight = caption.cy;
        m.fontHeight = metrics.tmHeight;
    }
    ReleaseDC(button, dc);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRect(&frame, WS_CHILD | WS_VISIBLE | WS_BORDER, FALSE);
    m.frameWidth = frame.right - frame.left;
    m.frameHeight = frame.bottom - frame.top;
    m.checkMarkWidth = GetSystemMetrics(SM_CXMENUCHECK);
    return m;
}

}  // namespace

int CWindowOps::CreateButton(int window, int x, int y, int width, int height, const char* text,
                             const char* options) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    if (!parent)
        return 0;
    CreationRequest request = ControlRequest(kKindButton, x, y, width, height, *parent);
    request.title = text ? text : "";
    request.buttonOptions = ParseButtonOptions(options);
    return m_stCore.Create(request);
}

// No "Button" theme is opened: without one, check boxes and radio buttons
// are drawn by the system and push buttons in the toolkit's old style.
void CCorvaneCore::CreateButtonItem(CreationRequest& request) {
    auto state = std::make_unique<ButtonState>();
    state->text = request.title;
    state->options = request.buttonOptions;
    const RequestedExtent width = SplitRequestedExtent(request.width);
    const RequestedExtent height = SplitRequestedExtent(request.height);
    ButtonStyleRequest styleRequest;
    styleRequest.newStyle = false;
    styleRequest.width = width.size;
    styleRequest.height = height.size;
    const ButtonStyle style = ComputeButtonStyle(state->options, styleRequest);
    state->ownerDrawn = style.ownerDrawn;
    state->margin = {width.margin, height.margin};
    state->textColour = GetSysColor(COLOR_BTNTEXT);
    state->background = GetSysColor(COLOR_BTNFACE);
    LOGFONTA font = {};
    GetObjectA(request.parent->surface->CurrentFont(), sizeof(font), &font);
    state->font = CreateFontIndirectA(&font);

    const HWND window = CreateWindowExA(0, kButtonClass, state->text.c_str(), style.style, request.x, request.y,
                                        width.size, height.size, request.parent->window, nullptr, m_hInstance,
                                        nullptr);
    if (!window) {
        DeleteObject(state->font);
        return;
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    ButtonRequest layoutRequest;
    layoutRequest.width = width.size;
    layoutRequest.height = height.size;
    layoutRequest.marginX = width.margin;
    layoutRequest.marginY = height.margin;
    layoutRequest.kind = ButtonKindOf(state->options);
    const ButtonLayout layout = LayOutButton(layoutRequest, Measure(window, state->font, state->text));
    state->textOffset = {layout.textX, layout.textY};
    SetWindowPos(window, nullptr, request.x, request.y, layout.width, layout.height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (state->options.disabled)
        EnableWindow(window, FALSE);

    auto item = ControlItem(request, window, layout.width, layout.height);
    item->text = state->text;
    item->name = state->options.name;
    item->button = std::move(state);
    m_stLastControl.Record(request.x, request.y, layout.width, layout.height);
    request.handle = RegisterItem(std::move(item))->Handle();
    if (!request.buttonOptions.hidden)
        ShowWindow(window, SW_SHOWNA);
}
