#include "ui/design/ElidedSelection.h"

#include <gtest/gtest.h>

namespace velk::design {

TEST(ElidedSelection, ASelectionOfTheCutTextStandsForItsPartOfTheWholeText)
{
    const QString full = "/usr/lib/app/bin/tool";
    const QString shown = QString::fromUtf8("/usr/\u2026/tool");
    EXPECT_EQ(elidedSelectionSource(full, shown, 2, 9), "sr/lib/app/bin/to"); // across the ellipsis
    EXPECT_EQ(elidedSelectionSource(full, shown, 5, 6), "lib/app/bin");       // the ellipsis alone
    EXPECT_EQ(elidedSelectionSource(full, shown, -2, 99), full);
    EXPECT_EQ(elidedSelectionSource(full, "abc", 0, 3), "abc");               // not a cut of it
}

} // namespace velk::design
