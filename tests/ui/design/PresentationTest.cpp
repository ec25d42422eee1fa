#include "QuickFixture.h"
#include "support/QtPrinters.h"
#include "support/ui/AlertFit.h"
#include "support/ui/ItemDriver.h"

#include "ui/design/AlertPresentation.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>

namespace velk::test {
namespace {

using design::PresentationHost;

class PresentationTest : public QuickFixture {
protected:
    PresentationHost* alerts() { return PresentationHost::alertHost(&window); }

    // Two alerts and a sheet, each counting its closings and presses.
    QQuickItem* showOwners()
    {
        return show(R"(Item {
            id: owner
            width: 600; height: 400
            property int firstClosed: 0
            property int secondClosed: 0
            property int sheetClosed: 0
            property string pressed
            property bool confirming: false
            VelkAlert {
                objectName: "first"
                title: "Delete 3 items?"
                message: "This cannot be undone."
                presented: owner.confirming
                onClosed: { owner.firstClosed += 1; owner.confirming = false }
                AlertButton { text: "Cancel"; role: AlertButton.Cancel; onTriggered: pressed += "cancel;" }
                AlertButton { text: "Delete"; role: AlertButton.Destructive; onTriggered: pressed += "delete;" }
                AlertButton { text: "Keep"; role: AlertButton.Default; onTriggered: pressed += "keep;" }
            }
            VelkAlert {
                objectName: "second"
                title: "Failed"
                onClosed: owner.secondClosed += 1
                AlertButton { text: "OK"; onTriggered: pressed += "ok;" }
            }
            VelkTintedButton { objectName: "behind"; text: "Behind"; onClicked: owner.pressed += "behind;" }
            VelkSheet {
                objectName: "sheet"
                sheetWidth: 754; sheetHeight: 610
                onClosed: owner.sheetClosed += 1
                Rectangle { objectName: "sheet.content"; anchors.fill: parent; color: VDS.C.bg1 }
                MouseArea { objectName: "sheet.button"; width: 80; height: 30; onClicked: owner.pressed += "sheet;" }
                VelkTintedButton { objectName: "sheet.press"; y: 40; text: "Press"; onClicked: owner.pressed += "press;" }
                VelkAlert {
                    objectName: "sheetAlert"
                    title: "Inside"
                    AlertButton { text: "Fine"; onTriggered: owner.pressed += "fine;" }
                }
            }
        })");
    }

    design::AlertPresentation* alert(const char* name) { return find<design::AlertPresentation>(name); }
    int count(const char* name) const { return item->property(name).toInt(); }
    std::string pressed() const { return item->property("pressed").toString().toStdString(); }

    // A press through the accessibility interface, as a screen reader's.
    static void accessiblePress(QQuickItem* target)
    {
        QAccessibleInterface* iface = target ? QAccessible::queryAccessibleInterface(target) : nullptr;
        ASSERT_TRUE(iface && iface->actionInterface());
        iface->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
};

TEST_F(PresentationTest, AlertsDueTogetherQueueAndShowOneAtATime)
{
    ASSERT_TRUE(showOwners());
    item->setProperty("confirming", true);
    alert("second")->open();

    ASSERT_EQ(alerts()->current(), alert("first"));
    EXPECT_EQ(alerts()->title(), QStringLiteral("Delete 3 items?"));
    EXPECT_EQ(alerts()->message(), QStringLiteral("This cannot be undone."));
    EXPECT_EQ(alerts()->buttonTexts(), (QStringList{"Cancel", "Delete", "Keep"}));
    EXPECT_TRUE(alert("first")->shown());
    EXPECT_FALSE(alert("second")->shown());

    // The destructive button, clicked: its action, then the next alert.
    // Alerts are drawn over the whole window, not inside their owner.
    auto* del = findVisual(window.contentItem(), QStringLiteral("alert.button.1"));
    ASSERT_TRUE(del);
    EXPECT_TRUE(waitFor([&] { return del->isVisible() && del->width() > 0; }));
    click(del);
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("delete;"));
    EXPECT_EQ(count("firstClosed"), 1);
    EXPECT_FALSE(item->property("confirming").toBool());
    ASSERT_EQ(alerts()->current(), alert("second"));
    EXPECT_EQ(alerts()->buttonTexts(), QStringList{"OK"});

