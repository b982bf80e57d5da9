// The strip's colours from a desktop theme: every text keeps 4.5:1 against what it is drawn
// on, in the themes users have and in themes that fall short, and a theme that reads well
// keeps its own colours.
#include <gtest/gtest.h>

#include "core/strip/strip_palette.h"
#include "core/strip/tile_title.h"

namespace {

wxColour Hex(const char* html)
{
    return wxColour(html);
}

ThemeColours Theme(const char* view, const char* face, const char* faceText, const char* shadow,
                   const char* highlight, const char* highlightText)
{
    return {Hex(view), Hex(face), Hex(faceText), Hex(shadow), Hex(highlight), Hex(highlightText)};
}

}  // namespace

TEST(StripPalette, ContrastRatioFollowsTheLuminanceFormula)
{
    EXPECT_NEAR(21.0, ContrastRatio(*wxBLACK, *wxWHITE), 1e-9);
    EXPECT_NEAR(1.0, ContrastRatio(Hex("#3584E4"), Hex("#3584E4")), 1e-9);
    EXPECT_NEAR(ContrastRatio(*wxWHITE, Hex("#767676")), ContrastRatio(Hex("#767676"), *wxWHITE),
                1e-9);
    // #767676 is the lightest grey that reads on white at 4.5:1.
    EXPECT_GT(ContrastRatio(*wxWHITE, Hex("#767676")), 4.5);
    EXPECT_LT(ContrastRatio(*wxWHITE, Hex("#777777")), 4.5);
}

TEST(StripPalette, EveryTextReadsOnItsBackgroundInAnyTheme)
{
    struct Case {
        const char* name;
        ThemeColours theme;
    };
    const Case cases[] = {
        {"light", Theme("#FFFFFF", "#F1F0EE", "#2E3436", "#CDC7C2", "#3584E4", "#FFFFFF")},
        {"dark", Theme("#2D2D2D", "#333333", "#EEEEEC", "#1B1B1B", "#15539E", "#FFFFFF")},
        // Themes that fall short: black text on dark tiles (what the strip once drew), a
        // yellow selection with white text, grey on grey everywhere.
        {"black on dark", Theme("#2D2D2D", "#333333", "#000000", "#1B1B1B", "#15539E", "#FFFFFF")},
        {"yellow", Theme("#FFFFFF", "#FFFFFF", "#000000", "#CCCCCC", "#FFFF00", "#FFFFFF")},
        {"grey", Theme("#808080", "#808080", "#777777", "#707070", "#7F7F7F", "#858585")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const StripPalette p = MakeStripPalette(c.theme);
        EXPECT_GE(ContrastRatio(p.tileText, p.tile), kTextContrast);
        EXPECT_GE(ContrastRatio(p.selectionText, p.selection), kTextContrast);
        EXPECT_GE(ContrastRatio(p.idleSelectionText, p.idleSelection), kTextContrast);
        EXPECT_EQ(c.theme.view, p.background);
        EXPECT_EQ(c.theme.face, p.tile);
    }
}

TEST(StripPalette, ThemeColoursStayWhereTheyReadAndKeepTheirHueWhereNot)
{
    const StripPalette dark = MakeStripPalette(
        Theme("#2D2D2D", "#333333", "#EEEEEC", "#1B1B1B", "#15539E", "#FFFFFF"));
    EXPECT_EQ(Hex("#EEEEEC"), dark.tileText);
    EXPECT_EQ(Hex("#15539E"), dark.selection);
    EXPECT_EQ(*wxWHITE, dark.selectionText);

    // White on the light theme's blue is 3.8:1: the blue is darkened just enough, and stays
    // blue; the theme's white text stays.
    const StripPalette light = MakeStripPalette(
        Theme("#FFFFFF", "#F1F0EE", "#2E3436", "#CDC7C2", "#3584E4", "#FFFFFF"));
    EXPECT_EQ(*wxWHITE, light.selectionText);
    EXPECT_LT(ContrastRatio(light.selection, *wxWHITE), 4.9);
    EXPECT_GT(light.selection.Blue(), light.selection.Red() + 100);
}

TEST(TileTitle, NamesLoseTheirMiddleAndVideoMomentsStayWhole)
{
    // One pixel a character: the widths are the lengths.
    const TextMeasure length = [](const wxString& text) { return static_cast<int>(text.length()); };
    struct Case {
        FrameTitleParts parts;
        int width;
        const char* expected;
    };
    const Case cases[] = {
        {{"clip.mp4", "12.500s"}, 16, "clip.mp4 12.500s"},
        {{"my holiday clip.mp4", "12.500s"}, 16, "my \u2026.mp4 12.500s"},
        {{"my holiday clip.mp4", "12.500s"}, 9, "\u2026 12.500s"},
        // Narrower than the moment: the moment alone, cut at the tile's edge when drawn.
        {{"my holiday clip.mp4", "12.500s"}, 5, "12.500s"},
        {{"a very long picture name.png", ""}, 11, "a ver\u2026e.png"},
        {{"a.png", ""}, 11, "a.png"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        const wxString title = FitTitle(c.parts, c.width, length);
        EXPECT_EQ(wxString::FromUTF8(c.expected), title);
    }
    EXPECT_EQ("My #1 clip.mp4", FrameTitleOf("/v/My #1 clip.mp4#t=12.500&w=640").name);
    EXPECT_EQ("12.500s", FrameTitleOf("/v/My #1 clip.mp4#t=12.500&w=640").moment);
    EXPECT_EQ("", FrameTitleOf("/a/pic #2.png").moment);
}
