// How an owner-drawn button looks: drawn by the "Button" theme when one was
// opened for it, else in the toolkit's old style; a transparent button is
// drawn aside and blended onto the window's background saved under it.
#include <string>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/controls/ButtonStyle.h"
#include "toolkit/surface/GdiScope.h"

namespace {

constexpr int kFocusInset = 4;
constexpr int kCheckMarkGap = 5;

struct ButtonLook {
    bool pressed = false;
    bool disabled = false;
    bool focused = false;
    bool hot = false;
};

ButtonLook LookOf(const ButtonState& b, const DRAWITEMSTRUCT& draw) {
    ButtonLook look;
    look.pressed = (draw.itemState & ODS_SELECTED) != 0;
    look.disabled = (draw.itemState & ODS_DISABLED) != 0 || b.options.disabled;
    look.focused = (draw.itemState & ODS_FOCUS) != 0;
    look.hot = b.hot;
    return look;
}

void FillSolid(HDC dc, const RECT& r, COLORREF colour) {
    CGdiObject<HBRUSH> brush(CreateSolidBrush(colour));
    FillRect(dc, &r, brush.Get());
}

void DrawEdge3D(HDC dc, const RECT& r, HPEN light, HPEN dark, HPEN shade, bool sunken) {
    HPEN topLeft = sunken ? dark : light;
    HPEN bottomRight = sunken ? light : dark;
    CScopedSelect pen(dc, topLeft);
    MoveToEx(dc, r.left, r.bottom - 1, nullptr);
    LineTo(dc, r.left, r.top);
    LineTo(dc, r.right - 1, r.top);
    SelectObject(dc, bottomRight);
    LineTo(dc, r.right - 1, r.bottom - 1);
    LineTo(dc, r.left - 1, r.bottom - 1);
    // The inner shade gives the edge its depth on the side away from the light.
    SelectObject(dc, shade);
    if (sunken) {
        MoveToEx(dc, r.left + 1, r.bottom - 2, nullptr);
        LineTo(dc, r.left + 1, r.top + 1);
        LineTo(dc, r.right - 1, r.top + 1);
    } else {
        MoveToEx(dc, r.right - 2, r.top + 1, nullptr);
        LineTo(dc, r.right - 2, r.bottom - 2);
        LineTo(dc, r.left, r.bottom - 2);
    }
}

// Neither the old style nor the theme's background shows the focus itself.
void DrawFocus(HDC dc, const RECT& r, const ButtonLook& look) {
    if (!look.focused || look.disabled)
        return;
    RECT focus = r;
    InflateRect(&focus, -kFocusInset, -kFocusInset);
    DrawFocusRect(dc, &focus);
}

void PaintOldStyle(const CCorvaneCore& core, const ButtonState& b, HDC dc, const RECT& r, const ButtonLook& look) {
    FillSolid(dc, r, b.background);
    DrawEdge3D(dc, r, core.WhitePen(), core.DarkGreyPen(), core.GreyPen(), look.pressed || b.options.recessed);
    CScopedSelect font(dc, b.font);
    SetBkMode(dc, TRANSPARENT);
    const int shift = look.pressed ? 1 : 0;
    const int x = r.left + b.textOffset.x + shift, y = r.top + b.textOffset.y + shift;
    const int length = static_cast<int>(b.text.size());
    if (look.disabled) {
        // Embossed, as disabled captions are shown everywhere else.
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        TextOutA(dc, x + 1, y + 1, b.text.c_str(), length);
        SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    } else {
        SetTextColor(dc, b.textColour);
    }
    TextOutA(dc, x, y, b.text.c_str(), length);
    DrawFocus(dc, r, look);
}

std::wstring Wide(const std::string& text) {
    const int length = MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_ACP, 0, text.c_str(), static_cast<int>(text.size()), &wide[0], length);
    return wide;
}

