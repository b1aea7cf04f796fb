// The demo product's main program: it only says that it is installed, which
// is all an installer test needs of it.
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    MessageBoxA(nullptr, "Orvalis 48-bit Image Editor is installed.", "Orvalis", MB_OK | MB_ICONINFORMATION);
    return 0;
}
