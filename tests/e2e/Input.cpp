#include "tests/e2e/Input.h"

#include "tests/e2e/WindowSearch.h"

void ClickButton(HWND button) {
    if (ClassOf(button) == "Button") {
        PostMessageA(button, BM_CLICK, 0, 0);
        return;
    }
    RECT client;
    GetClientRect(button, &client);
    const LPARAM centre = MAKELPARAM((client.right - client.left) / 2, (client.bottom - client.top) / 2);
    PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, centre);
    PostMessageA(button, WM_LBUTTONUP, 0, centre);
}

void PressCloseBox(HWND window) {
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
}
