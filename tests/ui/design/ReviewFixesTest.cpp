#include "QuickFixture.h"

#include "ui/design/ThemeManager.h"
#include "ui/design/VDS.h"

#include <QFontInfo>

namespace velk {
namespace {

using Fixes = test::QuickFixture;

TEST_F(Fixes, PageHeaderCutsTheSubtitleOnlyWhenShortOfRoomAndThenTheTitle)
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

TEST_F(Fixes, ButtonLabelsStayCentredAndAreCutShortInsteadOfOverflowing)
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

TEST_F(Fixes, SurfacesDecorateWithoutTakingPresses)
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

TEST_F(Fixes, EmptyStateWrapsItsTextsInANarrowFrame)
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

TEST_F(Fixes, HoverCardDoesNotFireAfterADragThatScrolledItsList)
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

TEST_F(Fixes, SmallDetailsOfTheReview)
{
    ThemeManager theme;
    theme.setCurrent(AppTheme::classic);
    QQuickItem* root = show(R"(Row {
        VelkSearchField { objectName: "search"; placeholder: "Search" }
        GlassButton { objectName: "glass"; text: "Go"; down: true }
    })");
    ASSERT_TRUE(root);
    auto* search = find("search");
    auto* input = search->findChild<QQuickItem*>(QStringLiteral("searchField.input"));
    ASSERT_TRUE(input);
    EXPECT_EQ(input->property("placeholderTextColor").value<QColor>(), VDS::C::text3());

    // The pressed highlight stays inside the border.
    auto* brighten = find<QQuickItem>("glassButton.brighten");
    auto* background = brighten->parentItem();
    const double border = background->property("border").value<QObject*>()->property("width").toDouble();
    EXPECT_DOUBLE_EQ(brighten->x(), border);
    EXPECT_DOUBLE_EQ(brighten->width(), background->width() - 2 * border);

    // Medium and semibold are faces of their own, not regular and bold.
    QFont medium = VDS::body();
    medium.setWeight(QFont::Medium);
    EXPECT_EQ(QFontInfo(medium).weight(), QFont::Medium);
}

} // namespace
} // namespace velk
