#include "QuickFixture.h"

#include "ui/design/ThemeManager.h"
#include "ui/design/VDS.h"

#include <cmath>

namespace velk::design {
namespace {

using Controls = test::QuickFixture;

// The contrast ratio of `colour`, drawn over `page`, against the page.
double contrast(const QColor& colour, const QColor& page)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const auto luminance = [&](double r, double g, double b) {
        return 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
    };
    const double a = colour.alphaF();
    const double over = luminance(colour.redF() * a + page.redF() * (1 - a), colour.greenF() * a + page.greenF() * (1 - a),
                                  colour.blueF() * a + page.blueF() * (1 - a));
    const double under = luminance(page.redF(), page.greenF(), page.blueF());
    return (std::max(over, under) + 0.05) / (std::min(over, under) + 0.05);
}

TEST_F(Controls, CheckboxTogglesItsBindingAnywhereInItsSquare)
{
    QQuickItem* root = show(R"(Item {
        property bool selected: false
        property int toggles: 0
        VelkCheckbox {
            objectName: "box"
            isChecked: parent.selected
            onToggled: (checked) => { parent.selected = checked; parent.toggles++ }
        }
        property bool refusedSource: false
        property int refusals: 0
        VelkCheckbox { objectName: "passive"; x: 100; interactive: false }
        VelkCheckbox { objectName: "refused"; x: 200; isChecked: parent.refusedSource; onToggled: parent.refusals++ }
    })");
    ASSERT_TRUE(root);
    auto* box = find("box");
    EXPECT_EQ(box->size(), QSizeF(34, 34));

    click(box, QPointF(1, 1)); // a corner of the 34-pt target, far from the 13-pt mark
    EXPECT_TRUE(root->property("selected").toBool());
    EXPECT_TRUE(box->property("isChecked").toBool());
    click(box, QPointF(33, 33));
    EXPECT_FALSE(root->property("selected").toBool());
    EXPECT_EQ(root->property("toggles").toInt(), 2);
    // The binding survived the clicks: the model still drives the box.
    root->setProperty("selected", true);
    EXPECT_TRUE(box->property("isChecked").toBool());

    auto* passive = find("passive");
    click(passive);
    EXPECT_FALSE(passive->property("isChecked").toBool());

    // An owner that refuses the change (selecting all of an empty list) keeps
    // the box as it was, and the box still follows its binding afterwards.
    auto* refused = find("refused");
    click(refused);
    EXPECT_FALSE(refused->property("isChecked").toBool());
    EXPECT_EQ(root->property("refusals").toInt(), 1);
    root->setProperty("refusedSource", true);
    EXPECT_TRUE(refused->property("isChecked").toBool());
}

TEST_F(Controls, CheckboxMarkShowsTheTintOnlyWhenChecked)
{
    ThemeManager theme;
    theme.setCurrent(AppTheme::classic);
    show(R"(Row {
        VelkCheckbox { objectName: "on"; isChecked: true; tint: "#ff0000" }
        VelkCheckbox { objectName: "off"; tint: "#ff0000" }
    })");
    auto* on = find("on")->findChild<QObject*>("checkbox.mark");
    auto* off = find("off")->findChild<QObject*>("checkbox.mark");
    ASSERT_TRUE(on && off);
    EXPECT_EQ(on->property("color").value<QColor>(), QColor(Qt::red));
    EXPECT_EQ(off->property("color").value<QColor>().alpha(), 0);
    EXPECT_EQ(off->property("border").value<QObject*>()->property("color").value<QColor>(), VDS::C::borderStrong());
}

TEST_F(Controls, SearchFieldClearButtonEmptiesTheText)
{
    QQuickItem* field = show(R"(VelkSearchField { placeholder: "Search" })");
    ASSERT_TRUE(field);
    EXPECT_EQ(field->size(), QSizeF(144, 34));
    auto* clear = find("searchField.clear");
    EXPECT_FALSE(clear->isVisible());

    auto* input = find("searchField.input");
    input->forceActiveFocus();
    QTest::keyClick(&window, Qt::Key_A);
    EXPECT_EQ(field->property("text").toString(), "a");
    EXPECT_TRUE(field->property("isFocused").toBool());
    EXPECT_TRUE(clear->isVisible());
    QTest::keyClick(&window, Qt::Key_B);
    click(clear);
    EXPECT_EQ(field->property("text").toString(), "");
    EXPECT_FALSE(clear->isVisible());
}

