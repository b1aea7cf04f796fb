#include "install/screens/ArchiveImage.h"

void DrawArchiveImage(InstallState& state, int window, int x, int y, const char* entry) {
    CMemPGR& archive = *state.archive;
    CWindowSurface* surface = state.toolkit->Core().Window.Surface(window);
    if (!surface)
        return;
    // Held like every other drawing, so that the window's contexts cannot
    // go while the image is drawn into them.
    surface->Hold(CSurfaceBusy::kDrawing, [&](CWindowSurface& s) {
        archive.SetDrawDC(s.CurrentDC());
        archive.DrawImage(s.Window(), x, y, archive.FindFile(entry, nullptr));
        archive.SetDrawDC(nullptr);
    });
}
