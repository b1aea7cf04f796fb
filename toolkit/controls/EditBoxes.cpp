// Edit boxes: created on their window's thread with the styles their options
// give; the program reads and sets their text, filters the characters typed
// and is told of each change.
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/core/WindowClasses.h"
#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/controls/ControlStyles.h"

int CWindowOps::CreateEditBox(int window, int x, int y, int width, int height, const char* options) {
    CorItem* parent = m_stCore.FindWindowItem(window);
    if (!parent)
        return 0;
    CreationRequest request =
        ControlRequest(kKindEditBox, x, y, GivenExtent(width), GivenExtent(height), *parent);
    request.editOptions = ParseEditOptions(options);
    return m_stCore.Create(request);
}

void CCorvaneCore::CreateEditBoxItem(CreationRequest& request) {
    const ControlStyle style = EditBoxStyle(request.editOptions);
    const HWND window = CreateWindowExA(style.exStyle, kEditBoxClass, "", style.style, request.x, request.y,
                                        request.width, request.height, request.parent->window, nullptr,
                                        m_hInstance, nullptr);
    if (!window)
        return;
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(request.parent->surface->CurrentFont()), FALSE);
    auto item = ControlItem(request, window, request.width, request.height);
    item->name = request.editOptions.name;
    item->edit = std::make_unique<EditState>();
    m_stLastControl.Record(request.x, request.y, request.width, request.height);
    request.handle = RegisterItem(std::move(item))->Handle();
}

namespace {

bool IsEditMessage(UINT message) {
    return message == WM_CHAR || message == WM_KEYDOWN || message == EM_SETSEL;
}

}  // namespace

// A rejected character never reaches the box. Characters and Delete reach
// it before the change callback sees them, so the callback reads the text
// as changed; Escape is offered to the callback first, which may keep it
// from the box (where it would close a dialog).
bool CCorvaneCore::OnEditMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC systemProc,
                                 LRESULT& result) {
    if (!IsEditMessage(message))
        return false;
    CorItem* item = FindItemByWindow(window);
    if (!item || item->kind != kKindEditBox || !item->edit)
        return false;
    if (message == EM_SETSEL) {
        SetFocus(window);
        return false;
    }
    const int handle = item->Handle();
    const bool character = message == WM_CHAR;
    const EditFilterBinding filter = item->edit->filter.Get();
    if (character && filter.function && !filter.function(filter.user, handle, wParam)) {
        result = 0;
        return true;
    }
    const EditChangeBinding change = item->edit->change.Get();
    if (!change.function || (!character && wParam != VK_DELETE))
        return false;
    if (character && wParam == VK_ESCAPE) {
        result = 0;
        if (change.function(change.user, handle, &wParam, &lParam) == 0)
            result = CallWindowProcA(systemProc, window, message, wParam, lParam);
        return true;
    }
    result = CallWindowProcA(systemProc, window, message, wParam, lParam);
    if (change.function(change.user, handle, &wParam, &lParam) != 0)
        result = 0;
    return true;
}

int CWindowOps::SetEditFilter(int edit, EditFilter filter, void* user) {
    CorItem* item = m_stCore.FindLiveItem(edit, kKindEditBox);
    if (!item)
        return 0;
    item->edit->filter.Set({filter, user});
    return 1;
}

int CWindowOps::SetEditChangeCallback(int edit, EditChangeCallback callback, void* user) {
    CorItem* item = m_stCore.FindLiveItem(edit, kKindEditBox);
    if (!item)
        return 0;
    item->edit->change.Set({callback, user});
    return 1;
}

std::string CWindowOps::GetEditText(int edit) {
    CorItem* item = m_stCore.FindLiveItem(edit, kKindEditBox);
    if (!item)
        return {};
    std::string text(static_cast<size_t>(GetWindowTextLengthA(item->window)) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(item->window, &text[0], static_cast<int>(text.size()))));
    return text;
}

int CWindowOps::SetEditText(int edit, const char* text) {
    CorItem* item = m_stCore.FindLiveItem(edit, kKindEditBox);
    if (!item)
        return 0;
    SetWindowTextA(item->window, text ? text : "");
    return 1;
}
