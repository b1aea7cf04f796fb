// From a creation call to a registered window: the calling thread describes
// the window, the main thread creates it (so it owns every toolkit window)
// and registers it while handling WM_CREATE.
#include <string>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/core/CreationRequest.h"
#include "toolkit/core/WindowClasses.h"

namespace {

constexpr const char* kFirstWindowOptions = "initial border hide hidden title,";
constexpr const char* kMissingTitle = "No Title";

}  // namespace

void CCorvaneCore::CreateFrameWindow(int x, int y, int width, int height, const char* title) {
    m_nMainThreadId = GetCurrentThreadId();
    CreateWindowExA(0, kFrameClass, title ? title : kMissingTitle,
                    WS_POPUPWINDOW | WS_CLIPCHILDREN | WS_DLGFRAME | WS_THICKFRAME, x, y, width, height,
                    m_hParent, nullptr, m_hInstance, nullptr);
}

int CCorvaneCore::CreateFirstWindow(int x, int y, int width, int height, const char* title,
                                    const char* options) {
    if (!m_hFrame)
        CreateFrameWindow(x, y, width, height, title);
    if (!m_hFrame)
        return 0;
    const std::string firstOptions = std::string(kFirstWindowOptions) + (options ? options : "");
    const int handle = CreateWindowItem(nullptr, x, y, width, height, title, firstOptions.c_str());
    if (handle)
        SetCurrentWindow(handle);
    return handle;
}

int CCorvaneCore::CreateWindow(int x, int y, int width, int height, const char* title, const char* options) {
    return Window.CreateWindow(CurrentWindow(), x, y, width, height, title, options);
}

int CWindowOps::CreateWindow(int parent, int x, int y, int width, int height, const char* title,
                             const char* options) {
    CorItem* parentItem = nullptr;
    if (parent != 0 && !(parentItem = m_stCore.FindWindowItem(parent)))
        return 0;
    return m_stCore.CreateWindowItem(parentItem, x, y, width, height, title, options);
}