void PaintThemed(const SystemApis& apis, const ButtonState& b, HDC dc, const RECT& r, const ButtonLook& look) {
    const ButtonKind kind = ButtonKindOf(b.options);
    const ButtonPaintState paint{look.disabled, look.focused, look.hot, look.pressed, b.checked != 0};
    const int state = ButtonThemeState(kind, paint);
    RECT caption = r;
    if (kind == ButtonKind::Push) {
        apis.DrawThemeBackground(b.theme, dc, b.themePart, state, &r, nullptr);
    } else {
        // The mark stands in its own square; the caption starts behind it.
        FillSolid(dc, r, b.background);
        RECT mark = r;
        mark.right = r.left + b.extraCheckWidth - kCheckMarkGap;
        apis.DrawThemeBackground(b.theme, dc, b.themePart, state, &mark, nullptr);
        caption.left = r.left + b.extraCheckWidth;
    }
    const std::wstring text = Wide(b.text);
    CScopedSelect font(dc, b.font);
    const DWORD flags = DT_SINGLELINE | DT_VCENTER | DT_NOCLIP | (kind == ButtonKind::Push ? DT_CENTER : 0);
    if (apis.DrawThemeTextEx) {
        // A disabled caption keeps the theme's own colour, so it looks disabled.
        DTTOPTS options = {};
        options.dwSize = sizeof(options);
        options.dwFlags = look.disabled ? 0 : DTT_TEXTCOLOR;
        options.crText = b.textColour;
        apis.DrawThemeTextEx(b.theme, dc, b.themePart, state, text.c_str(), static_cast<int>(text.size()), flags,
                             &caption, &options);
    } else {
        apis.DrawThemeText(b.theme, dc, b.themePart, state, text.c_str(), static_cast<int>(text.size()), flags, 0,
                           &caption);
    }
    if (kind == ButtonKind::Push)
        DrawFocus(dc, r, look);
}

void PaintFace(const CCorvaneCore& core, const ButtonState& b, HDC dc, const RECT& r, const ButtonLook& look) {
    if (b.theme)
        PaintThemed(core.Apis(), b, dc, r, look);
    else
        PaintOldStyle(core, b, dc, r, look);
}

// The face is drawn into a memory bitmap and blended over the background,
// so the window shows through the whole button, caption included.
bool PaintBlended(CCorvaneCore& core, const ButtonState& b, HDC dc, const RECT& r, int alpha, const ButtonLook& look) {
    const int width = r.right - r.left, height = r.bottom - r.top;
    CMemoryDC face(dc);
    CGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, width, height));
    if (!face || !bitmap || !core.PaintSavedBackground(b, dc, r))
        return false;
    CScopedSelect selection(face.Get(), bitmap.Get());
    PaintFace(core, b, face.Get(), {0, 0, width, height}, look);
    const BLENDFUNCTION blend = {AC_SRC_OVER, 0, static_cast<BYTE>(alpha), 0};
    return core.Apis().AlphaBlend(dc, r.left, r.top, width, height, face.Get(), 0, 0, width, height, blend) != FALSE;
}

}  // namespace

// The saved background lives in an off-screen surface of its own, which
// nothing draws into after the button's creation.
bool CCorvaneCore::PaintSavedBackground(const ButtonState& b, HDC dc, const RECT& r) {
    CorItem* saved = FindLiveItem(b.savedBackground, kKindBitmap);
    if (!saved)
        return false;
    return saved->surface->Hold(CSurfaceBusy::kDrawing, [&](CWindowSurface& s) {
        BitBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, s.CurrentDC(), 0, 0, SRCCOPY);
    });
}

bool CCorvaneCore::PaintButton(CorItem& item, const DRAWITEMSTRUCT& draw) {
    const ButtonState& b = *item.button;
    const ButtonLook look = LookOf(b, draw);
    const int alpha = ButtonBlendAlpha(b.options, look.hot || look.pressed);
    if (alpha >= 0 && m_stApis.AlphaBlend && PaintBlended(*this, b, draw.hDC, draw.rcItem, alpha, look))
        return true;
    PaintFace(*this, b, draw.hDC, draw.rcItem, look);
    return true;
}
