#include "QuickFixture.h"

#include "ui/design/ThemeManager.h"
#include "ui/design/VDS.h"

namespace velk::design {
namespace {

using Surfaces = test::QuickFixture;

QColor borderColour(QObject* rectangle)
{
    return rectangle->property("border").value<QObject*>()->property("color").value<QColor>();
}

TEST_F(Surfaces, CardPadsItsContentAndFollowsTheTheme)
{
    ThemeManager theme;
    theme.setCurrent(AppTheme::classic);
    QQuickItem* card = show(R"(VelkCard { Item { implicitWidth: 100; implicitHeight: 40 } })");
    ASSERT_TRUE(card);
    EXPECT_EQ(card->size(), QSizeF(142, 82));
    auto* background = card->property("background").value<QQuickItem*>();
    EXPECT_EQ(background->property("radius").toDouble(), 13);
    EXPECT_EQ(background->property("color").value<QColor>(), VDS::C::bgElevated());
    EXPECT_EQ(borderColour(background), VDS::C::border());
    theme.setCurrent(AppTheme::cyber);
    EXPECT_EQ(background->property("color").value<QColor>(), QColor(0x1E, 0x1C, 0x19));
    theme.setCurrent(AppTheme::classic);
}

TEST_F(Surfaces, DividerIsAFourPointLensShortenedByItsInset)
{
    show(R"(Item {
        width: 300; height: 100
        VelkMetallicDivider { objectName: "h"; width: 300; inset: 21 }
        VelkMetallicDivider { objectName: "v"; axis: VelkMetallicDivider.Vertical; height: 100 }
    })");
    auto* horizontal = find("h");
    EXPECT_EQ(horizontal->height(), 4);
    auto* rule = horizontal->findChild<QQuickItem*>("divider.rule");
    EXPECT_EQ(rule->width(), 258);
    EXPECT_EQ(rule->height(), 4);
    EXPECT_EQ(rule->x(), 21);
    auto* vertical = find("v");
    EXPECT_EQ(vertical->width(), 4);
    EXPECT_EQ(vertical->findChild<QQuickItem*>("divider.rule")->height(), 100);
}

TEST_F(Surfaces, GlassLayersTheTintAboveTheSurface)
{
    show(R"(Row {
        VelkGlass { objectName: "capsule"; capsule: true; tint: Qt.rgba(1, 0, 0, 0.1); Item { implicitWidth: 80; implicitHeight: 20 } }
        GlassMaterial { objectName: "material"; width: 50; height: 50 }
        GlassMaterial { objectName: "prominent"; intensity: GlassMaterial.Prominent; tint: "#00ff00"; width: 50; height: 50 }
    })");
    auto* capsule = find("capsule");
    auto* surface = capsule->findChild<QQuickItem*>("glass.surface");
    auto* tint = capsule->findChild<QQuickItem*>("glass.tint");
    EXPECT_EQ(surface->property("radius").toDouble(), 10);
    EXPECT_GT(tint->z() + tint->parentItem()->childItems().indexOf(tint),
        surface->z() + surface->parentItem()->childItems().indexOf(surface));
    EXPECT_NEAR(tint->property("color").value<QColor>().alphaF(), 0.1, 0.005);

    // Black at 0.22 under the intensity's opacity: 0.176 for the default.
    auto* shade = find("material")->findChild<QQuickItem*>("glass.shade");
    EXPECT_NEAR(shade->property("color").value<QColor>().alphaF() * shade->opacity(), 0.176, 0.002);
    EXPECT_FALSE(find("material")->findChild<QQuickItem*>("glass.tint")->isVisible());
    auto* prominentTint = find("prominent")->findChild<QQuickItem*>("glass.tint");
    EXPECT_TRUE(prominentTint->isVisible());
    EXPECT_NEAR(prominentTint->property("color").value<QColor>().alphaF(), 0.05, 0.005);
    EXPECT_NEAR(find("prominent")->findChild<QQuickItem*>("glass.shade")->opacity(), 0.95, 1e-6);
}

