// Shows a two-line question in a system message box and ends with the
// answer's code (IDYES 6, IDNO 7), for the driver's message-box commands.
#include "toolkit/core/Platform.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    return MessageBoxA(nullptr, "Line one\nLine two", "Probe", MB_YESNO);
}