    alert("second")->pressDefault();   // the only button answers Return
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("delete;ok;"));
    EXPECT_EQ(count("secondClosed"), 1);
    EXPECT_EQ(alerts()->current(), nullptr);
    EXPECT_TRUE(alerts()->title().isEmpty());
}

TEST_F(PresentationTest, TestsAndScriptsReadAndPressTheAlertOnScreenByItsTexts)
{
    ASSERT_TRUE(showOwners());
    const ItemDriver driver(window);
    EXPECT_TRUE(driver.alertTitle().isEmpty());
    EXPECT_TRUE(driver.alertButtons().isEmpty());
    EXPECT_FALSE(driver.pressAlert("Delete"));

    item->setProperty("confirming", true);
    EXPECT_TRUE(waitFor([&] { return driver.alertButtons().size() == 3; }));
    EXPECT_EQ(driver.alertTitle(), QStringLiteral("Delete 3 items?"));
    EXPECT_EQ(ItemDriver::text(driver.alertButtons().at(2)), QStringLiteral("Keep"));
    EXPECT_FALSE(driver.pressAlert("Remove"));
    EXPECT_TRUE(driver.pressAlert("Keep"));
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("keep;"));
    EXPECT_TRUE(waitFor([&] { return driver.alertButtons().isEmpty(); }));
}

TEST_F(PresentationTest, TestsAndScriptsReachTheItemsAndAlertsOfAnOpenSheet)
{
    ASSERT_TRUE(showOwners());
    const ItemDriver driver(window);
    auto* sheet = find<design::Presentation>("sheet");
    QQuickWindow* sheetWindow = ItemDriver::sheetWindowOf(sheet);
    ASSERT_TRUE(sheetWindow);
    EXPECT_EQ(&driver.topWindow(), &window);

    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    EXPECT_EQ(driver.windows(), (QList<QQuickWindow*>{&window, sheetWindow}));
    EXPECT_EQ(&driver.topWindow(), sheetWindow);
    QQuickItem* button = driver.find("sheet.button");
    ASSERT_TRUE(button);
    EXPECT_EQ(button->window(), sheetWindow);
    driver.click(button);
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("sheet;"));

    const QJsonArray dump = driver.dump();
    const auto named = [&](const QString& name) {
        for (const QJsonValue& entry : dump)
            if (entry.toObject().value("name").toString() == name)
                return entry.toObject();
        return QJsonObject();
    };
    const QJsonObject entry = named("sheet.button");
    EXPECT_EQ(entry.value("window").toString(), QStringLiteral("sheet"));
    EXPECT_EQ(entry.value("geometry").toArray(), (QJsonArray{0, 0, 80, 30}));

    find<design::Presentation>("sheetAlert")->open();
    EXPECT_TRUE(waitFor([&] { return driver.alertButtons().size() == 1; }));
    EXPECT_EQ(driver.alertTitle(), QStringLiteral("Inside"));
    EXPECT_TRUE(driver.pressAlert("Fine"));
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("sheet;fine;"));

    driver.key(Qt::Key_Escape);   // goes to the sheet, which closes
    EXPECT_FALSE(sheetWindow->isVisible());
    EXPECT_EQ(&driver.topWindow(), &window);
    EXPECT_FALSE(driver.find("sheet.button"));   // a closed sheet is out of reach
}

TEST_F(PresentationTest, EscapeCancelsAndReturnPressesTheDefault)
{
    ASSERT_TRUE(showOwners());
    item->setProperty("confirming", true);
    window.requestActivate();
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("cancel;"));
    EXPECT_EQ(count("firstClosed"), 1);

    item->setProperty("confirming", true);
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("cancel;keep;"));
    EXPECT_EQ(count("firstClosed"), 2);

    // No key reaches an alert that is not shown.
    QTest::keyClick(&window, Qt::Key_Return);
    EXPECT_EQ(count("firstClosed"), 2);
}