TEST_F(Surfaces, HeaderAndEmptyStateHideWhatTheyAreNotGiven)
{
    show(R"(Column {
        PageHeader { objectName: "bare"; width: 500; title: "Uninstaller" }
        PageHeader { objectName: "full"; width: 500; title: "Large Files"; subtitle: "Find"; Rectangle { implicitWidth: 40; implicitHeight: 34 } }
        VelkEmptyState { objectName: "empty"; width: 400; height: 300; icon: "trash"; title: "Nothing" }
    })");
    auto* bare = find("bare");
    EXPECT_FALSE(bare->findChild<QQuickItem*>("pageHeader.subtitle")->isVisible());
    EXPECT_FALSE(bare->findChild<QQuickItem*>("pageHeader.trailing")->isVisible());
    auto* full = find("full");
    auto* trailing = full->findChild<QQuickItem*>("pageHeader.trailing");
    EXPECT_TRUE(trailing->isVisible());
    // Trailing content hugs the right padding of 34.
    EXPECT_DOUBLE_EQ(trailing->mapToItem(full, QPointF(trailing->width(), 0)).x(), 500 - 34);
    EXPECT_EQ(full->findChild<QQuickItem*>("pageHeader.title")->mapToItem(full, QPointF()).x(), 34);

    auto* empty = find("empty");
    EXPECT_FALSE(empty->findChild<QQuickItem*>("emptyState.subtitle")->isVisible());
    auto* title = empty->findChild<QQuickItem*>("emptyState.title");
    EXPECT_NEAR(title->mapToItem(empty, QPointF(title->width() / 2, 0)).x(), 200, 0.5);
}

TEST_F(Surfaces, HeaderTrailingKeepsItsWidthAndBaseline)
{
    show(R"(Column {
        PageHeader {
            objectName: "tight"; width: 520; title: "Large Files"
            subtitle: "a subtitle far too long to fit beside the title and the controls"
            VelkSearchField { objectName: "search"; width: 148 }
            VelkPrimaryButton { text: "Scan" }
        }
        PageHeader {
            objectName: "mixed"; width: 520; title: "Processes"
            VelkBadge { objectName: "badge"; text: "3 listeners"; height: 20 }
            VelkTintedButton { objectName: "button"; text: "Terminate" }
        }
    })");
    // The subtitle gives way whole; the trailing controls keep their widths
    // and end at the right padding, at least 21 from the title.
    auto* tight = find("tight");
    auto* search = tight->findChild<QQuickItem*>("search");
    EXPECT_EQ(search->width(), 148);
    auto* trailing = tight->findChild<QQuickItem*>("pageHeader.trailing");
    EXPECT_NEAR(trailing->mapToItem(tight, QPointF(trailing->width(), 0)).x(), 520 - 34, 1); // layouts round to pixels
    auto* subtitle = tight->findChild<QQuickItem*>("pageHeader.subtitle");
    EXPECT_FALSE(subtitle->isVisible());
    auto* tightTitle = tight->findChild<QQuickItem*>("pageHeader.title");
    EXPECT_FALSE(tightTitle->property("truncated").toBool());
    EXPECT_GE(trailing->mapToItem(tight, QPointF()).x() - tightTitle->mapToItem(tight, QPointF(tightTitle->width(), 0)).x(),
        21 - 0.5);

    // Controls of different heights are centred on each other, and the row's
    // baseline is the first control's text baseline.
    auto* mixed = find("mixed");
    auto* badge = mixed->findChild<QQuickItem*>("badge");
    auto* button = mixed->findChild<QQuickItem*>("button");
    EXPECT_EQ(badge->height(), 20);
    EXPECT_NEAR(badge->mapToItem(mixed, QPointF(0, 10)).y(), button->mapToItem(mixed, QPointF(0, 17)).y(), 0.5);
    auto baseline = [&](QQuickItem* item) { return item->mapToItem(mixed, QPointF(0, item->baselineOffset())).y(); };
    auto* title = mixed->findChild<QQuickItem*>("pageHeader.title");
    EXPECT_NEAR(baseline(badge), baseline(title), 0.5);
    EXPECT_GT(badge->baselineOffset(), 0);
}

QStringList warningsSeen;

