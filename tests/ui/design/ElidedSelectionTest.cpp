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
    const QString line = QChar(0x2066) + shown + QChar(0x2069);                // as a line shows it
    EXPECT_EQ(elidedSelectionSource(full, line, 3, 10), "sr/lib/app/bin/to");
    EXPECT_EQ(elidedSelectionSource(full, line, 0, line.size()), full);

    // The text shown for a name writes out what would act on the text; a
    // copy gives the name's own characters.
    const QString odd = QString::fromUtf8("/tmp/a\u202Eb\nc/tool");
    EXPECT_EQ(elidedSelectionSource(odd, "/tmp/a<U+202E>b\\nc/tool", 0, 99), odd);
    EXPECT_EQ(elidedSelectionSource(odd, "/tmp/a<U+202E>b\\nc/tool", 8, 16), QString::fromUtf8("\u202Eb\n"));
    EXPECT_EQ(elidedSelectionSource(odd, QString::fromUtf8("/tmp/a<U\u2026tool"), 3, 9), QString::fromUtf8("p/a\u202Eb\nc/"));

    // Cut in two places around a written-out character.
    const QString twice = QString::fromUtf8("/tmp/aaaa/x\u202Ecodb.exe-with-tail");
    const QString cut = QString::fromUtf8("/\u2026x<U+202E>c\u2026l");
    EXPECT_EQ(elidedSelectionSource(twice, cut, 0, cut.size()), twice);
    EXPECT_EQ(elidedSelectionSource(twice, cut, 2, 12), QString::fromUtf8("x\u202Ec"));
    EXPECT_EQ(elidedSelectionSource(twice, cut, 11, 13), "codb.exe-with-tai");
}

} // namespace velk::design
