#include "services/update/UpdateCheck.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

namespace velk {
namespace {

using UpdateCheck::isNewer;
using UpdateCheck::parts;

QJsonObject object(const char* json)
{
    return QJsonDocument::fromJson(json).object();
}

TEST(UpdateVersions, PartsDropEmptyPiecesAndReadBadPiecesAsZero)
{
    EXPECT_EQ(parts("1.2.3"), (QList<qint64>{1, 2, 3}));
    EXPECT_EQ(parts("1..2"), (QList<qint64>{1, 2}));
    EXPECT_EQ(parts(".1.2."), (QList<qint64>{1, 2}));
    EXPECT_EQ(parts("1.2.3-beta"), (QList<qint64>{1, 2, 0}));
    EXPECT_EQ(parts("1.x.+4"), (QList<qint64>{1, 0, 4}));
    EXPECT_EQ(parts("1.99999999999999999999"), (QList<qint64>{1, 0}));
    EXPECT_EQ(parts("1. 2"), (QList<qint64>{1, 0}));
    EXPECT_EQ(parts("1.-"), (QList<qint64>{1, 0}));
    EXPECT_TRUE(parts("").isEmpty());
}

TEST(UpdateVersions, ComparisonIsNumericAndMissingPartsCountAsZero)
{
    struct Case {
        const char* candidate;
        const char* reference;
        bool newer;
    };
    const Case cases[] = {
        {"1.10", "1.9", true},   {"1.9", "1.10", false},  {"1.2", "1.2.0", false}, {"1.2.0", "1.2", false},
        {"2", "1.9.9", true},    {"1.2.3-beta", "1.2", false}, {"1.2.3-beta", "1.2.0", false},
        {"1", "", true},         {"", "0", false},        {"", "", false},         {"1.0.1", "1.0.0", true},
        {"1.0.0", "1.0.0", false}, {"0.9", "1", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(isNewer(c.candidate, c.reference), c.newer) << c.candidate << " vs " << c.reference;
}

TEST(UpdateVersions, NotesPreferNotesThenReleaseNotes)
{
    EXPECT_EQ(UpdateCheck::notes(object(R"({"notes":"n","releaseNotes":"r"})")), "n");
    EXPECT_EQ(UpdateCheck::notes(object(R"({"releaseNotes":["a","b"]})")), "a\nb");
    EXPECT_EQ(UpdateCheck::notes(object(R"({"notes":5,"releaseNotes":"x"})")), "x");
    EXPECT_EQ(UpdateCheck::notes(object(R"({"releaseNotes":["a",1]})")), "");
    EXPECT_EQ(UpdateCheck::notes(object(R"({"releaseNotes":[]})")), "");
    EXPECT_EQ(UpdateCheck::notes(object(R"({"version":"1"})")), "");
}

TEST(UpdateVersions, DecodeNeedsAnObjectWithTextVersionAndParsableURL)
{
    const auto offer = UpdateCheck::decode(R"({"version":"1.3.0","url":"https://h/a.dmg","notes":"n","x":1})");
    ASSERT_TRUE(offer);
    EXPECT_EQ(*offer, (AppUpdate{"1.3.0", QUrl("https://h/a.dmg"), "n"}));
    EXPECT_EQ(offer->id(), "1.3.0");

    for (const char* bad : {R"({"version":2,"url":"https://h/a.dmg"})", R"({"url":"https://h/a.dmg"})",
                            R"({"version":"1","url":5})", R"({"version":"1"})", R"({"version":"1","url":""})",
                            R"({"version":"1","url":"https://h/a b.dmg"})", R"({"version":"1","url":"http://[::1"})",
                            R"(["version","1"])", "not json", "", R"("text")"})
        EXPECT_FALSE(UpdateCheck::decode(bad)) << bad;
}

TEST(UpdateVersions, ParseReturnsOnlyNewerOffers)
{
    const QByteArray manifest = R"({"version":"1.4.0","url":"https://h/a.dmg"})";
    EXPECT_TRUE(UpdateCheck::parse(manifest, "1.3.9"));
    EXPECT_FALSE(UpdateCheck::parse(manifest, "1.4"));
    EXPECT_FALSE(UpdateCheck::parse(manifest, "1.5"));
    EXPECT_FALSE(UpdateCheck::parse("{", "0"));
}

TEST(UpdateVersions, LocalVersionIsTheBuildVersion)
{
    EXPECT_EQ(UpdateCheck::localVersion(), QStringLiteral(VELK_TEST_PROJECT_VERSION));
}

} // namespace
} // namespace velk
