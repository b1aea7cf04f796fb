// Buttons: described by the caller, created on the thread that owns their
// window, sized from their caption when a width or height is not given.
#include <algorithm>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/core/WindowClasses.h"
#include "toolkit/surface/GdiScope.h"

namespace {

// Measurements a caption-sized button needs, taken on its own context.
struct ButtonMeasures {
    SIZE caption = {};
    int widestCharacter = 0;
    SIZE frame = {};
    int fontHeight = 0;
};

ButtonMeasures Measure(HWND button, HFONT font, const std::string& text) {
    ButtonMeasures m;
    HDC dc = GetDC(button);
    if (!dc)
        return m;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);  // the context's own font, before the button's
    m.widestCharacter = metrics.tmMaxCharWidth;
    {
        CScopedSelect selection(dc, font);
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &m.caption);
        GetTextMetricsA(dc, &metrics);
        m.fontHeight = metrics.tmHeight;
    }
    ReleaseDC(button, dc);
    RECT frame = {0, 0, 0, 0};
    AdjustWindowRect(&frame, WS_CHILD | WS_VISIBLE | WS_BORDER, FALSE);
    m.frame = {frame.right - frame.left, frame.bottom - frame.top};
    return m;
}

bool IsCheckKind(const ButtonOptions& o) {
    return o.checkBox || o.radioButton;
}

// A width or height of 0 comes from the caption, the frame and the margin.
void SizeFromCaption(const ButtonState& b, const ButtonMeasures& m, int& width, int& height) {
    const bool check = IsCheckKind(b.options);
    const int extra = check ? GetSystemMetrics(SM_CXMENUCHECK) + 5 : m.widestCharacter;
    if (width == 0)
        width = m.caption.cx + m.frame.cx + extra + b.margin.x;
    if (height == 0)
        height = check ? m.fontHeight : m.caption.cy + m.frame.cy + extra / 2 + b.margin.y;
}

DWORD ButtonStyle(const ButtonState& b, bool visible) {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    if (b.options.radioButton)
        style |= BS_RADIOBUTTON;
    else if (b.options.checkBox)
        style |= BS_CHECKBOX;
    else
        style |= b.ownerDrawn ? BS_OWNERDRAW : BS_PUSHBUTTON;
    if (visible)
        style |= WS_VISIBLE;
    return style;
}

}  // namespace

int CWindowOps::CreateButton(int window, int x, int y, int width, int height, const char* text,
                             const char* options) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    if (!parent)
        return 0;
    CreationRequest request;
    request.kind = kKindButton;
    request.x = x;
    request.y = y;
    request.width = width;
    request.height = height;
    request.title = text ? text : "";
    request.buttonOptions = ParseButtonOptions(options);
    request.parent = parent;
    return m_stCore.Create(request);
}

// Check boxes and radio buttons are drawn by the system, as are buttons asked
// to be ("system"): without a theme the toolkit has no look of its own for a
// check mark.
void CCorvaneCore::CreateButtonItem(CreationRequest& request) {
    auto state = std::make_unique<ButtonState>();
    state->text = request.title;
    state->options = request.buttonOptions;
    state->ownerDrawn = !state->options.system && !IsCheckKind(state->options);
    state->margin = {request.width < 0 ? -request.width : 0, request.height < 0 ? -request.height : 0};
    state->textColour = GetSysColor(COLOR_BTNTEXT);
    state->background = GetSysColor(COLOR_BTNFACE);
    LOGFONTA font = {};
    GetObjectA(request.parent->surface->CurrentFont(), sizeof(font), &font);
    state->font = CreateFontIndirectA(&font);

    int width = std::max(request.width, 0), height = std::max(request.height, 0);
    const bool visible = width > 0 && height > 0 && !state->options.hidden;
    const HWND window = CreateWindowExA(0, kButtonClass, state->text.c_str(), ButtonStyle(*state, visible), request.x,
                                        request.y, width, height, request.parent->window, nullptr, m_hInstance,
                                        nullptr);
    if (!window) {
        DeleteObject(state->font);
        return;
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    const ButtonMeasures measures = Measure(window, state->font, state->text);
    SizeFromCaption(*state, measures, width, height);
    state->textOffset = {(width - measures.caption.cx) / 2, (height - measures.caption.cy) / 2};
    SetWindowPos(window, nullptr, request.x, request.y, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    if (state->options.disabled)
        EnableWindow(window, FALSE);

    auto item = std::make_unique<CorItem>();
    item->kind = kKindButton;
    item->window = window;
    item->x = request.x;
    item->y = request.y;
    item->width = width;
    item->height = height;
    item->text = state->text;
    item->name = state->options.name;
    item->parent = request.parent;
    item->button = std::move(state);
    m_stLastControl = {width, height, request.x + width, request.y + height};
    request.handle = RegisterItem(std::move(item))->Handle();
    if (!request.buttonOptions.hidden)
        ShowWindow(window, SW_SHOWNA);
}
