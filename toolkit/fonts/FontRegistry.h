// The toolkit-wide registry of named fonts and SetFont, which applies a font
// font text ("Arial,15,bold", "MainFont") to a surface. Records are
// appended and never removed, so readers walk the list without a lock; the
// font lock serialises every change and every SetFont.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

#include "toolkit/core/Platform.h"
#include "toolkit/portable/events/WaitList.h"
#include "toolkit/portable/fonts/FontRequest.h"

class CWindowSurface;

struct NamedFont {
    std::atomic<NamedFont*> next{nullptr};
    std::string name;  // always upper case
    HFONT font = nullptr;
    HFONT boldFont = nullptr;        // weight 900, made on request ("+BOLD")
    HFONT italicFont = nullptr;      // made on request ("+ITALIC")
    HFONT boldItalicFont = nullptr;  // made when both were requested
    bool italic = false, underline = false, strikeOut = false;
    std::string face;  // the face text as the font text gave it
    int weight = 0;
    int height = 0;  // the GDI height: minus the requested size, or 0
    int width = 0;
    // Names the record in compiled markup (4 bytes), where a pointer would
    // not fit on 64-bit Windows.
    uint32_t reference = 0;
};

class CFontRegistry {
  public:
    // Records and their fonts live as long as the toolkit, which is never
    // destroyed before the process ends.
    CFontRegistry() = default;
    CFontRegistry(const CFontRegistry&) = delete;
    CFontRegistry& operator=(const CFontRegistry&) = delete;

    // The first record, "DEFAULTFONT", made once with its four fonts.
    const NamedFont& DefaultFont();

    // Applies a font text to a surface the caller holds; the font handle
    // or 0. A name (DefineFont) registers the result under it; flags, when
    // given, receives kVariantFlagBold and kVariantFlagItalic.
    HFONT SetFont(CWindowSurface& surface, const char* fontText, const char* name, uint8_t* flags,
                  HDC enumerationDC);

    // Look-ups by the registry's name rule (case-insensitive), by font and by
    // markup reference; null when absent.
    const NamedFont* Find(const char* name) const;
    const NamedFont* FindByFont(HFONT font) const;
    const NamedFont* FindByReference(uint32_t reference) const;

  private:
    NamedFont* Append(std::unique_ptr<NamedFont> record);
    static HFONT VariantOf(const NamedFont& record, const FontRequest& spec);
    HFONT MakeFont(const CWindowSurface& surface, const FontRequest& spec, bool faceInstalled, LOGFONTA& description,
                   bool mayReuse) const;
    static void MakeVariants(NamedFont& record, const FontRequest& spec, LOGFONTA& description);
    static void Select(CWindowSurface& surface, HFONT font, const NamedFont* record);

    CToolkitLock m_stLock;
    std::once_flag m_stDefaultOnce;
    std::mutex m_stAppendMutex;
    std::atomic<NamedFont*> m_pHead{nullptr};
    NamedFont* m_pTail = nullptr;
    uint32_t m_nRecords = 0;
    unsigned m_nGenerated = 0;
};

// A font of its own with font's attributes, for a control that must keep
// its font when the window's changes; the caller deletes it.
HFONT CopyFont(HFONT font);
