#include "app/Application.h"

#include <ole2.h>

#include "toolkit/core/CorvaneCore.h"

CWinApp::~CWinApp() {
    if (m_bOleInitialised)
        OleUninitialize();
}

bool CWinApp::InitInstance() {
    m_bOleInitialised = SUCCEEDED(OleInitialize(nullptr));
    return m_bOleInitialised;
}

int CWinApp::Run(HINSTANCE instance) {
    m_hInstance = instance;
    if (!InitInstance())
        return 1;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (m_pMainWnd && m_pMainWnd->TranslateAccelerator(message))
            continue;
        // The toolkit's windows take a dialog's keys before they are typed.
        if (CCorvaneCore* toolkit = CorvaneCore(); toolkit && toolkit->TranslateKeyboard(message))
            continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
