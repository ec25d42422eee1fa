#include "platform/plist/PropertyList.h"
#include "support/TempTree.h"

#include <QDateTime>
#include <QRandomGenerator>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace velk::platform;

namespace {

QByteArray xmlPlist(const QByteArray& body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
           "<plist version=\"1.0\">\n"
        + body + "\n</plist>\n";
}

// Writes binary property lists object by object, so tests can shape every
// offset and reference themselves.
class BinaryWriter {
public:
    explicit BinaryWriter(int refSize = 1) : m_refSize(refSize) {}

    int add(const QByteArray& encoded)
    {
        m_objects.append(encoded);
        return int(m_objects.size()) - 1;
    }
    static QByteArray marker(int kind, quint64 count)
    {
        QByteArray out;
        if (count < 15) {
            out.append(char((kind << 4) | int(count)));
        } else {
            out.append(char((kind << 4) | 0x0F));
            out.append(char(0x13));
            out.append(be(count, 8));
        }
        return out;
    }
    static QByteArray be(quint64 v, int width)
    {
        QByteArray out(width, '\0');
        for (int i = width - 1; i >= 0; --i, v >>= 8)
            out[i] = char(v & 0xFF);
        return out;
    }
    int ascii(const QByteArray& s) { return add(marker(0x5, quint64(s.size())) + s); }
    int integer(quint64 v) { return add(QByteArray(1, char(0x13)) + be(v, 8)); }
    QByteArray refs(std::initializer_list<int> objects) const
    {
        QByteArray out;
        for (int o : objects)
            out.append(be(quint64(o), m_refSize));
        return out;
    }
    int array(std::initializer_list<int> items) { return add(marker(0xA, items.size()) + refs(items)); }
    int dict(std::initializer_list<int> keys, std::initializer_list<int> values)
    {
        return add(marker(0xD, keys.size()) + refs(keys) + refs(values));
    }
    void set(int index, const QByteArray& encoded) { m_objects[index] = encoded; }

    QByteArray build(int top) const
    {
        QByteArray out("bplist00");
        QList<quint64> offsets;
        for (const QByteArray& o : m_objects) {
            offsets.append(quint64(out.size()));
            out.append(o);
        }
        const quint64 table = quint64(out.size());
        for (quint64 off : offsets)
            out.append(be(off, 4));
        out.append(QByteArray(6, '\0'));
        out.append(char(4));
        out.append(char(m_refSize));
        out.append(be(quint64(m_objects.size()), 8));
        out.append(be(quint64(top), 8));
        out.append(be(table, 8));
        return out;
    }

private:
    int m_refSize;
    QList<QByteArray> m_objects;
};

QByteArray nestedXml(int depth)
{
    return xmlPlist(QByteArray("<array>").repeated(depth) + QByteArray("</array>").repeated(depth));
}

} // namespace

TEST(PropertyListTest, XmlGivesEveryKindOfValue)
{
    const auto v = plist::parse(xmlPlist(R"(<dict>
        <key>CFBundleIdentifier</key><string>com.example.Foo</string>
        <key>Count</key><integer>-42</integer>
        <key>Big</key><integer>18446744073709551615</integer>
        <key>Ratio</key><real>2.5</real>
        <key>On</key><true/>
        <key>Off</key><false/>
        <key>When</key><date>2024-03-01T12:00:00Z</date>
        <key>Blob</key><data>
            aGVs
            bG8=
        </data>
        <key>List</key><array><string>a &amp; b</string><dict/><array/></array>
        <key>Empty</key><string/>
    </dict>)"));
    ASSERT_TRUE(v);
    const QVariantMap map = v->toMap();
    EXPECT_EQ(map.value("CFBundleIdentifier").toString(), "com.example.Foo");
    EXPECT_EQ(map.value("Count").toLongLong(), -42);
    EXPECT_EQ(map.value("Big").toULongLong(), 18446744073709551615ULL);
    EXPECT_EQ(map.value("Ratio").toDouble(), 2.5);
    EXPECT_TRUE(map.value("On").toBool());
    EXPECT_EQ(map.value("Off").typeId(), QMetaType::Bool);
    EXPECT_EQ(map.value("When").toDateTime(), QDateTime(QDate(2024, 3, 1), QTime(12, 0), Qt::UTC));
    EXPECT_EQ(map.value("Blob").toByteArray(), "hello");
    const QVariantList list = map.value("List").toList();
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].toString(), "a & b");
    EXPECT_EQ(list[1].typeId(), QMetaType::QVariantMap);
    EXPECT_EQ(list[2].typeId(), QMetaType::QVariantList);
    EXPECT_EQ(map.value("Empty").toString(), "");
    EXPECT_EQ(plist::toCompactJson(map.value("List")), R"(["a & b",{},[]])");
}

