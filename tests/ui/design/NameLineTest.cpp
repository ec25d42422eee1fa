#include "ui/design/NameLine.h"

#include <gtest/gtest.h>

namespace velk::design {
namespace {

const QString kIsolate = QString(QChar(0x2066));
const QString kPop = QString(QChar(0x2069));

// Every character one unit wide, the ellipsis too.
qreal units(QStringView text)
{
    return qreal(text.size());
}

TEST(NameLine, ShorteningTakesAwayWholeCharactersOnly)
{
    struct Case {
        const char* name;
        qreal width;
        Qt::TextElideMode mode;
        const char* shown;
    };
    const Case cases[] = {
        {"plain.mov", 20, Qt::ElideRight, "plain.mov"},
        {"plain.mov", 5, Qt::ElideRight, "plai\u2026"},
        {"abcdefgh", 5, Qt::ElideMiddle, "ab\u2026gh"},
        {"abcdefgh", 0, Qt::ElideMiddle, "abcdefgh"},
        {"abcdefgh", 5, Qt::ElideNone, "abcdefgh"},
        // "x<U+202E>codb.exe" is 17 units: a written-out character stays
        // while the characters around it can make room, and goes whole,
        // never a part of it, when they cannot.
        {"x\u202Ecodb.exe", 9, Qt::ElideRight, "x\u2026"},
        {"x\u202Ecodb.exe", 10, Qt::ElideRight, "x<U+202E>\u2026"},
        // In the middle, the characters around it are cut first: in one place
        // when that is enough, else around it on both sides.
        {"/tmp/x/b/x\u202Ecodb.exe", 25, Qt::ElideMiddle, "/tmp\u2026/b/x<U+202E>codb.exe"},
        {"/tmp/x/b/x\u202Ecodb.exe", 17, Qt::ElideMiddle, "\u2026<U+202E>codb.exe"},
        {"/tmp/aaaa/x\u202Ecodb.exe-with-tail", 15, Qt::ElideMiddle, "/\u2026x<U+202E>c\u2026l"},
        {"/tmp/x/b/x\u202Ecodb.exe", 9, Qt::ElideMiddle, "/tmp\u2026.exe"},
        {"/tmp/x/b/x\u202Ecodb.exe", 26, Qt::ElideMiddle, "/tmp/x/b/x<U+202E>codb.exe"},
        {"a\tb\nc", 4, Qt::ElideRight, "a\\t\u2026"},
        {"a\tb\nc", 3, Qt::ElideRight, "a\u2026"},
        // A letter with its mark goes or stays as one.
        {"cafe\u0301s.txt", 5, Qt::ElideRight, "caf\u2026"},
        {"cafe\u0301s.txt", 6, Qt::ElideRight, "cafe\u0301\u2026"},
        // Nothing fits beside the ellipsis.
        {"abc", 0.5, Qt::ElideRight, "\u2026"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " in " + std::to_string(c.width));
        EXPECT_EQ(fittedLine(QString::fromUtf8(c.name), c.width, c.mode, units),
                  kIsolate + QString::fromUtf8(c.shown) + kPop);
    }
}

TEST(NameLine, ALineIsLaidOutLeftToRightWhateverItsFirstLetter)
{
    const QString hebrew = QString::fromUtf8("\u05D3\u05D5\u05D7 12.mov");
    EXPECT_EQ(shownLine(hebrew), kIsolate + hebrew + kPop);
    EXPECT_FALSE(shownLine(hebrew).isRightToLeft());
    EXPECT_EQ(shownLine(QString::fromUtf8("a\u2067b")), kIsolate + "a<U+2067>b" + kPop);
}

} // namespace
} // namespace velk::design