TEST_F(Controls, BadgeShowsItsTextInItsColourWithAFaintOutline)
{
    show(R"(Row {
        VelkBadge { objectName: "plain"; text: "System" }
        VelkBadge { objectName: "red"; text: "In use"; color: "#ff0000"; height: 21 }
    })");
    auto* plain = find("plain");
    auto* red = find("red");
    EXPECT_EQ(plain->height(), 34);
    EXPECT_EQ(red->height(), 21);
    auto* text = red->findChild<QObject*>("badge.text");
    auto* outline = red->findChild<QObject*>("badge.outline");
    ASSERT_TRUE(text && outline);
    EXPECT_EQ(text->property("text").toString(), "In use");
    EXPECT_EQ(text->property("color").value<QColor>(), QColor(Qt::red));
    const QColor border = outline->property("border").value<QObject*>()->property("color").value<QColor>();
    EXPECT_EQ(border.rgb(), QColor(Qt::red).rgb());
    EXPECT_NEAR(border.alphaF(), 0.35, 0.005);
    EXPECT_EQ(outline->property("color").value<QColor>().alpha(), 0); // outlined, not filled
    EXPECT_EQ(plain->width(), plain->findChild<QQuickItem*>("badge.text")->implicitWidth() + 26);
}

TEST_F(Controls, ButtonStylesResolveTheirRoles)
{
    ThemeManager theme;
    theme.setCurrent(AppTheme::cyber);
    show(R"(Row {
        VelkPrimaryButton { objectName: "both"; text: "Delete"; destructive: true; gold: true }
        VelkPrimaryButton { objectName: "plain"; text: "Scan"; down: true }
        VelkTintedButton { objectName: "tinted"; text: "Cancel"; down: true }
        VelkGhostButton { objectName: "ghost"; text: "All" }
    })");
    auto* both = find("both");
    EXPECT_EQ(both->property("fill").value<QColor>(), VDS::C::red());
    EXPECT_EQ(both->property("foreground").value<QColor>(), VDS::C::onDanger());
    EXPECT_EQ(both->height(), 34);

    auto* plain = find("plain");
    EXPECT_EQ(plain->property("fill").value<QColor>(), VDS::C::text1());
    EXPECT_EQ(plain->property("foreground").value<QColor>(), VDS::C::bg0());
    EXPECT_DOUBLE_EQ(plain->property("background").value<QQuickItem*>()->opacity(), 0.82);

    auto* tinted = find("tinted");
    EXPECT_EQ(tinted->property("background").value<QObject*>()->property("color").value<QColor>(), VDS::C::bg3());

    auto* ghost = find("ghost");
    EXPECT_EQ(ghost->property("foreground").value<QColor>(), VDS::C::text2());
    ghost->setProperty("down", true);
    EXPECT_EQ(ghost->property("foreground").value<QColor>(), VDS::C::text1());
    theme.setCurrent(AppTheme::classic);
}

TEST_F(Controls, DisabledButtonsFadeInEveryStyle)
{
    show(R"(Row {
        VelkPrimaryButton { objectName: "primary"; text: "Start Scan"; gold: true; enabled: false }
        VelkPrimaryButton { objectName: "clean"; text: "Clean"; destructive: true; enabled: false }
        VelkTintedButton { objectName: "tinted"; text: "Cancel"; enabled: false }
        VelkGhostButton { objectName: "ghost"; text: "All"; enabled: false }
        VelkPrimaryButton { objectName: "live"; text: "Scan" }
    })");
    for (const char* name : {"primary", "clean", "tinted", "ghost"})
        EXPECT_LE(find(name)->opacity(), 0.5) << name;
    EXPECT_EQ(find("live")->opacity(), 1.0);
}

// An off switch sits on the page or a row's faint fill; its track's outline
// stands out from that, and its knob from the track, by at least 3:1.
TEST_F(Controls, OffSwitchesStandOutInBothThemes)
{
    ThemeManager theme;
    show(R"(VelkSwitch { })");
    for (AppTheme current : {AppTheme::classic, AppTheme::cyber}) {
        theme.setCurrent(current);
        auto* track = find("switch.track");
        ASSERT_TRUE(test::waitFor([&] { return track->property("color").value<QColor>() == VDS::C::bg3(); }));
        const QColor outline = track->property("border").value<QObject*>()->property("color").value<QColor>();
        const QColor knob = find("switch.knob")->property("color").value<QColor>();
        for (const QColor& page : {VDS::C::bg0(), VDS::C::bg2(), VDS::C::bgElevated()})
            EXPECT_GE(contrast(outline, page), 3.0) << int(current) << " " << page.name().toStdString();
        EXPECT_GE(contrast(knob, VDS::C::bg3()), 3.0) << int(current);
    }
    theme.setCurrent(AppTheme::classic);
}

