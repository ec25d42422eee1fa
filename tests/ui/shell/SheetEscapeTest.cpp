#include "engine/cleaning/LargeFileFixture.h"
#include "engine/cleaning/LargeFilesViewModel.h"
#include "platform/core/Executor.h"
#include "support/FakeWorkspace.h"
#include "support/ManualExecutor.h"
#include "support/UpdateDouble.h"
#include "support/ui/ScreenFixture.h"
#include "ui/models/DesktopActions.h"
#include "ui/screens/dependencies/FileDependencyAnalysis.h"

#include <QSignalSpy>

namespace velk::test {
namespace {

// The sheets that Escape closes, each over the view that opens it: the
// legal reader over Settings; the scope sheet and the dependency sheet over
// Large Files, which has scanned a temporary tree with hand-stepped
// background work and whose analysis names a download address.
class SheetEscapeTest : public ScreenFixture {
protected:
    LargeFileTree tree;
    std::shared_ptr<ManualExecutor> executor = std::make_shared<ManualExecutor>();
    platform::core::ScopedService<platform::core::Executor> executorService{executor};
    models::DesktopActions desktop{std::make_shared<FakeWorkspace>()};
    cleaning::LargeFilesViewModel vm;
    UpdateDouble updates;

    SheetEscapeTest()
    {
        screens::FileDependencyAnalysis::setAnalyzer([](const QString& path) {
            inspection::FileDependencyReport report;
            report.path = path;
            report.downloadedFrom = {"https://example.com/disk.iso"};
            return report;
        });
        tree.file("Users/me/Downloads/disk.iso", 80 * 1024 * 1024);
    }

    ~SheetEscapeTest() override
    {
        item.reset();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        executor->runAll();
        screens::FileDependencyAnalysis::setAnalyzer({});
    }

    // Builds the view `type` unless it is up already.
    void show(const QByteArray& type, const char* name)
    {
        if (item && item->objectName() == QLatin1String(name))
            return;
        if (type == "SettingsView") {
            build(type, {{"updates", QVariant::fromValue(updates.controller.get())}}, "import Velk.Settings\n");
            return;
        }
        build(type, {{"viewModel", QVariant::fromValue(&vm)}, {"desktop", QVariant::fromValue(&desktop)}},
              "import Velk.Models\nimport Velk.LargeFiles\n");
        vm.scan({tree.home()});
        executor->runAll();
        settle();
    }

public:
    // Each opens its sheet (the test's table points at them).
    void openLegalReader()
    {
        show("SettingsView", "settings");
        click("settings.privacyRow");
    }
    void openScopeSheet()
    {
        show("LargeFilesView", "largeFiles");
        click("largeFiles.scan");
    }
    void openDependencySheet()
    {
        show("LargeFilesView", "largeFiles");
        const QString id = vm.items().at(0).id.toString(QUuid::WithoutBraces);
        click(findVisual(driver().find("largeFiles.row[" + id + "]"), "largeFiles.row.inspect"));
    }
};

// Escape closes each sheet as its Close (or Cancel) button does wherever the
// focus is in it: on the sheet itself, on a control reached by Tab, or in a
// text clicked to select it (a read-only text keeps the keys of the window's
// shortcuts from them while it has the focus). The owner's close hook runs
// once; it has run when the next opening shows the sheet again.
TEST_F(SheetEscapeTest, EscapeClosesEachSheetAsItsCloseButtonDoesWhereverTheFocusIs)
{
    const struct {
        const char* sheet;
        void (SheetEscapeTest::*open)();
        const char* closeButton;
        const char* focus;  // nothing: the sheet itself, as it opens
        bool clicked;       // else reached by Tab
    } cases[] = {
        {"settings.legalSheet", &SheetEscapeTest::openLegalReader, "legal.close", nullptr, false},
        {"settings.legalSheet", &SheetEscapeTest::openLegalReader, "legal.close", "legal.updated", true},
        {"settings.legalSheet", &SheetEscapeTest::openLegalReader, "legal.close", "legal.sectionBody", true},
        {"settings.legalSheet", &SheetEscapeTest::openLegalReader, "legal.close", "legal.close", false},
        {"largeFiles.scopeSheet", &SheetEscapeTest::openScopeSheet, "largeFiles.scope.cancel", "largeFiles.scope.tree", false},
        {"largeFiles.scopeSheet", &SheetEscapeTest::openScopeSheet, "largeFiles.scope.cancel", "largeFiles.scope.start", false},
        {"largeFiles.dependencies", &SheetEscapeTest::openDependencySheet, "largeFiles.dependencies.close",
            "largeFiles.dependencies.origin.text", true},
        {"largeFiles.dependencies", &SheetEscapeTest::openDependencySheet, "largeFiles.dependencies.close",
            "largeFiles.dependencies.reveal", false},
    };
    for (const auto& c : cases) {
        for (const bool escape : {true, false}) {
            SCOPED_TRACE(std::string(c.sheet) + ", focus on " + (c.focus ? c.focus : "the sheet")
                         + (escape ? ", Escape" : ", its button"));
            (this->*c.open)();
            auto* sheet = find<QObject>(c.sheet);
            ASSERT_TRUE(sheet);
            ASSERT_TRUE(waitFor([&] { return sheet->property("shown").toBool(); }));
            QQuickWindow* sheetWindow = sheetWindowOf(sheet);
            ASSERT_TRUE(QTest::qWaitForWindowExposed(sheetWindow));
            executor->runAll();
            QSignalSpy closed(sheet, SIGNAL(closed()));

            QQuickItem* focus = c.focus ? findIn(sheetWindow, c.focus) : sheetWindow->contentItem();
            if (c.focus && c.clicked)
                clickIn(sheetWindow, focus);
            else if (c.focus)
                focus->forceActiveFocus(Qt::TabFocusReason);
            ASSERT_TRUE(waitFor([&] {
                QQuickItem* now = sheetWindow->activeFocusItem();
                return QGuiApplication::focusWindow() == sheetWindow && (now == focus || (c.focus && focus->isAncestorOf(now)));
            }));
            if (escape)
                QTest::keyClick(sheetWindow, Qt::Key_Escape);
            else
                clickIn(sheetWindow, findIn(sheetWindow, c.closeButton));
            EXPECT_TRUE(waitFor([&] { return !sheetWindow->isVisible(); }));
            settle();
            EXPECT_FALSE(sheet->property("shown").toBool());
            EXPECT_EQ(closed.count(), 1);
        }
    }
}

} // namespace
} // namespace velk::test
