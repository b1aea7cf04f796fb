#include "toolkit/text/TextOutput.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "toolkit/core/CorvaneCore.h"
#include "toolkit/portable/text/MarkupReader.h"
#include "toolkit/portable/text/MarkupStack.h"
#include "toolkit/surface/GdiScope.h"
#include "toolkit/surface/SurfaceDrawing.h"
#include "toolkit/text/MarkupColours.h"

namespace TextOutput {

namespace {


// What one change of a Write replaced, for its reset.
struct SavedChange {
    MarkupCode kind = MarkupCode::Reset;
    COLORREF colour = 0;
    HFONT font = nullptr;
    const NamedFont* record = nullptr;
};

// The state of one Write: the cursor and fonts as the markup moves them.
class CTextRun {
  public:
    explicit CTextRun(CWindowSurface& s)
        : m_stSurface(s),
          m_hDC(s.CurrentDC()),
          m_nText(GetTextColor(m_hDC)),
          m_nBackground(GetBkColor(m_hDC)),
          m_pRecord(s.CurrentRecord()),
          m_nLineHeight(s.LineHeight()) {}

    ~CTextRun() {
        if (static_cast<HFONT>(GetCurrentObject(m_hDC, OBJ_FONT)) != m_stSurface.CurrentFont())
            SelectObject(m_hDC, m_stSurface.CurrentFont());
        m_stSurface.SetCurrentRecord(m_pRecord);
        if (GetTextColor(m_hDC) != m_nText)
            SetTextColor(m_hDC, m_nText);
        if (GetBkColor(m_hDC) != m_nBackground)
            SetBkColor(m_hDC, m_nBackground);
    }

    void Draw(const MarkupItem& item) {
        switch (item.kind) {
        case MarkupItemKind::Text:
            DrawRun(item.bytes, static_cast<int>(item.length));
            break;
        case MarkupItemKind::LineFeed:
            m_stSurface.cursor.y += m_nLineHeight;
            m_stSurface.cursor.x = 0;
            break;
        case MarkupItemKind::Code:
            Apply(item);
            break;
        }
    }

  private:
    // Text that reaches the bottom scrolls the surface up by exactly the
    // missing pixels; the line it frees is cleared.
    void ScrollIfNeeded() {
        POINT& cursor = m_stSurface.cursor;
        const POINT origin = m_stSurface.Origin();
        const int height = m_stSurface.Height();
        const int missing = cursor.y + origin.y + m_nLineHeight - height;
        if (!m_stSurface.autoScroll || missing <= 0)
            return;
        const RECT& client = m_stSurface.ClientRect();
        ScrollDC(m_hDC, 0, -missing, &client, &client, nullptr, nullptr);
        cursor.y = height - m_nLineHeight - origin.y;
        const RECT freed = {0, cursor.y + origin.y, client.right, client.bottom};
        FillRect(m_hDC, &freed, m_stSurface.BackgroundBrush());
    }

    // Each character goes where the measured extents put it, so a text cut
    // into runs by tags is laid out exactly as the same text in one run;
    // left to itself the system may place glyphs a pixel or two apart from
    // what it measures.
    void DrawRun(const char* text, int length) {
        m_stAdvances.resize(static_cast<size_t>(length));
        SIZE size = {};
        if (!GetTextExtentExPointA(m_hDC, text, length, 0, nullptr, m_stAdvances.data(), &size))
            return;
        for (int i = length - 1; i > 0; --i)
            m_stAdvances[i] -= m_stAdvances[i - 1];
        ScrollIfNeeded();
        const POINT origin = m_stSurface.Origin();
        POINT& cursor = m_stSurface.cursor;
        ExtTextOutA(m_hDC, cursor.x + origin.x, cursor.y + origin.y, 0, nullptr, text, static_cast<UINT>(length),
                    m_stAdvances.data());
        cursor.x += size.cx;
    }

