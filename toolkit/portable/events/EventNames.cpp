#include "toolkit/portable/events/EventNames.h"

#include "toolkit/portable/options/KeywordSearch.h"

namespace {

struct EventName {
    const char* name;
    EventCode code;
};

const EventName kEventNames[] = {
    {"AnyMouse", kEventAnyMouse},
    {"Mouse", kEventAnyMouse},
    {"MouseClick", kEventMouseDown},
    {"MouseDown", kEventMouseDown},
    {"MouseMove", kEventMouseMove},
    {"MouseMovement", kEventMouseMove},
    {"AnyMouseMove", kEventMouseMove},
    {"AnyMouseMovement", kEventMouseMove},
    {"MouseUp", kEventMouseUp},
    {"AnyMouseUp", kEventMouseUp},
    {"LeftMouseClick", kEventLeftClick},
    {"RightMouseClick", kEventRightClick},
    {"Button", kEventButton},
    {"Buttons", kEventButton},
    {"AnyButton", kEventButton},
    {"AllButtons", kEventButton},
    {"AnyButtons", kEventButton},
    {"ListBox", kEventListBox},
    {"AnyListBox", kEventListBox},
    {"Timer", kEventTimer},
    {"AnyTimer", kEventTimer},
    {"AnyScroll", kEventScroll},
    {"AnyScrollBar", kEventScroll},
    {"AnyMenu", kEventMenu},
    {"CloseWindow", kEventCloseWindow},
    {"WindowClose", kEventCloseWindow},
    {"UserEvent", kEventUser},
    {"MouseWheel", kEventMouseWheel},
    {"AnyKey", kEventKey},
};

bool SkippedBeforeToken(char c) {
    return static_cast<unsigned char>(c) <= ' ' || c == ',';
}

bool EndsToken(char c) {
    return static_cast<unsigned char>(c) < ' ' || c == ',';
}

}  // namespace

int FindEventCode(const std::string& name) {
    for (const EventName& e : kEventNames) {
        if (EqualFolded(e.name, name.c_str()))
            return e.code;
    }
    return -1;
}

bool SplitEventList(const char* list, std::vector<std::string>& tokens) {
    tokens.clear();
    if (!list)
        return true;
    const char* p = list;
    for (;;) {
        while (*p && SkippedBeforeToken(*p))
            ++p;
        if (!*p)
            return true;
        const char* start = p;
        while (*p && !EndsToken(*p))
            ++p;
        if (static_cast<size_t>(p - start) > kMaxEventToken) {
            tokens.clear();
            return false;
        }
        tokens.emplace_back(start, p);
    }
}
