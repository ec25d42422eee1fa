#include "ui/design/Color.h"
#include "ui/design/VelkColorPalette.h"

#include <gtest/gtest.h>

namespace velk::design {
namespace {

struct HexCase {
    const char16_t* text;
    int r, g, b, a;
};

TEST(ColorFromHex, ReadsThreeSixAndEightDigitForms)
{
    const HexCase cases[] = {
        { u"#FFF", 255, 255, 255, 255 },
        { u"fff", 255, 255, 255, 255 },
        { u"#a3c", 0xAA, 0x33, 0xCC, 255 },
        { u"F4F1EB", 0xF4, 0xF1, 0xEB, 255 },
        { u"#141311", 0x14, 0x13, 0x11, 255 },
        { u"80FF0000", 255, 0, 0, 128 }, // alpha first
        { u"00123456", 0x12, 0x34, 0x56, 0 },
        { u"  #1e1c19;\n", 0x1E, 0x1C, 0x19, 255 }, // non-alphanumerics trimmed at both ends
    };
    for (const HexCase& c : cases) {
        const QColor colour = colorFromHex(QStringView(c.text));
        EXPECT_EQ(colour.red(), c.r) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(colour.green(), c.g) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(colour.blue(), c.b) << QString::fromUtf16(c.text).toStdString();
        EXPECT_EQ(colour.alpha(), c.a) << QString::fromUtf16(c.text).toStdString();
    }
}

TEST(ColorFromHex, BadInputNeverFailsAndGivesPredictableColours)
{
    const QColor black = QColor::fromRgb(0, 0, 0, 255);
    EXPECT_EQ(colorFromHex(u""), black);
    EXPECT_EQ(colorFromHex(u"#"), black);
    EXPECT_EQ(colorFromHex(u"12345"), black); // five digits: wrong length
    EXPECT_EQ(colorFromHex(u"1234567890"), black);
    EXPECT_EQ(colorFromHex(u"GGGGGG"), black); // six characters, value 0
    EXPECT_EQ(colorFromHex(u"zzz"), black);
    EXPECT_EQ(colorFromHex(u"FFFFFFFFFFFFFFFFFFFF"), black); // overflowing, wrong length
    // Reading stops at the first non-digit; the length still decides the form.
    EXPECT_EQ(colorFromHex(u"12zz34"), QColor::fromRgb(0, 0, 0x12));
    EXPECT_EQ(colorFromHex(u"F-F"), QColor::fromRgb(0, 0, 0xFF));
    // Inner punctuation is kept and counted.
    EXPECT_EQ(colorFromHex(u"#F F#"), QColor::fromRgb(0, 0, 0xFF));
    // Letters of other scripts are alphanumeric: kept, counted, not digits.
    EXPECT_EQ(colorFromHex(u"墨FF"), black);
}

TEST(ColorPalettes, ThemeCopiesEqualTheirBasePalettes)
{
    EXPECT_TRUE(VelkColorPalette::cyber() == VelkColorPalette::ink());
    EXPECT_TRUE(VelkColorPalette::classic() == VelkColorPalette::paper());
    EXPECT_FALSE(VelkColorPalette::ink() == VelkColorPalette::paper());
    EXPECT_EQ(VelkColorPalette::ink().theme, AppTheme::cyber);
    EXPECT_EQ(VelkColorPalette::paper().theme, AppTheme::classic);
}

TEST(ColorPalettes, TranslucentRolesCarryTheirOpacity)
{
    const VelkColorPalette& ink = VelkColorPalette::ink();
    const VelkColorPalette& paper = VelkColorPalette::paper();
    EXPECT_EQ(ink.border.rgb(), QColor(0xF4, 0xF1, 0xEB).rgb());
    EXPECT_NEAR(ink.border.alphaF(), 0.12, 1e-4);
    EXPECT_NEAR(ink.borderStrong.alphaF(), 0.2, 1e-4);
    EXPECT_NEAR(paper.borderStrong.alphaF(), 0.22, 1e-4);
    EXPECT_NEAR(paper.borderWarm.alphaF(), 0.45, 1e-4);
    EXPECT_EQ(paper.borderWarm.rgb(), QColor(0x6F, 0x54, 0x24).rgb());
    EXPECT_EQ(paper.bgElevated, QColor(0xFB, 0xF9, 0xF5));
    EXPECT_EQ(ink.amber, QColor(0xE0, 0xB1, 0x5A));
}

TEST(ColorPalettes, RolesResolveByFieldName)
{
    const VelkColorPalette& paper = VelkColorPalette::paper();
    ASSERT_NE(paper.role(u"slate"), nullptr);
    EXPECT_EQ(*paper.role(u"slate"), paper.text3);
    EXPECT_EQ(*paper.role(u"onDanger"), paper.onDanger);
    EXPECT_EQ(paper.role(u"theme"), nullptr);
    EXPECT_EQ(paper.role(u""), nullptr);
    EXPECT_EQ(paper.role(u"Accent"), nullptr);
}

} // namespace
} // namespace velk::design