TEST_F(PresentationTest, EveryWayOfClosingRunsTheHookOnce)
{
    ASSERT_TRUE(showOwners());
    auto* first = alert("first");
    auto* second = alert("second");

    // Withdrawn by the owner while shown.
    item->setProperty("confirming", true);
    item->setProperty("confirming", false);
    EXPECT_EQ(count("firstClosed"), 1);

    // Withdrawn while still waiting behind another: never shown, no hook.
    item->setProperty("confirming", true);
    second->open();
    second->setPresented(false);
    EXPECT_EQ(count("secondClosed"), 0);

    // An action that withdraws its own alert still closes it once.
    QObject::connect(first->buttonList().at(0), &design::AlertButton::triggered, first,
                     [first] { first->setPresented(false); });
    first->pressCancel();
    EXPECT_EQ(count("firstClosed"), 2);
    first->press(0);   // no longer shown: nothing happens
    EXPECT_EQ(count("firstClosed"), 2);

    // Removed from the window while shown.
    second->open();
    ASSERT_EQ(alerts()->current(), second);
    second->setParentItem(nullptr);
    EXPECT_EQ(count("secondClosed"), 1);
    EXPECT_EQ(alerts()->current(), nullptr);
}

TEST_F(PresentationTest, SheetsAreModalWindowsCentredOverTheirWindowAndNeverClipped)
{
    window.resize(610, 754);
    window.setPosition(100, 50);
    ASSERT_TRUE(showOwners());
    auto* sheet = find<design::Presentation>("sheet");
    auto* sheetWindow = sheet->property("sheetWindow").value<QQuickWindow*>();
    ASSERT_TRUE(sheetWindow);
    EXPECT_FALSE(sheetWindow->isVisible());

    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    EXPECT_EQ(PresentationHost::sheetHost(&window)->current(), sheet);
    EXPECT_EQ(sheetWindow->transientParent(), &window);
    EXPECT_EQ(sheetWindow->modality(), Qt::WindowModal);
    EXPECT_EQ(sheetWindow->size(), QSize(754, 610));
    EXPECT_EQ(sheetWindow->x() + sheetWindow->width() / 2, window.x() + window.width() / 2);
    EXPECT_EQ(sheetWindow->y() + sheetWindow->height() / 2, window.y() + window.height() / 2);
    auto* content = findVisual(sheetWindow->contentItem(), QStringLiteral("sheet.content"));
    ASSERT_TRUE(content);
    EXPECT_EQ(content->width(), 754);

    QTest::keyClick(sheetWindow, Qt::Key_Escape);
    EXPECT_FALSE(sheetWindow->isVisible());
    EXPECT_EQ(count("sheetClosed"), 1);

    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    sheetWindow->close();   // the window's own close button
    EXPECT_FALSE(sheet->presented());
    EXPECT_EQ(count("sheetClosed"), 2);
}

TEST_F(PresentationTest, AnAlertRaisedWhileASheetIsUpShowsOverTheSheet)
{
    ASSERT_TRUE(showOwners());
    auto* sheet = find<design::Presentation>("sheet");
    auto* sheetWindow = sheet->property("sheetWindow").value<QQuickWindow*>();
    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    const ItemDriver onSheet(*sheetWindow);
    const ItemDriver onWindow(window);
    // As for a pointer, a press through the accessibility interface reaches
    // the sheet, not the window under it.
    QQuickItem* behind = onWindow.find(QStringLiteral("behind"));
    QQuickItem* onSheetPress = onSheet.find(QStringLiteral("sheet.press"));
    accessiblePress(behind);
    accessiblePress(onSheetPress);
    EXPECT_EQ(pressed(), "press;");

    // On the sheet's window, with its keys: Escape cancels the alert and
    // leaves the sheet open. While it stands, the sheet under it takes no
    // press.
    item->setProperty("confirming", true);
    EXPECT_EQ(PresentationHost::alertHost(sheetWindow)->current(), alert("first"));
    EXPECT_EQ(alert("first")->hostWindow(), sheetWindow);
    EXPECT_EQ(alerts()->current(), nullptr);
    EXPECT_TRUE(waitFor([&] { return onSheet.alertTitle() == QStringLiteral("Delete 3 items?"); }));
    // A driver of the window reaches it too, on the sheet's window.
    EXPECT_EQ(onWindow.alertTitle(), QStringLiteral("Delete 3 items?"));
    EXPECT_EQ(onWindow.find(QStringLiteral("alert.title"))->window(), sheetWindow);
    accessiblePress(onSheetPress);
    sheetWindow->requestActivate();
    QTest::keyClick(sheetWindow, Qt::Key_Escape);
    EXPECT_EQ(pressed(), "press;cancel;");
    EXPECT_TRUE(sheet->shown());
    EXPECT_EQ(count("sheetClosed"), 0);

    // The sheet closes under a standing alert: it moves back to the window,
    // still shown, and has not closed.
    alert("second")->open();
    EXPECT_TRUE(waitFor([&] { return onSheet.alertTitle() == QStringLiteral("Failed"); }));
    sheet->dismiss();
    EXPECT_EQ(alerts()->current(), alert("second"));
    EXPECT_TRUE(alert("second")->shown());
    EXPECT_EQ(count("secondClosed"), 0);
    EXPECT_TRUE(waitFor([&] { return onWindow.alertTitle() == QStringLiteral("Failed"); }));
    // The alert's own button takes a press; the window, once it is gone.
    accessiblePress(behind);
    accessiblePress(onWindow.alertButtons().value(0));
    EXPECT_EQ(count("secondClosed"), 1);
    accessiblePress(behind);
    EXPECT_EQ(pressed(), "press;cancel;ok;behind;");
}