TEST_F(Surfaces, SectionTitleSitsInRowsAndFillsLayouts)
{
    warningsSeen.clear();
    const QtMessageHandler previous = qInstallMessageHandler(
        [](QtMsgType, const QMessageLogContext&, const QString& message) { warningsSeen << message; });
    show(R"(Column {
        Row { objectName: "row"; VelkTechSectionTitle { objectName: "inRow"; title: "Storage" } Text { objectName: "next"; text: "next" } }
        RowLayout { width: 300; VelkTechSectionTitle { objectName: "inLayout"; title: "Storage" } }
    })");
    auto* inRow = find("inRow");
    EXPECT_EQ(inRow->width(), inRow->implicitWidth());
    EXPECT_EQ(find("row")->width(), inRow->implicitWidth() + find("next")->width());
    EXPECT_EQ(find("inLayout")->width(), 300);
    EXPECT_TRUE(laidOut());
    qInstallMessageHandler(previous);
    EXPECT_TRUE(warningsSeen.filter("loop").isEmpty()) << warningsSeen.join('\n').toStdString();
}

TEST_F(Surfaces, FlowLayoutPlacesItsChildren)
{
    QQuickItem* flow = show(R"(FlowLayout {
        width: 100
        Repeater { model: 2; Rectangle { implicitWidth: 40; implicitHeight: 20 } }
        Rectangle { width: 40; height: 20 } // sized, not implicitly
    })");
    ASSERT_TRUE(flow);
    EXPECT_TRUE(test::waitFor([&] { return flow->implicitHeight() == 48; }));
    EXPECT_EQ(flow->implicitWidth(), 96);
    QList<QPointF> positions;
    for (QQuickItem* child : flow->childItems()) {
        if (child->inherits("QQuickRepeater"))
            continue;
        EXPECT_EQ(child->size(), QSizeF(40, 20));
        positions.append(child->position());
    }
    EXPECT_EQ(positions, (QList<QPointF> { { 0, 0 }, { 48, 0 }, { 0, 28 } }));
}

TEST_F(Surfaces, HoverCardPressedWhileHoveredPressesInAndActsOnce)
{
    QQuickItem* card = show(R"(HoverAnimatedCard {
        property int actions: 0
        onAction: actions++
        Rectangle { width: 120; height: 60 }
    })");
    ASSERT_TRUE(card);
    const QPoint centre = card->mapToScene(QPointF(60, 30)).toPoint();
    QTest::mouseMove(&window, centre);
    ASSERT_TRUE(test::waitFor([&] { return card->property("isHovered").toBool(); }));
    QTest::mousePress(&window, Qt::LeftButton, {}, centre);
    EXPECT_TRUE(card->property("isPressed").toBool());
    EXPECT_TRUE(test::waitFor([&] { return std::abs(card->property("effectiveScale").toDouble() - 0.985) < 1e-3; }));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, centre + QPoint(200, 0)); // released outside
    EXPECT_EQ(card->property("actions").toInt(), 1);
}

TEST_F(Surfaces, PageHeaderCutsTheSubtitleOnlyWhenShortOfRoomAndThenTheTitle)
{
    window.resize(900, 400);
    QQuickItem* root = show(R"(Column {
        Repeater {
            model: ["查找大体积文件", "Find large files", "管理已安装的应用与残留文件", "Remove apps and their leftover files",
                    "Scan caches, logs and the trash", "实时查看进程、端口与资源占用"]
            PageHeader { required property string modelData; width: 840; title: "Large Files"; subtitle: modelData }
        }
        PageHeader {
            objectName: "narrow"
            width: 380
            title: "Application Uninstaller"
            subtitle: "Remove apps"
            VelkSearchField { width: 120 }
            VelkPrimaryButton { text: "Scan" }
        }
    })");
    ASSERT_TRUE(root);
    QList<QQuickItem*> subtitles;
    const std::function<void(QQuickItem*)> collect = [&](QQuickItem* from) {
        for (QQuickItem* child : from->childItems()) {
            if (child->objectName() == QStringLiteral("pageHeader.subtitle"))
                subtitles.append(child);
            collect(child);
        }
    };
    collect(root);
    ASSERT_EQ(subtitles.size(), 7);
    for (int i = 0; i < 6; ++i) {
        EXPECT_FALSE(subtitles[i]->property("truncated").toBool()) << subtitles[i]->property("text").toString().toStdString();
        EXPECT_GE(subtitles[i]->width(), subtitles[i]->implicitWidth());
    }

    auto* narrow = find("narrow");
    QQuickItem* title = nullptr;
    for (auto* t : narrow->findChildren<QQuickItem*>(QStringLiteral("pageHeader.title")))
        title = t;
    auto* trailing = narrow->findChild<QQuickItem*>(QStringLiteral("pageHeader.trailing"));
    ASSERT_TRUE(title && trailing);
    EXPECT_TRUE(title->property("truncated").toBool());
    EXPECT_FALSE(subtitles[6]->isVisible());
    // The trailing controls keep their width and stay inside the header's padding.
    EXPECT_EQ(trailing->width(), trailing->implicitWidth());
    EXPECT_LE(trailing->mapToItem(narrow, QPointF(trailing->width(), 0)).x(), 380 - VDS::Space::l + 0.5);
}

