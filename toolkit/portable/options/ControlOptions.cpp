#include "toolkit/portable/options/ControlOptions.h"

#include "toolkit/portable/options/KeywordSearch.h"
#include "toolkit/portable/options/WindowOptions.h"

namespace {

const char* const kNameKeywords[] = {"name=", "n=", "name ", "n "};

// Behind "transparent": "= N", then optionally "/ hot = M".
void ReadButtonTransparency(const char* behind, ButtonOptions& b) {
    const char* p = SkipBlanks(behind);
    if (*p != '=')
        return;
    p = SkipBlanks(ReadDecimal(SkipBlanks(p + 1), b.transparency));
    if (*p != '/')
        return;
    p = SkipBlanks(p + 1);
    const char* behindHot = FindKeyword(p, "hot");
    if (behindHot != p + 3)
        return;
    p = SkipBlanks(behindHot);
    if (*p != '=')
        return;
    ReadDecimal(SkipBlanks(p + 1), b.hotTransparency);
    b.hotTransparencyGiven = true;
}

}  // namespace

std::string ParseControlName(const char* options) {
    if (!options)
        return {};
    for (const char* keyword : kNameKeywords) {
        const char* behind = FindKeyword(options, keyword);
        if (!behind)
            continue;
        const char* start = SkipBlanks(behind);
        const char* end = start;
        while (static_cast<unsigned char>(*end) >= ' ' && *end != ',')
            ++end;
        const size_t length = static_cast<size_t>(end - start);
        if (length == 0 || length > kMaxControlName)
            return {};
        return std::string(start, length);
    }
    return {};
}

ButtonOptions ParseButtonOptions(const char* options) {
    ButtonOptions b;
    if (!options)
        return b;
    b.name = ParseControlName(options);
    b.recessed = HasKeyword(options, "recessed") || HasKeyword(options, "depressed");
    b.system = HasKeyword(options, "system");
    b.disabled = HasKeyword(options, "disabled");
    b.hidden = HasKeyword(options, "hide");
    b.radioButton = HasKeyword(options, "radiobutton");
    b.checkBox = b.radioButton || HasKeyword(options, "checkbox");
    b.oldStyle = HasKeyword(options, "oldstyle");
    b.ownerDraw = HasKeyword(options, "ownerdraw");
    b.asThread = HasKeyword(options, "AsThread");
    b.asClass = HasKeyword(options, "AsClass");
    if (const char* behind = FindKeyword(options, "transparent")) {
        b.transparent = true;
        ReadButtonTransparency(behind, b);
    }
    return b;
}

BarOptions ParseBarOptions(const char* options) {
    BarOptions bar;
    if (!options)
        return bar;
    if (HasKeyword(options, "Horz") || HasKeyword(options, "Horizontal"))
        bar.orientation = Orientation::Horizontal;
    else if (HasKeyword(options, "Vert") || HasKeyword(options, "Vertical"))
        bar.orientation = Orientation::Vertical;
    bar.alignEnd = HasKeyword(options, bar.orientation == Orientation::Vertical ? "right" : "bottom");
    bar.disabled = HasKeyword(options, "disabled");
    return bar;
}

ListOptions ParseListOptions(const char* options) {
    ListOptions l;
    if (!options)
        return l;
    l.sunken = HasKeyword(options, "sunken");
    l.defaultFont = HasKeyword(options, "defaultfont");
    l.defaultColours = HasKeyword(options, "defaultColors");
    return l;
}

EditOptions ParseEditOptions(const char* options) {
    EditOptions e;
    if (!options)
        return e;
    e.name = ParseControlName(options);
    e.multiline = HasKeyword(options, "multiline");
    e.autoVScroll = HasKeyword(options, "autovscroll");
    e.readOnly = HasKeyword(options, "readonly");
    e.floatNumbersOnly = HasKeyword(options, "floatnumbersonly");
    // "floatnumbersonly" contains "numbersonly"; it records the wish and
    // filters nothing itself.
    e.numbersOnly = !e.floatNumbersOnly && HasKeyword(options, "numbersonly");
    e.startGroup = HasKeyword(options, "startgroup");
    e.endGroup = HasKeyword(options, "endgroup");
    e.hidden = HasKeyword(options, "hide") || HasKeyword(options, "hidden");
    return e;
}

PanelOptions ParsePanelOptions(const char* options) {
    PanelOptions p;
    if (!options)
        return p;
    p.hidden = HasKeyword(options, "hide");
    p.regularWindow = HasKeyword(options, "regularwindow");
    p.popup = HasKeyword(options, "popup");
    return p;
}

MenuItemOptions ParseMenuItemOptions(const char* options) {
    MenuItemOptions m;
    if (!options)
        return m;
    if (const char* behind = FindKeyword(options, "Position="))
        ReadDecimal(behind, m.position);
    m.popup = HasKeyword(options, "popup");
    return m;
}