TEST(PropertyListTest, MalformedXmlGivesNoValue)
{
    const QByteArray broken[] = {
        "",
        "<plist version=\"1.0\"></plist>",
        "<plist><string>a</string><string>b</string></plist>",
        "<plist><dict><key>a</key></dict></plist>",
        "<plist><dict><string>no key</string></dict></plist>",
        "<plist><dict><key>a</key><key>b</key><true/></dict></plist>",
        "<plist><array><key>a</key></array></plist>",
        "<plist><integer>12x</integer></plist>",
        "<plist><integer>-9223372036854775809</integer></plist>",
        "<plist><integer></integer></plist>",
        "<plist><real>fast</real></plist>",
        "<plist><date>yesterday</date></plist>",
        "<plist><data>!!!!</data></plist>",
        "<plist><true>yes</true></plist>",
        "<plist><string><b>bold</b></string></plist>",
        "<plist><widget/></plist>",
        "<plist>loose text<true/></plist>",
        "<plist><dict><key>a</key><true/></plist>",
        "<plist><array><true/></array></plist><true/>",
        "<plist><plist><true/></plist></plist>",
    };
    for (const QByteArray& text : broken)
        EXPECT_FALSE(plist::parse(text)) << text.constData();
    // Entities that would expand to gigabytes, in text or as declarations.
    const QByteArray e = "<!DOCTYPE plist [<!ENTITY e \"" + QByteArray(4000, 'x') + "\">";
    EXPECT_FALSE(plist::parse(e + "]><plist><string>" + QByteArray("&e;").repeated(2000000) + "</string></plist>"));
    EXPECT_FALSE(
        plist::parse(e + "<!ENTITY % p '" + e.mid(17) + "'>" + QByteArray(" %p;").repeated(1000000) + "]><true/>"));
    EXPECT_EQ(plist::parse(e + "]><plist><string>&e;&e;</string></plist>")->toString().size(), 8000);
    EXPECT_EQ(plist::parse("<plist><integer>0x1F</integer></plist>")->toLongLong(), 31);
    EXPECT_EQ(plist::parse("<true/>")->toBool(), true);  // no wrapper is accepted
}

TEST(PropertyListTest, NestingIsCappedWithoutExhaustingTheStack)
{
    EXPECT_TRUE(plist::parse(nestedXml(plist::kMaxDepth)));
    EXPECT_FALSE(plist::parse(nestedXml(plist::kMaxDepth + 1)));
    EXPECT_FALSE(plist::parse(nestedXml(100000)));

    // A binary chain of arrays 100,000 deep, each holding the next.
    BinaryWriter deep(4);
    for (int i = 0; i < 100000; ++i)
        deep.add(BinaryWriter::marker(0xA, 1) + BinaryWriter::be(quint64(i + 1), 4));
    deep.add(QByteArray(1, char(0x09)));
    EXPECT_FALSE(plist::parse(deep.build(0)));
    EXPECT_TRUE(plist::parse(deep.build(100000 - plist::kMaxDepth)));
}

