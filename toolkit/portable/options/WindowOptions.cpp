#include "toolkit/portable/options/WindowOptions.h"

#include "toolkit/portable/options/KeywordSearch.h"
#include "toolkit/portable/options/StyleBits.h"

namespace {

// Later entries override earlier ones, so "noborder" (which contains "border")
// gives kind None and "noborder2" kind NoneAtAll.
struct BorderKeyword {
    const char* keyword;
    BorderKind kind;
};
const BorderKeyword kBorderKeywords[] = {
    {"border", BorderKind::Border},       {"raised", BorderKind::Raised},
    {"recessed", BorderKind::Recessed},   {"depressed", BorderKind::Recessed},
    {"sunken", BorderKind::Sunken},       {"noborder", BorderKind::None},
    {"noborder2", BorderKind::NoneAtAll},
};

struct FlagKeyword {
    const char* keyword;
    bool WindowOptions::*flag;
};
const FlagKeyword kFlagKeywords[] = {
    {"innersize", &WindowOptions::innerSize},
    {"child", &WindowOptions::child},
    {"hide", &WindowOptions::hidden},
    {"hidden", &WindowOptions::hidden},
    {"defaultColors", &WindowOptions::defaultColours},
    {"defaultfont", &WindowOptions::defaultFont},
    {"nosysmenu", &WindowOptions::noSysMenu},
    {"nocaption", &WindowOptions::noCaption},
    {"toolwindow", &WindowOptions::toolWindow},
    {"doubleclick", &WindowOptions::doubleClick},
    {"noowner", &WindowOptions::noOwner},
    {"nocursor", &WindowOptions::noCursor},
    {"maximize", &WindowOptions::maximize},
    {"resizeable", &WindowOptions::resizeable},
    {"nosizing", &WindowOptions::noSizing},
    {"xransparent", &WindowOptions::layered},
    {"dropshadow", &WindowOptions::dropShadow},
    {"transparent", &WindowOptions::transparent},
    {"localwindow", &WindowOptions::localWindow},
    {"notitle", &WindowOptions::noTitle},
    {"textonly", &WindowOptions::textOnly},
    {"asdialog", &WindowOptions::asDialog},
    {"Initial", &WindowOptions::initial},
};
// "usedefaultcolors" and "usedefaultfont" contain the keywords above;
// "noclose", "notaskbar" and "noscrollbar" are accepted and change nothing.

constexpr int kDecimalLimit = 100000000;

void ApplyBorderKind(BorderKind kind, bool noTitle, uint32_t& style, uint32_t& exStyle,
                     uint32_t& remove) {
    using namespace StyleBits;
    switch (kind) {
    case BorderKind::Border:
        style |= kDlgFrame;
        break;
    case BorderKind::Raised:
        style |= kDlgFrame;
        exStyle |= kExWindowEdge;
        break;
    case BorderKind::Recessed:
        style |= kBorder;
        exStyle |= kExClientEdge;
        break;
    case BorderKind::Sunken:
        style |= kDlgFrame;
        exStyle |= kExStaticEdge;
        break;
    case BorderKind::None:
        remove |= kThickFrame;
        if (!noTitle)
            style |= kCaption;
        break;
    case BorderKind::NoneAtAll:
        break;
    }
}

WindowClassKind ChooseClass(const WindowOptions& o) {
    if (o.textOnly)
        return WindowClassKind::TextWindow;
    if (o.noCursor)
        return WindowClassKind::NoCursor;
    if (o.doubleClick)
        return WindowClassKind::DoubleClick;
    if (o.dropShadow)
        return WindowClassKind::DropShadow;
    return WindowClassKind::UserWin;
}

}  // namespace

const char* SkipBlanks(const char* text) {
    while (*text && static_cast<unsigned char>(*text) <= ' ')
        ++text;
    return text;
}

const char* ReadDecimal(const char* text, int& value) {
    value = 0;
    for (; *text >= '0' && *text <= '9'; ++text) {
        if (value < kDecimalLimit)
            value = value * 10 + (*text - '0');
    }
    return text;
}

void ReadTransparency(const char* behindKeyword, int& first, int& second) {
    const char* p = SkipBlanks(behindKeyword);
    if (*p != '=')
        return;
    p = SkipBlanks(ReadDecimal(SkipBlanks(p + 1), first));
    if (*p == '/' || *p == '\\')
        ReadDecimal(SkipBlanks(p + 1), second);
}

WindowOptions ParseWindowOptions(const char* options) {
    WindowOptions o;
    if (!options)
        return o;
    for (const BorderKeyword& b : kBorderKeywords) {
        if (HasKeyword(options, b.keyword))
            o.border = b.kind;
    }
    for (const FlagKeyword& f : kFlagKeywords)
        o.*f.flag = o.*f.flag || HasKeyword(options, f.keyword);
    if (const char* behind = FindKeyword(options, "transparent"))
        ReadTransparency(behind, o.transparency, o.transparencyTo);
    return o;
}

// The rules run in a fixed order because later ones undo earlier ones: "remove"
// collects bits taken away at the very end, after "resizeable" has had its say.
WindowStyle ComputeWindowStyle(const WindowOptions& o) {
    using namespace StyleBits;
    uint32_t style = kOverlappedWindow;
    uint32_t remove = 0;
    uint32_t exStyle = 0;
    uint32_t base = kPopup;

    if (o.noSizing)
        remove |= kMinimizeBox | kMaximizeBox;
    if (o.noSysMenu)
        remove |= kSysMenu;
    if (o.noCaption)
        remove |= kCaption;
    if (o.noTitle) {
        style = 0;
        base = kChild;
    }
    ApplyBorderKind(o.border, o.noTitle, style, exStyle, remove);
    if (o.toolWindow)
        exStyle |= kExToolWindow;
    if (o.maximize)
        style |= kMaximize;
    if (o.child)
        base = kChild;
    if (o.border == BorderKind::Sunken && base == kChild) {
        style = (style & ~kOverlappedWindow) | kThickFrame;
        exStyle = kExClientEdge;
    }
    // The border kind is never unset, so the sizing frame always goes here
    // unless "resizeable" brings it back.
    remove |= kThickFrame;
    if (o.hidden)
        remove |= kVisible;
    if (o.resizeable) {
        remove &= ~kThickFrame;
        style |= kThickFrame;
    }
    if (o.layered)
        exStyle |= kExLayered;

    WindowStyle result;
    result.style = (base | kClipSiblings | kClipChildren | style) & ~remove & ~kVisible;
    result.exStyle = exStyle;
    result.windowClass = ChooseClass(o);
    result.relativeToParent = !o.initial && base == kPopup;
    result.atOrigin = o.border == BorderKind::None;
    return result;
}
