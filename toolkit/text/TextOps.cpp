#include "toolkit/text/TextOps.h"

#include "toolkit/core/CorvaneCore.h"

namespace {

constexpr int kImmediateAttempts = 100;
constexpr int kPatientAttempts = 22;
constexpr DWORD kPatienceMs = 100;
// The value a written line of a text window carries.
constexpr int32_t kWrittenValue = -1;

// One Write at a time in the whole toolkit: many quick tries, then a few
// slow ones, then one last.
bool TakeWriteLock(CToolkitLock& lock) {
    for (int attempt = 0; attempt < kImmediateAttempts; ++attempt) {
        if (lock.TryAcquire())
            return true;
    }
    for (int attempt = 0; attempt < kPatientAttempts; ++attempt) {
        if (lock.TryAcquire())
            return true;
        Sleep(kPatienceMs);
    }
    Sleep(kPatienceMs);
    return lock.TryAcquire();
}

}  // namespace

int CTextOps::Write(int handle, const char* text) {
    CWindowSurface* s = Surface(handle);
    if (!s || !text)
        return 0;
    CToolkitLock& lock = m_stCore.WriteLock();
    if (!TakeWriteLock(lock))
        return 0;
    CFontRegistry& fonts = m_stCore.Fonts();
    const FontLookup lookup = [&fonts](const char* name) -> std::optional<FontReference> {
        const NamedFont* record = fonts.Find(name);
        return record ? std::optional<FontReference>(record->reference) : std::nullopt;
    };
    const MarkupText compiled = CompileMarkup(text, m_stCore.Colours(), lookup);
    if (TextWindow* textWindow = s->HostedTextWindow())
        textWindow->AppendText(compiled, kWrittenValue);
    else
        s->Hold(CSurfaceBusy::kWriting, [&](CWindowSurface& surface) { TextOutput::DrawText(surface, compiled); });
    lock.Release();
    return 0;
}

int CTextOps::Writeln(int handle, const char* text) {
    Write(handle, text);
    Write(handle, "\n");
    return 0;
}

int CTextOps::GotoXY(int handle, int x, int y) {
    CWindowSurface* s = Surface(handle);
    if (!s)
        return 0;
    s->cursor = {x, y};
    return 1;
}

int CTextOps::GetXPos(int handle) {
    CWindowSurface* s = Surface(handle);
    return s ? s->cursor.x : 0;
}

int CTextOps::GetYPos(int handle) {
    CWindowSurface* s = Surface(handle);
    return s ? s->cursor.y : 0;
}

int CTextOps::SetAutoScroll(int handle, bool on) {
    CWindowSurface* s = Surface(handle);
    if (!s)
        return 0;
    s->autoScroll = on;
    return 1;
}

int CTextOps::WriteShadow(int handle, int x, int y, const char* text) {
    CWindowSurface* s = Surface(handle);
    if (!s)
        return 0;
    const ShadowStyle style = m_stCore.Shadow();
    return s->Hold(CSurfaceBusy::kDrawing,
                   [&](CWindowSurface& surface) { TextOutput::DrawShadowed(surface, x, y, text, style); })
               ? 1
               : 0;
}