int CCorvaneCore::CreateWindowItem(CorItem* parent, int x, int y, int width, int height, const char* title,
                                   const char* options) {
    CreationRequest request;
    request.x = x;
    request.y = y;
    request.width = width;
    request.height = height;
    request.title = title ? title : kMissingTitle;
    request.options = ParseWindowOptions(options);
    request.owner = parent ? parent->window : m_hFrame;
    request.parent = parent;
    const int handle = Create(request);
    if (!handle) {
        // The window meant to come up did not; window 1 gets the focus back.
        CorItem* first = FindWindowItem(1);
        if (!request.options.hidden && first)
            SendMessageA(first->window, WM_SETFOCUS, 0, 0);
        return 0;
    }
    // Gone already when something destroyed it during its creation.
    CorItem* item = FindWindowItem(handle);
    if (!item)
        return 0;
    if (request.options.hidden) {
        SendMessageA(item->window, WM_PAINT, 0, 0);
    } else {
        ShowWindow(item->window, SW_SHOW);
        UpdateWindow(item->window);
        if (request.options.noTitle)
            SetWindowPos(item->window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    }
    Window.AutoBuffer(handle);
    return handle;
}

int CCorvaneCore::CreateBitmap(int width, int height) {
    CreationRequest request;
    request.kind = kKindBitmap;
    request.width = width;
    request.height = height;
    for (CorItem* item = m_pHead.load(); item && !request.compatibleWith; item = item->next.load()) {
        if (item->live.load() && item->kind == kKindWindow)
            request.compatibleWith = item;
    }
    if (!request.compatibleWith || width <= 0 || height <= 0)
        return 0;
    return Create(request);
}

// Every creation but a "localwindow" one, and a control's on such a window,
// is carried to the main thread; the request is sent, so the caller waits
// until the window exists.
int CCorvaneCore::Create(CreationRequest& request) {
    const bool parentHere = request.kind != kKindWindow && request.parent &&
                            GetWindowThreadProcessId(request.parent->window, nullptr) == GetCurrentThreadId();
    if ((request.kind == kKindWindow && request.options.localWindow) || parentHere)
        CreateOnThisThread(request);
    else
        SendMessageA(m_hFrame, kRequestMessage, kRequestCreate, reinterpret_cast<LPARAM>(&request));
    return request.handle;
}

void CCorvaneCore::CreateOnThisThread(CreationRequest& request) {
    switch (request.kind) {
    case kKindWindow:
        CreateUserWindow(request);
        break;
    case kKindBitmap:
        CreateOffscreenItem(request);
        break;
    case kKindButton:
        CreateButtonItem(request);
        break;
    case kKindScrollBar:
        CreateScrollBarItem(request);
        break;
    case kKindEditBox:
        CreateEditBoxItem(request);
        break;
    case kKindListBox:
    case kKindComboBox:
        CreateListItem(request);
        break;
    case kKindTrackbar:
        CreateTrackbarItem(request);
        break;
    case kKindChildPanel:
        CreatePanelItem(request);
        break;
    default:
        break;
    }
}

void CCorvaneCore::CreateUserWindow(CreationRequest& request) {
    const WindowOptions& o = request.options;
    const WindowStyle style = ComputeWindowStyle(o);
    int x = request.x, y = request.y, width = request.width, height = request.height;
    if (request.parent && style.relativeToParent && request.parent->surface) {
        x += request.parent->surface->latches.posX.load();
        y += request.parent->surface->latches.posY.load();
    }
    if (style.atOrigin)
        x = y = 0;
    RECT frame = {0, 0, 0, 0};
    if (o.innerSize && AdjustWindowRectEx(&frame, style.style, FALSE, style.exStyle)) {
        width += frame.right - frame.left;
        height += frame.bottom - frame.top;
    }
    const HWND owner = o.noOwner ? nullptr : request.owner;
    const HWND window = CreateWindowExA(style.exStyle, WindowClassName(style.windowClass), request.title.c_str(),
                                        style.style, x, y, width, height, owner, nullptr, m_hInstance, &request);
    CorItem* item = request.handle ? FindItem(request.handle) : nullptr;
    if (!window || !item) {
        request.handle = 0;
        return;
    }
    item->surface->SetClientOffset(-frame.left, -frame.top);
}

// WM_CREATE of a user window: from here on the window is a registered item
// and its messages go to the toolkit.
LRESULT CCorvaneCore::OnUserWindowCreate(HWND window, LPARAM lParam) {
    const CREATESTRUCTA* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    CreationRequest& request = *static_cast<CreationRequest*>(create->lpCreateParams);
    auto item = std::make_unique<CorItem>();
    item->kind = kKindWindow;
    item->window = window;
    item->x = request.x;
    item->y = request.y;
    item->width = request.width;
    item->height = request.height;
    item->text = request.title;
    item->parent = request.parent;
    item->surface = std::make_unique<CWindowSurface>(*this);
    item->surface->CreateWindowSurface(window, request.width, request.height, request.options.asDialog,
                                       request.options.hidden);
    if (request.options.textOnly)
        HostTextWindow(*item, request.options);
    CorItem* registered = RegisterItem(std::move(item));
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(registered));
    request.handle = registered->Handle();
    if (registered->textWindow)
        registered->textWindow->AttachTextWindow(*registered, request.options.hidden);
    return 0;
}

void CCorvaneCore::HostTextWindow(CorItem& item, const WindowOptions& options) {
    TextWindowSetUp setUp;
    setUp.defaultColours = options.defaultColours;
    setUp.defaultFont = options.defaultFont;
    setUp.picture = options.transparent;
    setUp.underAlpha = options.transparency;
    setUp.overAlpha = options.transparencyTo;
    item.textWindow = std::make_unique<TextWindow>(*this, setUp, *item.surface);
    item.surface->HostTextWindow(item.textWindow.get());
}

void CCorvaneCore::CreateOffscreenItem(CreationRequest& request) {
    auto item = std::make_unique<CorItem>();
    item->kind = kKindBitmap;
    item->width = request.width;
    item->height = request.height;
    item->surface = std::make_unique<CWindowSurface>(*this);
    if (!item->surface->CreateOffscreenSurface(request.width, request.height, *request.compatibleWith->surface))
        return;
    request.handle = RegisterItem(std::move(item))->Handle();
}