// However long its message, an alert keeps its title and buttons inside the
// window it is shown on, the main window or a sheet's: the message scrolls
// by wheel and keys, and each showing opens at its top.
TEST_F(PresentationTest, ALongMessageScrollsBetweenTheTitleAndTheButtons)
{
    window.resize(987, 650);
    ASSERT_TRUE(show(R"(Item {
        id: owner
        property string pressed
        property string message
        VelkAlert {
            objectName: "long"
            title: "Some Files Could Not Be Deleted"
            message: owner.message
            AlertButton { text: "Cancel"; role: AlertButton.Cancel; onTriggered: owner.pressed += "cancel;" }
            AlertButton { text: "OK"; role: AlertButton.Default; onTriggered: owner.pressed += "ok;" }
        }
        VelkSheet {
            objectName: "sheet"
            VelkAlert {
                objectName: "sheetAlert"
                title: "Inside"
                message: owner.message
                AlertButton { text: "Fine" }
            }
        }
    })"));
    QStringList lines;
    for (int i = 1; i <= 160; ++i)
        lines << QStringLiteral("~/Movies/2024/wedding-raw/clip-%1.mov: permission denied").arg(i, 4, 10, QChar(u'0'));
    item->setProperty("message", lines.join(u'\n'));
    const ItemDriver driver(window);
    const auto key = [&](Qt::Key pressed) { QTest::keyClick(&window, pressed); };
    const auto contentY = [&] { return alertMessageScroll(driver)->property("contentY").toReal(); };
    const auto bottom = [&] {
        QQuickItem* scroll = alertMessageScroll(driver);
        return scroll->property("contentHeight").toReal() - scroll->height();
    };

    alert("long")->open();
    ASSERT_TRUE(waitFor([&] { return driver.alertButtons().size() == 2; }));
    EXPECT_GE(driver.find("alert.message")->implicitHeight(), 3 * window.height());
    EXPECT_TRUE(alertInsideItsWindow(driver));
    EXPECT_TRUE(alertMessageScrolls(driver));
    // A window resized under it keeps it inside, without a warning.
    for (const QSize size : {QSize(700, 420), QSize(987, 650)}) {
        window.resize(size);
        ASSERT_TRUE(waitFor([&] { return window.size() == size && laidOut(); }));
        EXPECT_TRUE(alertInsideItsWindow(driver)) << size.height();
    }

    // The keys: a line, a page, either end.
    window.requestActivate();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    key(Qt::Key_Home);
    EXPECT_EQ(contentY(), 0);
    key(Qt::Key_Down);
    const qreal line = contentY();
    EXPECT_GT(line, 0);
    key(Qt::Key_PageDown);
    EXPECT_GT(contentY(), 3 * line);
    key(Qt::Key_End);
    EXPECT_EQ(contentY(), bottom());
    key(Qt::Key_Up);
    EXPECT_EQ(contentY(), bottom() - line);

    // Escape still cancels; shown again, the message starts at its top, and
    // Return presses the default button.
    key(Qt::Key_Escape);
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("cancel;"));
    alert("long")->open();
    ASSERT_TRUE(waitFor([&] { return driver.alertButtons().size() == 2; }));
    EXPECT_EQ(contentY(), 0);
    key(Qt::Key_Return);
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("cancel;ok;"));

    // Each button, clicked where it is drawn, closes the alert.
    for (const char* label : {"Cancel", "OK"}) {
        alert("long")->open();
        ASSERT_TRUE(waitFor([&] { return driver.alertButtons().size() == 2; }));
        EXPECT_TRUE(alertInsideItsWindow(driver));
        EXPECT_TRUE(driver.pressAlert(QString::fromLatin1(label)));
        EXPECT_TRUE(waitFor([&] { return driver.alertButtons().isEmpty(); })) << label;
    }
    EXPECT_EQ(item->property("pressed").toString(), QStringLiteral("cancel;ok;cancel;ok;"));

    // Over a sheet smaller than the window, inside the sheet's window.
    auto* sheet = find<design::Presentation>("sheet");
    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(ItemDriver::sheetWindowOf(sheet)));
    alert("sheetAlert")->open();
    ASSERT_TRUE(waitFor([&] { return driver.alertTitle() == QStringLiteral("Inside"); }));
    EXPECT_TRUE(alertInsideItsWindow(driver));
    EXPECT_TRUE(alertMessageScrolls(driver));
    EXPECT_TRUE(driver.pressAlert(QStringLiteral("Fine")));
}

} // namespace
TEST_F(PresentationTest, AlertButtonsShowTheirWholeLabelsInBothLanguages)
{
    ASSERT_TRUE(show(R"(Item {
        id: owner
        width: 600; height: 400
        property string cancel
        property string action
        VelkAlert {
            objectName: "confirm"
            title: "?"
            AlertButton { text: owner.cancel; role: AlertButton.Cancel }
            AlertButton { text: owner.action; role: AlertButton.Destructive }
        }
    })"));
    alert("confirm")->open();
    const std::pair<const char*, const char*> labels[] = {
        {"Cancel", "Delete Permanently"}, {"Cancel", "Move to Trash"}, {"Cancel", "OK"},
        {"取消", "永久删除"}, {"取消", "移至废纸篓"}};
    for (const auto& [cancel, action] : labels) {
        item->setProperty("cancel", QString::fromUtf8(cancel));
        item->setProperty("action", QString::fromUtf8(action));
        const QList<QQuickItem*> buttons = ItemDriver(window).alertButtons();
        ASSERT_EQ(buttons.size(), 2);
        // The layout settles with the next frame.
        const auto whole = [](QQuickItem* button) {
            return button->width() >= button->implicitWidth()
                   && !button->property("contentItem").value<QQuickItem*>()->property("truncated").toBool();
        };
        EXPECT_TRUE(waitFor([&] { return whole(buttons[0]) && whole(buttons[1]); })) << action;
        // Inside the alert: side by side or one under another.
        QQuickItem* row = ItemDriver(window).find(QStringLiteral("alert.buttons"));
        for (QQuickItem* button : buttons)
            EXPECT_LE(button->mapToItem(row, {button->width(), 0}).x(), row->width()) << action;
    }
}

// A sheet shown again starts at its top, wherever it was left.
TEST_F(PresentationTest, ASheetOpensScrolledToItsTop)
{
    ASSERT_TRUE(show(R"(Item {
        VelkSheet {
            objectName: "sheet"
            sheetWidth: 400; sheetHeight: 300
            Flickable {
                objectName: "sheet.scroller"
                anchors.fill: parent
                contentHeight: 2000
                Rectangle { width: 400; height: 2000; color: VDS.C.bg2 }
            }
        }
    })"));
    auto* sheet = find<design::Presentation>("sheet");
    auto* sheetWindow = sheet->property("sheetWindow").value<QQuickWindow*>();
    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    QQuickItem* scroller = findVisual(sheetWindow->contentItem(), QStringLiteral("sheet.scroller"));
    ASSERT_TRUE(scroller);
    scroller->setProperty("contentY", 900);
    sheet->dismiss();
    sheet->open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
    EXPECT_EQ(scroller->property("contentY").toDouble(), 0);
}

} // namespace velk::test
