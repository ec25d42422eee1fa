#include "ui/design/AppSection.h"
#include "ui/design/VDS.h"

#include <QFontInfo>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QRawFont>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace velk::design {
namespace {

TEST(VDSTokens, ScaleFollowsTheGoldenRatioWithItsTwoDeliberateRepeats)
{
    EXPECT_DOUBLE_EQ(VDS::Phi::major, 1.0 / VDS::Phi::value);
    EXPECT_NEAR(VDS::Phi::major + VDS::Phi::minor, 1.0, 1e-15);

    const double spaces[] = { VDS::Space::xxs, VDS::Space::xs, VDS::Space::s, VDS::Space::m, VDS::Space::l,
        VDS::Space::xl, VDS::Space::xxl, VDS::Space::xxxl };
    const double fibonacci[] = { 5, 8, 13, 21, 34, 55, 89, 144 };
    for (size_t i = 0; i < std::size(spaces); ++i)
        EXPECT_EQ(spaces[i], fibonacci[i]) << i;
    EXPECT_EQ(VDS::Space::ms, 13);
    EXPECT_EQ(VDS::TypeScale::caption, VDS::TypeScale::body);
    EXPECT_EQ(VDS::TypeScale::title, 21);
    EXPECT_EQ(VDS::TypeScale::display, 34);
    EXPECT_EQ(VDS::TypeScale::hero, 55);
    EXPECT_EQ(VDS::Radius::xs, 5);
    EXPECT_EQ(VDS::Radius::s, 8);
    EXPECT_EQ(VDS::Radius::m, 13);
    EXPECT_EQ(VDS::Radius::l, 21);
}

TEST(VDSTokens, LayoutMeasures)
{
    EXPECT_EQ(VDS::Measure::windowWidth, 987);
    EXPECT_EQ(VDS::Measure::windowHeight, 610);
    EXPECT_EQ(VDS::Measure::sidebar, 233);
    EXPECT_EQ(VDS::Measure::sidebarIcon, 56);
    EXPECT_EQ(VDS::Measure::sidebarExpandedMin, 210);
    EXPECT_EQ(VDS::Measure::sidebarMin, VDS::Measure::sidebarExpandedMin);
    EXPECT_EQ(VDS::Measure::sidebarMax, 377);
    EXPECT_EQ(VDS::Measure::sidebarNavColumnWidth, 180);
    EXPECT_EQ(VDS::Measure::sidebarHeaderHPadding, 8);
    EXPECT_EQ(VDS::Measure::sidebarBrandLogoExpanded, 89);
    EXPECT_EQ(VDS::Measure::sidebarBrandLogoCompact, 34);
    EXPECT_EQ(VDS::Measure::sidebarBrandHeaderSlot, 89);
    EXPECT_EQ(VDS::Measure::control, 34);
    EXPECT_EQ(VDS::Measure::row, 34);
    EXPECT_EQ(VDS::Measure::mark, 233);
    EXPECT_EQ(VDS::Measure::cluster, 377);
    EXPECT_EQ(VDS::Measure::column, 377);
}

TEST(VDSTokens, FontsHaveTheirFixedPixelSizesAndDefaultWeights)
{
    EXPECT_EQ(VDS::caption().pixelSize(), 13);
    EXPECT_EQ(VDS::caption().weight(), QFont::Normal);
    EXPECT_EQ(VDS::body(QFont::Bold).pixelSize(), 13);
    EXPECT_EQ(VDS::body(QFont::Bold).weight(), QFont::Bold);
    EXPECT_EQ(VDS::title().pixelSize(), 21);
    EXPECT_EQ(VDS::title().weight(), QFont::Medium);
    EXPECT_EQ(VDS::display().pixelSize(), 34);
    EXPECT_EQ(VDS::display().weight(), QFont::Medium);
}

// Latin letters, digits and punctuation come from the Latin face at their own
// width, Chinese and its full-width punctuation from the CJK face.
TEST(VDSTokens, LatinCharactersComeFromTheLatinFaceAndChineseFromTheCjkFace)
{
    const QString text = QStringLiteral("hasn’t 80% · Full — 已充满，");
    for (const QFont& font : { VDS::body(), VDS::title(QFont::DemiBold), VDS::monospacedFont(13) }) {
        QTextLayout layout(text, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (int i = 0; i < text.size(); ++i) {
            const QList<QGlyphRun> runs = layout.glyphRuns(i, 1);
            const QString face = runs.isEmpty() ? QString() : runs.first().rawFont().familyName();
            EXPECT_EQ(face.contains(QLatin1String("CJK")), text[i].unicode() >= 0x3000)
                << QString(text[i]).toStdString() << " from " << face.toStdString();
        }
        for (const char* mark : { "’", "·" })
            EXPECT_LT(QFontMetricsF(font).horizontalAdvance(QString::fromUtf8(mark)), 0.6 * font.pixelSize()) << mark;
    }
}

struct InsetCase {
    double width;
    bool collapsed;
    double contentInset;
    double logoLeading;
};

TEST(VDSMeasure, InsetsBesideTheSidebar)
{
    const InsetCase cases[] = {
        { 233, false, 72, 72 }, // default width
        { 56, true, 55, 11 }, // collapsed: 3 + 42 is raised to 55
        { 210, false, 60.5, 60.5 },
        { 377, false, 144, 144 },
        { 40, true, 55, 8 }, // x = -5
        { 100, false, 8, 8 }, // x = -2.5, clamped
        { 150, true, 92, 58 }, // x = 50
        { 63, true, 55, 14.5 }, // 6.5 + 42 = 48.5, raised
        { 89, true, 61.5, 27.5 }, // 19.5 + 42 just above the floor
        { 0, false, 8, 8 },
    };
    for (const InsetCase& c : cases) {
        EXPECT_DOUBLE_EQ(VDS::Measure::mainContentLeadingInset(c.width, c.collapsed), c.contentInset)
            << c.width << (c.collapsed ? " collapsed" : " expanded");
        EXPECT_DOUBLE_EQ(VDS::Measure::sidebarBrandLogoLeading(c.width, c.collapsed), c.logoLeading)
            << c.width << (c.collapsed ? " collapsed" : " expanded");
    }
}

TEST(VDSMeasure, NotANumberWidthCountsAsNoRoom)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_EQ(VDS::Measure::mainContentLeadingInset(nan, true), 55);
    EXPECT_EQ(VDS::Measure::mainContentLeadingInset(nan, false), 8);
    EXPECT_EQ(VDS::Measure::sidebarBrandLogoLeading(nan, false), 8);
    EXPECT_EQ(VDS::Measure::sidebarBrandLogoLeading(-std::numeric_limits<double>::infinity(), true), 8);
}

// Medium is a face of its own, not regular drawn heavier.
TEST(VDSTokens, MediumWeightHasAFaceOfItsOwn)
{
    QFont medium = VDS::body();
    medium.setWeight(QFont::Medium);
    EXPECT_EQ(QFontInfo(medium).weight(), QFont::Medium);
}

} // namespace
} // namespace velk::design
