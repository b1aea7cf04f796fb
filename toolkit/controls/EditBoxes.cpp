// Edit boxes: created on their window's thread with the styles their options
// give; the program reads and sets their text.
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
    m_stLastControl.Record(request.x, request.y, request.width, request.height);
    request.handle = RegisterItem(std::move(item))->Handle();
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
