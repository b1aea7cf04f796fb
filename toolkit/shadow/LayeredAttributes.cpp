#include "toolkit/shadow/LayeredAttributes.h"

#include <mutex>

namespace {

struct LayeredState {
    std::mutex lock;
    HWND target = nullptr;
    bool pending = false;
    LayeredAttributes attributes;
};

LayeredState& State() {
    static LayeredState state;
    return state;
}

}  // namespace

void SetLayeredTarget(HWND control) {
    LayeredState& state = State();
    std::lock_guard<std::mutex> lock(state.lock);
    state.target = control;
}

void SetLayeredAttributes(const LayeredAttributes& attributes) {
    LayeredState& state = State();
    std::lock_guard<std::mutex> lock(state.lock);
    state.attributes = attributes;
    state.pending = true;
}

bool ApplyLayeredAttributes() {
    LayeredState& state = State();
    HWND parent = nullptr;
    LayeredAttributes attributes;
    {
        std::lock_guard<std::mutex> lock(state.lock);
        if (!state.target || !state.pending)
            return false;
        parent = GetParent(state.target);
        attributes = state.attributes;
        state.pending = false;
    }
    if (!parent)
        return false;
    SetWindowLongA(parent, GWL_EXSTYLE, GetWindowLongA(parent, GWL_EXSTYLE) | WS_EX_LAYERED);
    SetLayeredWindowAttributes(parent, attributes.colourKey, attributes.alpha, attributes.flags);
    InvalidateRect(parent, nullptr, TRUE);
    return true;
}