    HFONT SelectedFont() const { return static_cast<HFONT>(GetCurrentObject(m_hDC, OBJ_FONT)); }

    // Italic or bold from the record's variants: the combined one when the
    // other style is on and the record has it. True when a variant was selected.
    bool SelectVariant(bool otherStyleOn, HFONT single, HFONT combined) {
        const HFONT variant = otherStyleOn && combined ? combined : single;
        if (variant)
            SelectObject(m_hDC, variant);
        return variant != nullptr;
    }

    void Apply(const MarkupItem& item) {
        const NamedFont* record = m_stSurface.CurrentRecord();
        switch (item.code) {
        case MarkupCode::TextColour:
        case MarkupCode::TextBackground:
            if (m_stStack.Push({item.code, ContextColour(m_hDC, item.code)}))
                SetContextColour(m_hDC, item.code, item.colour);
            break;
        case MarkupCode::LineBackground: {
            SIZE band = {};
            GetTextExtentPoint32A(m_hDC, "gH", 2, &band);
            SurfaceDrawing::Rectangle(m_stSurface, 0, m_stSurface.cursor.y, m_stSurface.Width(), band.cy, item.colour,
                                      -1);
            SetBkColor(m_hDC, item.colour);
            break;
        }
        case MarkupCode::Italic:
            if (m_stStack.Push({item.code, 0, SelectedFont()}) && record)
                m_bItalic = SelectVariant(m_bBold, record->italicFont, record->boldItalicFont);
            break;
        case MarkupCode::Bold:
            if (m_stStack.Push({item.code, 0, SelectedFont()}) && record)
                m_bBold = SelectVariant(m_bItalic, record->boldFont, record->boldItalicFont);
            break;
        case MarkupCode::Font:
            ApplyFont(item.font);
            break;
        case MarkupCode::Reset:
            Undo();
            break;
        }
    }

    // A reference that names no record (garbage read as a code) changes nothing.
    void ApplyFont(FontReference reference) {
        const NamedFont* record = m_stSurface.Core().Fonts().FindByReference(reference);
        if (!record || !record->font)
            return;
        if (!m_stStack.Push({MarkupCode::Font, 0, SelectedFont(), m_stSurface.CurrentRecord()}))
            return;
        SelectObject(m_hDC, record->font);
        m_stSurface.SetCurrentRecord(record);
        m_nLineHeight = m_stSurface.MeasureLineHeight(m_hDC);
    }

    void Undo() {
        SavedChange saved;
        if (!m_stStack.Pop(saved))
            return;
        switch (saved.kind) {
        case MarkupCode::TextColour:
        case MarkupCode::TextBackground:
            SetContextColour(m_hDC, saved.kind, saved.colour);
            break;
        case MarkupCode::Italic:
        case MarkupCode::Bold:
            (saved.kind == MarkupCode::Italic ? m_bItalic : m_bBold) = false;
            if (m_stSurface.CurrentRecord())
                SelectObject(m_hDC, saved.font);
            break;
        case MarkupCode::Font:
            SelectObject(m_hDC, saved.font);
            m_stSurface.SetCurrentRecord(saved.record);
            break;
        default:
            break;
        }
    }

    CWindowSurface& m_stSurface;
    HDC m_hDC;
    COLORREF m_nText;
    COLORREF m_nBackground;
    const NamedFont* m_pRecord;
    int m_nLineHeight;
    bool m_bItalic = false;
    bool m_bBold = false;
    CMarkupStack<SavedChange> m_stStack;
    std::vector<INT> m_stAdvances;
};

}  // namespace

void DrawText(CWindowSurface& s, const MarkupText& text) {
    if (!s.CurrentDC())
        return;
    {
        CTextRun run(s);
        CMarkupReader reader(text.Text(), text.Length());
        MarkupItem item;
        while (reader.Next(item))
            run.Draw(item);
    }
    MSG message;
    PeekMessageA(&message, s.Window(), 0, 0, PM_NOREMOVE);
}

}  // namespace TextOutput
