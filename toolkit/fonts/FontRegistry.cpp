#include "toolkit/fonts/FontRegistry.h"

#include <cstring>

#include "toolkit/surface/WindowSurface.h"
#include "toolkit/textwindow/TextWindow.h"

namespace {

constexpr const char* kDefaultFontName = "DEFAULTFONT";
constexpr int kWeightNormal = 400;
constexpr int kWeightBoldVariant = 900;

HFONT CreateDefaultFont(int weight, bool italic) {
    return CreateFontA(18, 7, 0, 0, weight, italic, FALSE, FALSE, 0, 0, 0, 0, 0, "Arial");
}

// Held for the whole of SetFont, released on every way out.
class CFontLock {
  public:
    explicit CFontLock(CToolkitLock& lock) : m_stLock(lock) {
        while (!m_stLock.TryAcquire())
            Sleep(0);
    }
    ~CFontLock() { m_stLock.Release(); }
    CFontLock(const CFontLock&) = delete;
    CFontLock& operator=(const CFontLock&) = delete;

  private:
    CToolkitLock& m_stLock;
};

int CALLBACK StopAtFirstFace(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(HDC dc, const std::string& face) {
    LOGFONTA wanted = {};
    const std::string enumerated = EnumerationFace(face);
    std::memcpy(wanted.lfFaceName, enumerated.data(), enumerated.size());
    wanted.lfCharSet = DEFAULT_CHARSET;
    bool found = false;
    EnumFontFamiliesExA(dc, &wanted, StopAtFirstFace, reinterpret_cast<LPARAM>(&found), 0);
    return found;
}

bool SameAttributes(const NamedFont& record, const LOGFONTA& d) {
    return record.italic == (d.lfItalic != 0) && record.strikeOut == (d.lfStrikeOut != 0) &&
           record.underline == (d.lfUnderline != 0) && record.weight == d.lfWeight && record.height == d.lfHeight &&
           record.width == d.lfWidth && _stricmp(record.face.c_str(), d.lfFaceName) == 0;
}

void TakeAttributes(NamedFont& record, const LOGFONTA& d) {
    record.italic = d.lfItalic != 0;
    record.underline = d.lfUnderline != 0;
    record.strikeOut = d.lfStrikeOut != 0;
    record.weight = d.lfWeight;
    record.height = d.lfHeight;
    record.width = d.lfWidth;
}

}  // namespace

NamedFont* CFontRegistry::Append(std::unique_ptr<NamedFont> owned) {
    std::lock_guard<std::mutex> lock(m_stAppendMutex);
    NamedFont* record = owned.release();
    record->reference = m_nRecords++;
    if (m_pTail)
        m_pTail->next.store(record);
    else
        m_pHead.store(record);
    m_pTail = record;
    return record;
}

const NamedFont& CFontRegistry::DefaultFont() {
    std::call_once(m_stDefaultOnce, [this] {
        auto record = std::make_unique<NamedFont>();
        record->name = kDefaultFontName;
        record->face = "Arial";
        record->font = CreateDefaultFont(kWeightNormal, false);
        record->boldFont = CreateDefaultFont(kWeightBoldVariant, false);
        record->italicFont = CreateDefaultFont(kWeightNormal, true);
        record->boldItalicFont = CreateDefaultFont(kWeightBoldVariant, true);
        record->weight = kWeightNormal;
        record->height = 18;
        record->width = 7;
        Append(std::move(record));
    });
    return *m_pHead.load();
}

const NamedFont* CFontRegistry::Find(const char* name) const {
    const std::string wanted = FontLookupName(name);
    for (const NamedFont* record = m_pHead.load(); record; record = record->next.load()) {
        if (record->name == wanted)
            return record;
    }
    return nullptr;
}

const NamedFont* CFontRegistry::FindByFont(HFONT font) const {
    for (const NamedFont* record = m_pHead.load(); record; record = record->next.load()) {
        if (record->font == font)
            return record;
    }
    return nullptr;
}

const NamedFont* CFontRegistry::FindByReference(uint32_t reference) const {
    for (const NamedFont* record = m_pHead.load(); record; record = record->next.load()) {
        if (record->reference == reference)
            return record;
    }
    return nullptr;
}

// A registered font asked for BOLD or ITALIC gives that variant, which may
// not exist (0). NORMAL wins over BOLD here as it does for a new font.
HFONT CFontRegistry::VariantOf(const NamedFont& record, const FontRequest& spec) {
    const bool bold = spec.bold && !spec.normal;
    if (bold && spec.italic)
        return record.boldItalicFont;
    if (bold)
        return record.boldFont;
    if (spec.italic)
        return record.italicFont;
    return record.font;
}

// The description starts from the window's current font; only a face found
// installed replaces its face.
HFONT CFontRegistry::MakeFont(const CWindowSurface& surface, const FontRequest& spec, bool faceInstalled,
                              LOGFONTA& d, bool mayReuse) const {
    d = {};
    GetObjectA(surface.CurrentFont(), sizeof(d), &d);
    if (faceInstalled) {
        const std::string face = EnumerationFace(spec.face);
        std::memset(d.lfFaceName, 0, sizeof(d.lfFaceName));
        std::memcpy(d.lfFaceName, face.data(), face.size());
    }
    d.lfWeight = spec.Weight();
    d.lfItalic = spec.italic;
    d.lfUnderline = spec.underline;
    d.lfStrikeOut = spec.strikeOut;
    d.lfHeight = spec.hasSize ? -spec.size : 0;
    d.lfWidth = spec.hasWidth ? -spec.width : 0;
    d.lfEscapement = 0;
    d.lfOrientation = 0;
    d.lfCharSet = ANSI_CHARSET;
    d.lfQuality = CLEARTYPE_QUALITY;
    d.lfPitchAndFamily = VARIABLE_PITCH;
    if (mayReuse) {
        for (const NamedFont* record = m_pHead.load(); record; record = record->next.load()) {
            if (record->name.rfind(kGeneratedNamePrefix, 0) == 0 && SameAttributes(*record, d))
                return record->font;
        }
    }
    return CreateFontIndirectA(&d);
}

void CFontRegistry::MakeVariants(NamedFont& record, const FontRequest& spec, LOGFONTA& d) {
    if (spec.italicVariant) {
        d.lfItalic = TRUE;
        record.italicFont = CreateFontIndirectA(&d);
    }
    if (spec.boldVariant) {
        d.lfItalic = FALSE;
        d.lfWeight = kWeightBoldVariant;
        record.boldFont = CreateFontIndirectA(&d);
    }
    if (spec.boldVariant && spec.italicVariant) {
        d.lfItalic = TRUE;
        d.lfWeight = kWeightBoldVariant;
        record.boldItalicFont = CreateFontIndirectA(&d);
    }
    TakeAttributes(record, d);
}

// The previous font goes only when no record owns it.
void CFontRegistry::Select(CWindowSurface& surface, HFONT font, const NamedFont* record) {
    if (!font)
        return;
    const bool previousOwned = surface.CurrentRecord() != nullptr;
    const HFONT previous = surface.SetCurrentFont(font, record);
    if (!previousOwned && previous && previous != font)
        DeleteObject(previous);
    if (TextWindow* textWindow = surface.HostedTextWindow())
        textWindow->RebuildFonts();
}

HFONT CFontRegistry::SetFont(CWindowSurface& surface, const char* fontText, const char* name,
                             uint8_t* flags, HDC enumerationDC) {
    if (!fontText)
        return nullptr;
    CFontLock lock(m_stLock);
    if (flags)
        *flags = 0;
    const FontRequest spec = ParseFontRequest(fontText);
    if (spec.refused)
        return nullptr;
    if (flags)
        *flags = spec.VariantFlags();
    // DefineFont takes names of up to 99 characters; so does this, or such a
    // name would be dropped here and the font selected instead of registered.
    const bool nameGiven = name && std::strlen(name) <= kMaxFontName;
    std::string registration = nameGiven ? FontLookupName(name) : spec.name;

    const NamedFont* found = nullptr;
    bool faceInstalled = false;
    if (spec.hasFace) {
        found = Find(nameGiven ? name : spec.face.c_str());
        // An empty face would enumerate every family; it names none.
        if (!found && !spec.face.empty())
            faceInstalled = FaceInstalled(enumerationDC, spec.face);
    }
    if (found) {
        const HFONT variant = VariantOf(*found, spec);
        Select(surface, variant, found);
        return variant;
    }

    LOGFONTA description;
    auto record = std::make_unique<NamedFont>();
    record->font = MakeFont(surface, spec, faceInstalled, description, registration.empty());
    record->face = spec.face;
    MakeVariants(*record, spec, description);
    record->name = registration.empty() ? GeneratedFontName(spec, m_nGenerated++) : registration;
    const HFONT font = record->font;
    const NamedFont* registered = Append(std::move(record));
    if (!nameGiven)
        Select(surface, font, registered);
    return font;
}

HFONT CopyFont(HFONT font) {
    LOGFONTA description = {};
    if (!GetObjectA(font, sizeof(description), &description))
        return nullptr;
    return CreateFontIndirectA(&description);
}
