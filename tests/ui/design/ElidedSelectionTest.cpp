#include "ui/design/ElidedSelection.h"

#include <gtest/gtest.h>

namespace velk::design {
namespace {

TEST(ElidedSelection, ASelectionOfTheCutTextStandsForItsPartOfTheWholeText)
{
    const QString full = "/usr/lib/app/bin/tool";
    const QString shown = QString::fromUtf8("/usr/\u2026/tool");
    struct Case {
        qsizetype start, end;
        QString shown, source;
    };
    const Case cases[] = {
        {0, 11, shown, full},                         // all of it
        {-2, 99, shown, full},                        // clamped
        {7, 11, shown, "tool"},                       // after the ellipsis
        {0, 5, shown, "/usr/"},                       // before it
        {2, 9, shown, "sr/lib/app/bin/to"},           // across it
        {5, 6, shown, "lib/app/bin"},                 // the ellipsis alone
        {3, 3, shown, ""},
        {1, 4, full, "usr"},                          // not cut
        {0, 3, "abc", "abc"},                         // not a cut of the text
    };
    for (const Case& c : cases)
        EXPECT_EQ(elidedSelectionSource(full, c.shown, c.start, c.end), c.source) << c.start << "-" << c.end;
}

} // namespace
} // namespace velk::design
