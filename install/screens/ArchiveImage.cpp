#include "install/screens/ArchiveImage.h"

void DrawArchiveImage(InstallState& state, int window, int x, int y, const char* entry) {
    CMemPGR& archive = *state.archive;
    CWindowSurface* surface = state.toolkit->Core().Window.Surface(window);
    if (!surface)
        return;
    archive.SetDrawDC(surface->CurrentDC());
    archive.DrawImage(surface->Window(), x, y, archive.FindFile(entry, nullptr));
    archive.SetDrawDC(nullptr);
}