TEST(PropertyListTest, BinaryGivesEveryKindOfValue)
{
    BinaryWriter w;
    const int keyId = w.ascii("CFBundleIdentifier");
    const int id = w.ascii("com.example.Foo");
    const int keyList = w.ascii("List");
    const int wide = w.add(QByteArray::fromHex("62") + QByteArray::fromHex("4e2d6587"));  // "中文"
    const int negative = w.integer(quint64(-7));
    const int big = w.add(QByteArray::fromHex("14") + QByteArray(8, '\0') + QByteArray::fromHex("ffffffffffffffff"));
    const int real = w.add(QByteArray::fromHex("23") + QByteArray::fromHex("4004000000000000"));  // 2.5
    const int date = w.add(QByteArray::fromHex("33") + QByteArray(8, '\0'));  // the 2001 epoch
    const int data = w.add(QByteArray::fromHex("43") + "abc");
    const int uid = w.add(QByteArray::fromHex("8005"));
    const int yes = w.add(QByteArray::fromHex("09"));
    const int list = w.array({wide, negative, big, real, date, data, uid, yes, id});
    const int top = w.dict({keyId, keyList}, {id, list});
    const auto v = plist::parse(w.build(top));
    ASSERT_TRUE(v);
    const QVariantMap map = v->toMap();
    EXPECT_EQ(map.value("CFBundleIdentifier").toString(), "com.example.Foo");
    const QVariantList l = map.value("List").toList();
    ASSERT_EQ(l.size(), 9);
    EXPECT_EQ(l[0].toString(), QString::fromUtf8("中文"));
    EXPECT_EQ(l[1].toLongLong(), -7);
    EXPECT_EQ(l[2].toULongLong(), 18446744073709551615ULL);
    EXPECT_EQ(l[3].toDouble(), 2.5);
    EXPECT_EQ(l[4].toDateTime(), QDateTime(QDate(2001, 1, 1), QTime(0, 0), Qt::UTC));
    EXPECT_EQ(l[5].toByteArray(), "abc");
    EXPECT_EQ(l[6].toMap().value("CF$UID").toULongLong(), 5u);
    EXPECT_TRUE(l[7].toBool());
    EXPECT_EQ(l[8].toString(), "com.example.Foo");  // a shared object is read at each use
    EXPECT_EQ(plist::toCompactJson(*v),
              R"({"CFBundleIdentifier":"com.example.Foo","List":["中文",-7,18446744073709552000,2.5,)"
              R"("2001-01-01T00:00:00Z","YWJj",{"CF$UID":5},true,"com.example.Foo"]})");
}

TEST(PropertyListTest, BinaryCyclesAndBadReferencesAreInvalid)
{
    {
        BinaryWriter w;
        w.add(BinaryWriter::marker(0xA, 1) + w.refs({0}));  // holds itself
        EXPECT_FALSE(plist::parse(w.build(0)));
    }
    {
        BinaryWriter w;
        const int key = w.ascii("k");
        w.add(BinaryWriter::marker(0xD, 1) + w.refs({key, 2}));  // 1 -> 2 -> 1
        w.add(BinaryWriter::marker(0xA, 1) + w.refs({1}));
        EXPECT_FALSE(plist::parse(w.build(1)));
    }
    {
        // The same child twice beside itself is sharing, not a cycle.
        BinaryWriter w;
        const int leaf = w.array({});
        const int top = w.array({leaf, leaf});
        EXPECT_EQ(plist::toCompactJson(*plist::parse(w.build(top))), "[[],[]]");
    }
    {
        BinaryWriter w;
        w.add(BinaryWriter::marker(0xA, 1) + w.refs({9}));  // no object 9
        EXPECT_FALSE(plist::parse(w.build(0)));
        EXPECT_FALSE(plist::parse(w.build(1)));  // no top object 1
    }
    {
        BinaryWriter w;
        const int key = w.integer(3);  // keys must be strings
        w.add(BinaryWriter::marker(0xD, 1) + w.refs({key, key}));
        EXPECT_FALSE(plist::parse(w.build(1)));
    }
    {
        BinaryWriter w;
        w.add(BinaryWriter::marker(0xA, quint64(1) << 62));  // a count far beyond the file
        w.add(BinaryWriter::marker(0x5, quint64(1) << 62));
        EXPECT_FALSE(plist::parse(w.build(0)));
        EXPECT_FALSE(plist::parse(w.build(1)));
    }
    {
        // One string used more often than the decoded bytes allow.
        const auto shared = [](qint64 length, int uses) {
            BinaryWriter w;
            w.add(BinaryWriter::marker(0xA, quint64(uses)) + BinaryWriter::be(1, 1).repeated(uses));
            w.add(BinaryWriter::marker(0x5, quint64(length)) + QByteArray(length, 'a'));
            return w.build(0);
        };
        EXPECT_FALSE(plist::parse(shared(1 << 20, 2000000)));
        EXPECT_TRUE(plist::parse(shared(plist::kMaxDecodedBytes / 16, 8)));  // fills the limit
        EXPECT_FALSE(plist::parse(shared(plist::kMaxDecodedBytes / 16, 9)));
    }
    {
        // Each level holds the next one twice: 2^60 values once expanded.
        BinaryWriter w;
        for (int i = 0; i < 60; ++i)
            w.add(BinaryWriter::marker(0xA, 2) + w.refs({i + 1, i + 1}));
        w.add(QByteArray::fromHex("09"));
        EXPECT_FALSE(plist::parse(w.build(0)));
    }
}

