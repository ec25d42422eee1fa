#include "QuickFixture.h"

namespace velk {
namespace {

using PickersAndPopups = test::QuickFixture;

TEST_F(PickersAndPopups, SliderMovesOnlyInStepsWithinItsRange)
{
    QQuickItem* root = show(R"(Item {
        property real interval: 2
        VelkSlider {
            objectName: "slider"
            width: 216
            from: 1; to: 5; stepSize: 0.5
            value: parent.interval
            onMoved: parent.interval = value
        }
    })");
    ASSERT_TRUE(root);
    auto* slider = find("slider");
    auto* knob = find("slider.knob");
    const double knobWidth = knob->width();
    const double track = slider->width() - knobWidth;
    EXPECT_DOUBLE_EQ(knob->x() + knobWidth / 2, knobWidth / 2 + track * 0.25);

    // 0.6 of the way is 3.4: the nearest step is 3.5.
    click(slider, QPointF(knobWidth / 2 + track * 0.6, slider->height() / 2));
    EXPECT_DOUBLE_EQ(root->property("interval").toDouble(), 3.5);
    click(slider, QPointF(slider->width() - 1, slider->height() / 2));
    EXPECT_DOUBLE_EQ(root->property("interval").toDouble(), 5.0);
    click(slider, QPointF(0, slider->height() / 2));
    EXPECT_DOUBLE_EQ(root->property("interval").toDouble(), 1.0);
}

TEST_F(PickersAndPopups, SegmentedPickerAndSwitchReportChoicesAndLeaveThemToTheOwner)
{
    QQuickItem* root = show(R"(Column {
        property string language: "zh-Hans"
        property string offered
        property int switchReports: 0
        VelkSegmentedPicker {
            objectName: "picker"
            width: 170
            options: [{ text: "简体中文", value: "zh-Hans" }, { text: "English", value: "en" }]
            currentValue: parent.language
            onActivated: (value) => parent.offered = value
        }
        VelkSwitch { objectName: "switch"; isOn: true; onToggled: (on) => { parent.switchReports++; parent.offered = on ? "on" : "off" } }
    })");
    ASSERT_TRUE(root);
    auto* english = find("segmentedPicker.segment.1");
    EXPECT_DOUBLE_EQ(english->width(), 83.0);   // (170 − 2 × 2) / 2
    EXPECT_FALSE(english->property("selected").toBool());
    click(english);
    EXPECT_EQ(root->property("offered").toString(), QStringLiteral("en"));
    EXPECT_FALSE(english->property("selected").toBool());   // the owner has not applied it
    root->setProperty("language", QStringLiteral("en"));
    EXPECT_TRUE(english->property("selected").toBool());

    auto* toggle = find("switch");
    click(toggle);
    EXPECT_EQ(root->property("offered").toString(), QStringLiteral("off"));
    EXPECT_TRUE(toggle->property("isOn").toBool());
    toggle->setEnabled(false);
    click(toggle);
    EXPECT_EQ(root->property("switchReports").toInt(), 1);
}

TEST_F(PickersAndPopups, ToolTipShowsAfterThePointerRestsAndNeverTakesClicks)
{
    QQuickItem* root = show(R"(Item {
        property int clicks: 0
        VelkTintedButton {
            objectName: "button"
            x: 50; y: 50
            text: "Refresh"
            onClicked: parent.clicks++
            VelkToolTip { objectName: "tip"; text: "Refresh the list" }
        }
    })");
    ASSERT_TRUE(root);
    auto* button = find("button");
    auto* tip = find("tip");
    EXPECT_FALSE(tip->property("showing").toBool());
    QTest::mouseMove(&window, button->mapToScene(QPointF(10, 10)).toPoint());
    EXPECT_TRUE(test::waitFor([&] { return tip->property("showing").toBool(); }));
    click(button);
    EXPECT_EQ(root->property("clicks").toInt(), 1);
    QTest::mouseMove(&window, QPoint(400, 300));
    EXPECT_TRUE(test::waitFor([&] { return !tip->property("showing").toBool(); }));
}

TEST_F(PickersAndPopups, ContextMenuOpensAtThePointerAndRunsTheChosenEntry)
{
    QQuickItem* root = show(R"(Item {
        width: 400; height: 300
        property string chosen
        TapHandler { acceptedButtons: Qt.RightButton; onTapped: menu.popup() }
        VelkContextMenu {
            id: menu
            objectName: "menu"
            VelkMenuItem { objectName: "reveal"; text: "Show in File Manager"; onTriggered: chosen = "reveal" }
            VelkMenuItem { objectName: "trash"; text: "Move to Trash"; destructive: true; onTriggered: chosen = "trash" }
        }
    })");
    ASSERT_TRUE(root);
    QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(120, 80));
    QObject* menu = root->findChild<QObject*>(QStringLiteral("menu"));
    ASSERT_TRUE(menu);
    EXPECT_TRUE(test::waitFor([&] { return menu->property("opened").toBool(); }));
    auto* trash = find("trash");
    EXPECT_GE(trash->width(), trash->implicitWidth());
    click(trash);
    EXPECT_EQ(root->property("chosen").toString(), QStringLiteral("trash"));
    EXPECT_TRUE(test::waitFor([&] { return !menu->property("visible").toBool(); }));
}

} // namespace
} // namespace velk
