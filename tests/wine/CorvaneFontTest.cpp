// Font requests applied to windows, and the named-font registry.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "tests/wine/ToolkitTestSupport.h"

namespace {

LOGFONTA Describe(HFONT font) {
    LOGFONTA d = {};
    GetObjectA(font, sizeof(d), &d);
    return d;
}

// A hidden window whose surface the tests look into.
class CFontWindow {
  public:
    CFontWindow() : m_nHandle(NewWindow()) {}
    ~CFontWindow() { Core().Window.Destroy(m_nHandle); }
    int Handle() const { return m_nHandle; }
    CWindowSurface& Surface() const { return *Core().Window.Surface(m_nHandle); }
    HFONT Selected() const { return static_cast<HFONT>(GetCurrentObject(Surface().BackDC(), OBJ_FONT)); }
    HFONT Set(const char* fontText) { return Core().Window.SetFont(m_nHandle, fontText); }

  private:
    int m_nHandle;
};

TEST(CorvaneFont, NewWindowsWriteInTheBoldDefaultFont) {
    CFontWindow w;
    const NamedFont& first = Core().Fonts().DefaultFont();
    EXPECT_EQ(first.name, "DEFAULTFONT");
    EXPECT_EQ(w.Surface().CurrentFont(), first.boldFont);
    EXPECT_EQ(Describe(first.boldFont).lfWeight, 900);
    EXPECT_EQ(Describe(first.italicFont).lfItalic, TRUE);
    EXPECT_EQ(Describe(first.font).lfHeight, 18);
}

TEST(CorvaneFont, FontTextMakesRegistersAndSelectsAFont) {
    CFontWindow w;
    const HFONT font = w.Set("Arial,13");
    ASSERT_NE(font, nullptr);
    const LOGFONTA d = Describe(font);
    EXPECT_STREQ(d.lfFaceName, "Arial");
    EXPECT_EQ(d.lfHeight, -13);
    EXPECT_EQ(d.lfWeight, 400);
    EXPECT_EQ(w.Selected(), font);
    EXPECT_EQ(w.Surface().CurrentFont(), font);
    const char* name = Core().Window.GetFontName(w.Handle(), font);
    ASSERT_NE(name, nullptr);
    EXPECT_TRUE(std::regex_match(name, std::regex(R"(\$DF\.ARIAL\.13\.\d{5,})"))) << name;
    EXPECT_GT(w.Surface().LineHeight(), 10);

    // The same description again reuses the font under a record of its own.
    EXPECT_EQ(w.Set("arial,13"), font);
}

TEST(CorvaneFont, PlainFormActsOnTheCurrentWindow) {
    CFontWindow w;
    ASSERT_EQ(Core().SetCurrentWindow(w.Handle()), 1);
    const HFONT font = Core().SetFont("Arial,21");
    Core().ResetCurrentWindow();
    EXPECT_EQ(Describe(font).lfHeight, -21);
    EXPECT_EQ(w.Selected(), font);
}

TEST(CorvaneFont, AttributesSizesAndWidths) {
    CFontWindow w;
    struct Case {
        const char* fontText;
        LONG height, width, weight;
        BYTE italic;
    };
    const Case cases[] = {
        {"Arial", 0, 0, 400, FALSE},
        {"Arial,13,7", -13, -7, 400, FALSE},
        {"Arial,13,7,9", -13, -9, 400, FALSE},
        {"arial,13,BOLD,normal", -13, 0, 400, FALSE},
        {"Arial,15 bold", -15, 0, 700, FALSE},
        {"Arial,16,italic", -16, 0, 400, TRUE},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.fontText);
        const LOGFONTA d = Describe(w.Set(c.fontText));
        EXPECT_EQ(d.lfHeight, c.height);
        EXPECT_EQ(d.lfWidth, c.width);
        EXPECT_EQ(d.lfWeight, c.weight);
        EXPECT_EQ(d.lfItalic, c.italic);
    }
}

TEST(CorvaneFont, FaceNotInstalledKeepsTheWindowsFace) {
    CFontWindow w;
    w.Set("Courier New,12");
    const LOGFONTA d = Describe(w.Set("Nofont,20,italic"));
    EXPECT_STREQ(d.lfFaceName, "Courier New");
    EXPECT_EQ(d.lfHeight, -20);
    EXPECT_TRUE(d.lfItalic);
    EXPECT_STREQ(Describe(w.Set("Courier New ,12")).lfFaceName, "Courier New") << "the trailing space is no face";
}

TEST(CorvaneFont, NamedFontsAndTheirVariants) {
    CFontWindow w;
    Core().DefineFont("MainFont", "Arial,13");
    const HFONT main = Core().Window.GetFontByName(w.Handle(), "mainfont");
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(w.Set("mainfont"), main);
    EXPECT_EQ(w.Selected(), main);
    EXPECT_EQ(w.Set("mainfont,bold"), nullptr) << "no bold variant was asked for";
    EXPECT_EQ(w.Selected(), main) << "the window keeps its font";

    Core().DefineFont("DirFont", "Arial,15,+bold");
    const HFONT bold = w.Set("DirFont,bold");
    ASSERT_NE(bold, nullptr);
    EXPECT_EQ(Describe(bold).lfWeight, 900);
    EXPECT_EQ(w.Selected(), bold);

    const HFONT body = w.Set("Arial,13,NAME=Body");
    EXPECT_STREQ(Core().Window.GetFontName(w.Handle(), body), "BODY");
    EXPECT_EQ(w.Selected(), body) << "a name inside the font text still selects";

    uint8_t flags = 0xFF;
    Core().Window.SetFont(w.Handle(), "Arial,11,+italic,+bold", nullptr, &flags);
    EXPECT_EQ(flags, kVariantFlagBold | kVariantFlagItalic);
    EXPECT_EQ(Core().DefineFont(std::string(100, 'N').c_str(), "Arial,9"), 0);
    EXPECT_EQ(Core().Window.GetFontByName(w.Handle(), std::string(100, 'N').c_str()), nullptr);
}

}  // namespace