// Work grows with the file: sharing may multiply a list a few times over,
// while a small file that doubles itself level by level, or repeats an entity
// full of values, is invalid long before it is expanded.
TEST(PropertyListTest, ListsThatMultiplyThemselvesAreInvalid)
{
    const auto doubling = [](int levels) {
        BinaryWriter w;
        for (int i = 0; i < levels; ++i)
            w.add(BinaryWriter::marker(0xA, 2) + w.refs({i + 1, i + 1}));
        w.ascii("/usr/local/bin/helper");
        return w.build(0);
    };
    EXPECT_TRUE(plist::parse(doubling(8)));
    EXPECT_FALSE(plist::parse(doubling(18)));  // 2^19 values from 250 bytes

    // One dictionary of five entries used by a thousand rows.
    BinaryWriter w(2);
    const int key = w.ascii("k");
    const int row = w.add(BinaryWriter::marker(0xD, 5) + w.refs({key, key, key, key, key}) + w.refs({key, key, key, key, key}));
    QByteArray rows;
    for (int i = 0; i < 1000; ++i)
        rows += w.refs({row});
    const int table = w.add(BinaryWriter::marker(0xA, 1000) + rows);
    const auto shared = plist::parse(w.build(table));
    ASSERT_TRUE(shared);
    EXPECT_EQ(shared->toList().size(), 1000);

    // An entity of 500 values, used 10 and 1,000 times.
    const auto entities = [](int uses) {
        return "<?xml version=\"1.0\"?>\n<!DOCTYPE plist [<!ENTITY v \"" + QByteArray("<true/>").repeated(500)
            + "\">]>\n<plist><array>" + QByteArray("&v;").repeated(uses) + "</array></plist>\n";
    };
    const auto few = plist::parse(entities(10));
    ASSERT_TRUE(few);
    EXPECT_EQ(few->toList().size(), 5000);
    EXPECT_FALSE(plist::parse(entities(1000)));
}

TEST(PropertyListTest, TruncatedAndRandomInputNeverCrashes)
{
    BinaryWriter w;
    const int k = w.ascii("Name");
    const int v = w.ascii("Foo");
    const int n = w.integer(12);
    const int arr = w.array({v, n, v});
    const QByteArray binary = w.build(w.dict({k, w.ascii("Items")}, {v, arr}));
    ASSERT_TRUE(plist::parse(binary));
    const QByteArray xml = xmlPlist("<dict><key>Name</key><string>Foo</string>"
                                    "<key>Items</key><array><integer>1</integer><real>2</real></array></dict>");
    ASSERT_TRUE(plist::parse(xml));

    for (qsizetype len = 0; len < binary.size(); ++len)
        EXPECT_FALSE(plist::parse(binary.left(len))) << len;
    for (qsizetype len = 0; len < xml.size() - 10; ++len)  // the closing tags go first
        EXPECT_FALSE(plist::parse(xml.left(len))) << len;

    QRandomGenerator random(20261209);
    for (int round = 0; round < 20000; ++round) {
        QByteArray mutated = round % 2 ? binary : xml;
        const int flips = 1 + int(random.bounded(8));
        for (int f = 0; f < flips; ++f)
            mutated[qsizetype(random.bounded(int(mutated.size())))] = char(random.bounded(256));
        const auto value = plist::parse(mutated);
        if (value)
            plist::toCompactJson(*value);
    }
    for (int round = 0; round < 2000; ++round) {
        QByteArray noise(qsizetype(random.bounded(200)), '\0');
        for (char& c : noise)
            c = char(random.bounded(256));
        if (round % 2)
            noise.prepend("bplist00");
        plist::parse(noise);
    }
}

TEST(PropertyListTest, ReadsOnlyRegularFilesWithinTheSizeCap)
{
    velk::test::TempTree tree;
    const QString good = tree.fileWithContent("Info.plist", xmlPlist("<dict><key>a</key><true/></dict>"));
    EXPECT_EQ(plist::toCompactJson(*plist::readFile(good)), R"({"a":true})");
    EXPECT_FALSE(plist::readFile(tree.path("missing.plist")));
    EXPECT_FALSE(plist::readFile(tree.dir("folder.plist")));
    const QString fifo = tree.path("pipe.plist");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    EXPECT_FALSE(plist::readFile(fifo));

    // Padding keeps the file well-formed; only its size makes it invalid.
    const QByteArray body = "<true/>";
    const QByteArray padded = xmlPlist(body + QByteArray(plist::kMaxBytes, ' '));
    EXPECT_FALSE(plist::readFile(tree.fileWithContent("big.plist", padded)));
    const QByteArray fits = xmlPlist(body);
    EXPECT_TRUE(plist::readFile(
        tree.fileWithContent("fits.plist", fits + QByteArray(plist::kMaxBytes - fits.size(), ' '))));
}
