#include "ui/design/QuickFixture.h"

namespace velk::test {
namespace {

// The golden-ratio containers as items: where they put their children.
class TwoPaneLayoutsTest : public QuickFixture {
protected:
    TwoPaneLayoutsTest()
    {
        window.resize(1200, 700);
    }

    QQuickItem* layout(const QByteArray& body)
    {
        QQuickItem* root = show("import Velk.Dashboard\n" + body);
        if (root) {
            EXPECT_TRUE(laidOut());
        }
        return root;
    }

    QQuickItem* child(int index) const { return item->childItems().value(index); }
};

TEST_F(TwoPaneLayoutsTest, GoldenSplitPlacesItsPanesAtTheirShares)
{
    ASSERT_TRUE(layout("GoldenSplit { width: 1000; Item { implicitHeight: 50 } Item { implicitHeight: 80 } }"));
    EXPECT_DOUBLE_EQ(child(0)->x(), 0);
    EXPECT_DOUBLE_EQ(child(0)->width(), 597.0208331323984);
    EXPECT_DOUBLE_EQ(child(1)->x(), 631.0208331323984);
    EXPECT_DOUBLE_EQ(child(1)->width(), 1000 - 631.0208331323984);
    // Each pane as tall as it wants; the split as tall as the taller.
    EXPECT_EQ(child(0)->height(), 50);
    EXPECT_EQ(child(1)->height(), 80);
    EXPECT_EQ(item->implicitHeight(), 80);

    // A pane that grows makes the split grow.
    child(0)->setImplicitHeight(130);
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(item->implicitHeight(), 130);
    EXPECT_EQ(child(0)->height(), 130);
}

TEST_F(TwoPaneLayoutsTest, GoldenSplitWithoutAWidthTakesTheWindowMinimum)
{
    ASSERT_TRUE(layout("GoldenSplit { spacing: 21; Item { implicitHeight: 10 } Item { implicitHeight: 5 } }"));
    EXPECT_EQ(item->width(), 987);
    EXPECT_DOUBLE_EQ(child(0)->width(), (987 - 21) * 0.6180339887498948);
    EXPECT_EQ(item->height(), 10);
}

TEST_F(TwoPaneLayoutsTest, NeitherLayoutPlacesOneOrThreeChildren)
{
    for (const QByteArray& type : { QByteArray("GoldenSplit"), QByteArray("AppShell") }) {
        ASSERT_TRUE(layout(type + " { width: 1000; height: 600; Item { x: 7; width: 3; height: 4 } }"));
        EXPECT_EQ(child(0)->x(), 7) << type.constData();
        EXPECT_EQ(child(0)->width(), 3) << type.constData();
        EXPECT_EQ(child(0)->height(), 4) << type.constData();

        ASSERT_TRUE(layout(type + " { width: 1000; height: 600; Item { x: 7; width: 3 } Item { x: 8; width: 3 } "
                                  "Item { x: 9; width: 3 } }"));
        for (int i = 0; i < 3; ++i) {
            EXPECT_EQ(child(i)->x(), 7 + i) << type.constData();
            EXPECT_EQ(child(i)->width(), 3) << type.constData();
        }
    }
    // An unsized split of one child measures nothing.
    ASSERT_TRUE(layout("GoldenSplit { Item { implicitWidth: 50; implicitHeight: 50 } }"));
    EXPECT_EQ(item->implicitWidth(), 0);
    EXPECT_EQ(item->implicitHeight(), 0);
}

TEST_F(TwoPaneLayoutsTest, AppShellIdealSizeAndPanes)
{
    ASSERT_TRUE(layout("AppShell { Item {} Item {} }"));
    EXPECT_EQ(item->implicitWidth(), 987);
    EXPECT_EQ(item->implicitHeight(), 610);
    EXPECT_EQ(child(0)->width(), 233);
    EXPECT_EQ(child(0)->height(), 610);
    EXPECT_EQ(child(1)->x(), 233);
    EXPECT_EQ(child(1)->width(), 987 - 233);

    item->setSize(QSizeF(200, 400));
    EXPECT_TRUE(laidOut());
    EXPECT_EQ(child(0)->width(), 233);
    EXPECT_EQ(child(1)->x(), 233);
    EXPECT_EQ(child(1)->width(), 0);
    EXPECT_EQ(child(1)->height(), 400);
}

} // namespace
} // namespace velk::test