TEST_F(Controls, ActionButtonsIgnoreClicksWhileBusy)
{
    QQuickItem* root = show(R"(Column {
        property int clicks: 0
        CleanButton { objectName: "loading"; text: "Clean"; isLoading: true; onClicked: parent.clicks++ }
        CleanButton { objectName: "disabled"; text: "Clean"; isDisabled: true; onClicked: parent.clicks++ }
        ScanButton { objectName: "scanning"; text: "Scan"; isScanning: true; onClicked: parent.clicks++ }
        CleanButton { objectName: "idle"; text: "Clean"; onClicked: parent.clicks++ }
    })");
    for (const char* name : { "loading", "disabled", "scanning", "idle" })
        click(find(name));
    EXPECT_EQ(root->property("clicks").toInt(), 1);

    auto fill = [&](const char* name) {
        return find(name)->findChild<QObject*>("cleanButton.fill")->property("color").value<QColor>();
    };
    EXPECT_EQ(fill("loading"), fill("idle")); // loading keeps the accent
    EXPECT_NE(fill("disabled"), fill("idle"));
    EXPECT_NE(fill("scanning"), fill("idle"));
    EXPECT_TRUE(find("loading")->findChild<QQuickItem*>("cleanButton.spinner")->isVisible());
    EXPECT_FALSE(find("idle")->findChild<QQuickItem*>("cleanButton.spinner")->isVisible());
    EXPECT_GE(find("idle")->width(), 160);
}

TEST_F(Controls, ButtonLabelsStayCentredAndAreCutShortInsteadOfOverflowing)
{
    QQuickItem* root = show(R"(Column {
        VelkPrimaryButton { objectName: "wide"; width: 300; text: "Scan" }
        VelkTintedButton { objectName: "tinted"; width: 300; text: "Cancel" }
        VelkGhostButton { objectName: "ghost"; width: 300; text: "Select All" }
        VelkPrimaryButton { objectName: "narrow"; width: 60; text: "Download and Install" }
        Row { GlassButton { objectName: "glass"; fullWidth: true; text: "Full width" } }
    })");
    ASSERT_TRUE(root);
    for (const char* name : {"wide", "tinted", "ghost"}) {
        auto* button = find(name);
        auto* label = button->property("contentItem").value<QQuickItem*>();
        auto* row = label->childItems().at(0);
        const double centre = row->mapToItem(button, QPointF(row->width() / 2, 0)).x();
        EXPECT_NEAR(centre, 150, 1) << name;
    }
    auto* narrow = find("narrow");
    auto* label = narrow->property("contentItem").value<QQuickItem*>();
    EXPECT_TRUE(label->property("truncated").toBool());
    auto* row = label->childItems().at(0);
    EXPECT_LE(row->width(), label->width() + 0.5);

    // In a Row, full width has no width to take: the button keeps its own.
    auto* glass = find("glass");
    EXPECT_GT(glass->width(), 0);
    EXPECT_EQ(glass->width(), glass->implicitWidth());
}

TEST_F(Controls, SearchFieldPlaceholderIsInTheFaintestTextColour)
{
    ThemeManager theme;
    theme.setCurrent(AppTheme::classic);
    QQuickItem* root = show(R"(Row { VelkSearchField { objectName: "search"; placeholder: "Search" } })");
    ASSERT_TRUE(root);
    auto* input = find("search")->findChild<QQuickItem*>(QStringLiteral("searchField.input"));
    ASSERT_TRUE(input);
    EXPECT_EQ(input->property("placeholderTextColor").value<QColor>(), VDS::C::text3());
}

TEST_F(Controls, GlassButtonPressedHighlightStaysInsideTheBorder)
{
    QQuickItem* root = show(R"(GlassButton { objectName: "glass"; text: "Go"; down: true })");
    ASSERT_TRUE(root);
    auto* brighten = find<QQuickItem>("glassButton.brighten");
    auto* background = brighten->parentItem();
    const double border = background->property("border").value<QObject*>()->property("width").toDouble();
    EXPECT_DOUBLE_EQ(brighten->x(), border);
    EXPECT_DOUBLE_EQ(brighten->width(), background->width() - 2 * border);
}

QStringList loopWarnings;

TEST_F(Controls, CleanButtonSizesToItsContentWithoutABindingLoop)
{
    loopWarnings.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& message) {
        if (message.contains(QLatin1String("Binding loop")))
            loopWarnings << message;
    });
    show(R"(Column {
        CleanButton { objectName: "short"; text: "Clean" }
        CleanButton { objectName: "long"; text: "Clean Everything Selected Right Now" }
    })");
    EXPECT_TRUE(laidOut());
    qInstallMessageHandler(previous);
    EXPECT_TRUE(loopWarnings.isEmpty()) << loopWarnings.join('\n').toStdString();
    QQuickItem* wide = find("long");
    EXPECT_GT(wide->width(), 160);
    EXPECT_EQ(wide->width(), wide->property("contentItem").value<QQuickItem*>()->implicitWidth() + 40);
}

} // namespace
} // namespace velk::design
