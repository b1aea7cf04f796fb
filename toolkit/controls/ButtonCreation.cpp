// Buttons: described by the caller, created on the thread that owns their
// window, sized from their caption when a width or height is not given.
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/core/WindowClasses.h"
#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/controls/ButtonStyle.h"
#include "toolkit/surface/GdiScope.h"

namespace {

constexpr int kThemePartBound = 200;

// The true size of a themed check mark, within a bound no mark reaches.
int ThemePartWidth(const SystemApis& apis, const ButtonState& b, HDC dc) {
    if (!b.theme || !apis.GetThemePartSize || ButtonKindOf(b.options) == ButtonKind::Push)
        return 0;
    const RECT bound = {0, 0, kThemePartBound, kThemePartBound};
    SIZE size = {};
    if (FAILED(apis.GetThemePartSize(b.theme, dc, b.themePart, 1, &bound, TS_TRUE, &size)))
        return 0;
    return size.cx;
}

// What a caption-sized button needs, measured on its own context.
ButtonMeasures Measure(const SystemApis& apis, HWND button, const ButtonState& b) {
    ButtonMeasures m;
    HDC dc = GetDC(button);
    if (!dc)
        return m;
    const std::string& text = b.text;
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);  // the context's own font, before the button's
    m.widestCharWidth = metrics.tmMaxCharWidth;
    {
        CScopedSelect selection(dc, b.font);
        SIZE caption = {};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &caption);
        GetTextMetricsA(dc, &metrics);
        m.captionWidth = caption.cx;
        m.captionHeight = caption.cy;
        m.fontHeight = metrics.tmHeight;
    }
    m.themePartWidth = ThemePartWidth(apis, b, dc);
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
    return CreateButtonWith(window, x, y, width, height, text, ParseButtonOptions(options), {}, false);
}

int CWindowOps::CreateOwnerDrawButton(int window, int x, int y, int width, int height, const char* text,
                                      const char* options, OwnerDrawCallback draw, void* user,
                                      bool defaultButton) {
    const std::string ownerDrawn = std::string(options ? options : "") + " ownerdraw";
    return CreateButtonWith(window, x, y, width, height, text, ParseButtonOptions(ownerDrawn.c_str()),
                            {draw, user}, defaultButton);
}

int CWindowOps::CreateButtonWith(int window, int x, int y, int width, int height, const char* text,
                                 const ButtonOptions& options, OwnerDrawBinding draw, bool defaultButton) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    if (!parent)
        return 0;
    CreationRequest request = ControlRequest(kKindButton, x, y, width, height, *parent);
    request.title = text ? text : "";
    request.buttonOptions = options;
    request.draw = draw;
    request.defaultButton = defaultButton;
    return m_stCore.Create(request);
}

// The theme of the new style belongs to the window the button goes on, which
// exists before the button and so decides its style. Under no theme (themes
// off, or a system without them) the new style falls back to the old one.
HANDLE CCorvaneCore::OpenButtonTheme(const ButtonOptions& options, HWND parent) const {
    if (options.oldStyle || !m_stApis.OpenThemeData)
        return nullptr;
    return m_stApis.OpenThemeData(parent, L"Button");
}

// Without a theme, check boxes and radio buttons are drawn by the system and
// push buttons in the toolkit's old style.
void CCorvaneCore::CreateButtonItem(CreationRequest& request) {
    auto state = std::make_unique<ButtonState>();
    state->text = request.title;
    state->options = request.buttonOptions;
    const RequestedExtent width = SplitRequestedExtent(request.width);
    const RequestedExtent height = SplitRequestedExtent(request.height);
    state->theme = OpenButtonTheme(state->options, request.parent->window);
    ButtonStyleRequest styleRequest;
    styleRequest.newStyle = state->theme != nullptr;
    styleRequest.defaultButton = request.defaultButton;
    styleRequest.systemCheckBoxes = SystemCheckBoxes();
    styleRequest.width = width.size;
    styleRequest.height = height.size;
    const ButtonStyle style = ComputeButtonStyle(state->options, styleRequest);
    state->ownerDrawn = style.ownerDrawn;
    state->themePart = style.themePart;
    state->draw.Set(request.draw);
    state->margin = {width.margin, height.margin};
    state->textColour = GetSysColor(COLOR_BTNTEXT);
    state->background = GetSysColor(COLOR_BTNFACE);
    state->font = CopyFont(request.parent->surface->CurrentFont());

    const HWND window = CreateWindowExA(0, kButtonClass, state->text.c_str(), style.style, request.x, request.y,
                                        width.size, height.size, request.parent->window, nullptr, m_hInstance,
                                        nullptr);
    if (!window) {
        ReleaseButtonResources(*state);
        return;
    }
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    ButtonRequest layoutRequest;
    layoutRequest.width = width.size;
    layoutRequest.height = height.size;
    layoutRequest.marginX = width.margin;
    layoutRequest.marginY = height.margin;
    layoutRequest.kind = ButtonKindOf(state->options);
    layoutRequest.themed = state->theme != nullptr;
    const ButtonLayout layout = LayOutButton(layoutRequest, Measure(m_stApis, window, *state));
    state->textOffset = {layout.textX, layout.textY};
    state->extraCheckWidth = layout.extraCheckWidth;
    SetWindowPos(window, nullptr, request.x, request.y, layout.width, layout.height, SWP_NOZORDER | SWP_NOACTIVATE);
    // Saved before the button shows (a transparent one is created hidden), so
    // the copy holds the window alone.
    if (state->options.transparent)
        state->savedBackground =
            Window.SaveArea(request.parent->Handle(), request.x, request.y, layout.width, layout.height);

    auto item = ControlItem(request, window, layout.width, layout.height);
    item->text = state->text;
    item->name = state->options.name;
    item->button = std::move(state);
    m_stLastControl.Record(request.x, request.y, layout.width, layout.height);
    request.handle = RegisterItem(std::move(item))->Handle();
    if (!request.buttonOptions.hidden)
        ShowWindow(window, SW_SHOWNA);
}

// Only the button's window, now gone, used them.
void CCorvaneCore::ReleaseButtonResources(ButtonState& b) {
    if (b.font)
        DeleteObject(b.font);
    b.font = nullptr;
    if (b.theme && m_stApis.CloseThemeData)
        m_stApis.CloseThemeData(b.theme);
    b.theme = nullptr;
    RetireBitmap(b.savedBackground);
    b.savedBackground = 0;
}
