// List boxes and combo boxes: framework controls on a toolkit window, in the
// window's font and colours unless told otherwise; a choice of the user is
// stored on the item and raises event 7 for the window.
#include "toolkit/controls/ListBoxOps.h"
#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/portable/controls/ButtonLayout.h"
#include "toolkit/portable/controls/ControlStyles.h"
#include "toolkit/portable/events/EventNames.h"

namespace {

constexpr const char* kListCaption = "noname";
constexpr int kListIdentifier = 103;

std::unique_ptr<CNoxListControl> MakeListControl(int kind) {
    if (kind == kKindComboBox)
        return std::make_unique<CNoxComboBox>();
    return std::make_unique<CNoxListBox>();
}

bool IsListKind(int kind) {
    return kind == kKindListBox || kind == kKindComboBox;
}

// A combo box's choice is confirmed as its list closes on an item, or made
// at once by the keys on a closed box; stepping through the open list is
// only browsing. The confirmation and the closed box's change can both come
// for one choice, in either order, so a combo box counts only a new index.
bool IsChoice(const CorItem& item, WORD notification) {
    if (item.kind == kKindListBox)
        return notification == LBN_SELCHANGE || notification == LBN_DBLCLK;
    if (notification == CBN_SELENDOK)
        return true;
    return notification == CBN_SELCHANGE &&
           !static_cast<const CNoxComboBox&>(*item.list->control).GetDroppedState();
}

}  // namespace

int CWindowOps::CreateListBox(int window, int x, int y, int width, int height, const char* options) {
    return m_stCore.CreateListControl(kKindListBox, window, x, y, width, height, options);
}

int CWindowOps::CreateComboBox(int window, int x, int y, int width, int height, const char* options) {
    return m_stCore.CreateListControl(kKindComboBox, window, x, y, width, height, options);
}

int CCorvaneCore::CreateListControl(int kind, int window, int x, int y, int width, int height,
                                    const char* options) {
    CorItem* parent = FindWindowItem(window);
    if (!parent)
        return 0;
    CreationRequest request = ControlRequest(kind, x, y, GivenExtent(width), GivenExtent(height), *parent);
    request.listOptions = ParseListOptions(options);
    return Create(request);
}

void CCorvaneCore::CreateListItem(CreationRequest& request) {
    const ListOptions& o = request.listOptions;
    const bool combo = request.kind == kKindComboBox;
    const ControlStyle style = combo ? ComboBoxStyle(o) : ListBoxStyle(o);
    auto state = std::make_unique<ListState>();
    state->control = MakeListControl(request.kind);
    const RECT rect = {request.x, request.y, request.x + request.width, request.y + request.height};
    if (!state->control->Create(combo ? "combobox" : "listbox", kListCaption, style.style, style.exStyle, rect,
                                request.parent->window, kListIdentifier, m_hInstance))
        return;
    const HWND window = state->control->GetSafeHwnd();
    const CWindowSurface& parentSurface = *request.parent->surface;
    if (!o.defaultFont) {
        state->font = CopyFont(parentSurface.CurrentFont());
        SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
    }
    if (!o.defaultColours) {
        state->textColour = parentSurface.TextColour();
        state->background = parentSurface.BackgroundColour();
        state->brush = CreateSolidBrush(state->background);
    }
    if (combo)
        state->dropList = static_cast<CNoxComboBox&>(*state->control).GetListHwnd();
    auto item = ControlItem(request, window, request.width, request.height);
    item->list = std::move(state);
    request.handle = RegisterItem(std::move(item))->Handle();
}

// Only the control's window, now gone, used them.
void CCorvaneCore::ReleaseListResources(ListState& l) {
    for (HGDIOBJ object : {static_cast<HGDIOBJ>(l.font), static_cast<HGDIOBJ>(l.brush)}) {
        if (object)
            DeleteObject(object);
    }
    l.font = nullptr;
    l.brush = nullptr;
}

CorItem* CCorvaneCore::FindListItem(HWND control) const {
    for (CorItem* item = m_pHead.load(); item; item = item->next.load()) {
        if (item->live.load() && IsListKind(item->kind) &&
            (item->window == control || item->list->dropList == control))
            return item;
    }
    return nullptr;
}

bool CCorvaneCore::OnListCommand(CorItem& window, HWND control, WORD notification) {
    CorItem* item = FindItemByWindow(control);
    if (!item || !IsListKind(item->kind))
        return false;
    if (!IsChoice(*item, notification))
        return true;
    ListState& l = *item->list;
    const int selection = l.control->GetCurSel();
    if (selection < 0 || (item->kind == kKindComboBox && selection == l.selection.load()))
        return true;
    l.selection = selection;
    l.selected = 1;
    if (item->kind == kKindListBox)
        ShowInLinkedTextWindow(*item, selection);
    RaiseEvent(kEventListBox, &window);
    return true;
}

void CCorvaneCore::ShowInLinkedTextWindow(const CorItem& list, int selection) {
    TextWindow* text = Window.TextWindowOf(list.list->linkedTextWindow.load());
    if (!text)
        return;
    const LRESULT length = SendMessageA(list.window, LB_GETTEXTLEN, static_cast<WPARAM>(selection), 0);
    if (length < 0)
        return;
    std::string line(static_cast<size_t>(length) + 1, '\0');
    SendMessageA(list.window, LB_GETTEXT, static_cast<WPARAM>(selection), reinterpret_cast<LPARAM>(&line[0]));
    line.resize(static_cast<size_t>(length));
    line += '\n';
    MarkupText shown;
    shown.source = line.c_str();
    shown.sourceLength = line.size();
    text->ClearText();
    text->AppendText(shown, 0);
}

// WM_CTLCOLORLISTBOX and the edit and static colours a combo box asks for:
// the item's colours and brush, or the system's for "defaultColors".
bool CCorvaneCore::OnListColours(HDC dc, HWND control, LRESULT& result) {
    const CorItem* item = FindListItem(control);
    if (!item || !item->list->brush)
        return false;
    SetTextColor(dc, item->list->textColour);
    SetBkColor(dc, item->list->background);
    result = reinterpret_cast<LRESULT>(item->list->brush);
    return true;
}

CorItem* CListBoxOps::Find(int list) const {
    CorItem* item = m_stCore.FindItem(list);
    return item && IsListKind(item->kind) ? item : nullptr;
}

int CListBoxOps::AddString(int list, const char* text) {
    CorItem* item = Find(list);
    if (!item || !text)
        return 0;
    return item->list->control->AddString(text) >= 0 ? 1 : 0;
}

int CListBoxOps::GetSelection(int list) {
    CorItem* item = Find(list);
    return item ? item->list->selection.load() : -1;
}

int CListBoxOps::Selected(int list) {
    CorItem* item = Find(list);
    return item ? item->list->selected.exchange(0) : 0;
}

int CListBoxOps::LinkTextWindow(int list, int window) {
    CorItem* item = Find(list);
    if (!item || item->kind != kKindListBox || (window != 0 && !m_stCore.Window.TextWindowOf(window)))
        return 0;
    item->list->linkedTextWindow = window;
    return 1;
}

int CListBoxOps::Close(int list) {
    CorItem* item = Find(list);
    if (!item)
        return 0;
    m_stCore.Window.CloseControl(*item);
    return 1;
}