TEST_F(Surfaces, SurfacesDecorateWithoutTakingPresses)
{
    QQuickItem* root = show(R"(Item {
        width: 500; height: 200
        property int clicks: 0
        MouseArea { anchors.fill: parent; onClicked: parent.clicks++ }
        Row {
            VelkCard { objectName: "card"; width: 100; height: 100 }
            VelkGlass { objectName: "glass"; width: 100; height: 100 }
            VelkTechPanel { objectName: "panel"; width: 100; height: 100 }
            GlassCard { objectName: "glassCard"; width: 100; height: 100 }
        }
    })");
    ASSERT_TRUE(root);
    int expected = 0;
    for (const char* name : {"card", "glass", "panel", "glassCard"}) {
        auto* surface = find(name);
        click(surface);
        click(surface, QPointF(5, 5));
        expected += 2;
        EXPECT_EQ(root->property("clicks").toInt(), expected) << name;
    }
}

TEST_F(Surfaces, EmptyStateWrapsItsTextsInANarrowFrame)
{
    QQuickItem* root = show(R"(Item {
        width: 260; height: 500
        VelkEmptyState {
            anchors.fill: parent
            icon: "doc.viewfinder"
            title: "No large files were found on this disk"
            subtitle: "Try a smaller minimum size or more scan locations, then scan again."
        }
    })");
    ASSERT_TRUE(root);
    const double room = 260 - 2 * VDS::Space::xl;
    for (const char* name : {"emptyState.title", "emptyState.subtitle"}) {
        auto* text = find(name);
        EXPECT_LE(text->width(), room) << name;
        EXPECT_GT(text->property("lineCount").toInt(), 1) << name;
        EXPECT_FALSE(text->property("truncated").toBool()) << name;
    }
}

TEST_F(Surfaces, HoverCardDoesNotFireAfterADragThatScrolledItsList)
{
    window.resize(300, 200);
    QQuickItem* root = show(R"(Flickable {
        width: 300; height: 200
        contentHeight: 1000
        property int actions: 0
        HoverAnimatedCard {
            objectName: "card"
            y: 20
            onAction: parent.parent.actions++
            Rectangle { width: 200; height: 100; color: VDS.C.bg2 }
        }
    })");
    ASSERT_TRUE(root);
    auto* card = find("card");
    click(card);
    EXPECT_EQ(root->property("actions").toInt(), 1);

    const QPoint start = card->mapToScene(QPointF(100, 50)).toPoint();
    QTest::mousePress(&window, Qt::LeftButton, {}, start);
    for (int step = 1; step <= 10; ++step)
        QTest::mouseMove(&window, start - QPoint(0, step * 12));
    QTest::mouseRelease(&window, Qt::LeftButton, {}, start - QPoint(0, 120));
    EXPECT_TRUE(test::waitFor([&] { return !root->property("moving").toBool(); }));
    EXPECT_GT(root->property("contentY").toDouble(), 0);
    EXPECT_EQ(root->property("actions").toInt(), 1);
}

} // namespace
} // namespace velk::design
