#include "LargeFileFixture.h"

#include "engine/cleaning/LargeFileScanSelectionStore.h"
#include "engine/cleaning/LargeFileScanner.h"
#include "engine/cleaning/SystemLocation.h"
#include "platform/core/NameOrder.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace velk;
using namespace velk::cleaning;
using velk::test::LargeFileTree;

namespace {

QStringList titles(const QList<LargeFileScanNode>& nodes)
{
    QStringList out;
    for (const LargeFileScanNode& node : nodes)
        out << node.title;
    return out;
}

const LargeFileScanNode* child(const LargeFileScanNode& node, const QString& title)
{
    for (const LargeFileScanNode& c : node.children) {
        if (c.title == title)
            return &c;
    }
    return nullptr;
}

// The top level of a start-up volume, with the three user folders.
void buildStartupVolume(const LargeFileTree& tree)
{
    for (const char* folder : {"usr", "Library", "bin", "System/Volumes/Data", "private", "sbin", "Applications",
                               "opt", "Volumes/Backup", "dev", ".nofollow", ".hidden", "data10", "data2",
                               "Users/alice", "Users/Bob"})
        tree.dir(folder);
    tree.link("etc", tree.at("private/etc"));
    tree.file("top.txt", 10);
}

} // namespace

TEST(LargeFileScanScopeTest, StartupTreeOffersTopFoldersInScopeOrderAndTheUserFolders)
{
    LargeFileTree tree;
    buildStartupVolume(tree);
    tree.volumes().setStartupVolumeName(QStringLiteral("Macintosh HD"));

    const QList<LargeFileScanNode> trees = LargeFileScanner().choices();
    ASSERT_EQ(trees.size(), 1);
    const LargeFileScanNode& startup = trees[0];
    EXPECT_EQ(startup.path, tree.root());
    EXPECT_EQ(startup.title, QStringLiteral("本机 · Macintosh HD"));
    EXPECT_FALSE(startup.selectedByDefault);
    // Volumes, dev, .nofollow and the link are never offered; hidden folders are.
    EXPECT_EQ(titles(startup.children), (QStringList{"Users", "Applications", ".hidden", "data2", "data10", "opt",
                                                     "bin", "Library", "private", "sbin", "System", "usr"}));
    const LargeFileScanNode* users = child(startup, "Users");
    ASSERT_TRUE(users);
    EXPECT_EQ(titles(users->children), (QStringList{"alice", "Bob", "me"}));
    EXPECT_EQ(LargeFileScanNode::defaultSelection(trees), (QSet<QString>{tree.home()}));
    EXPECT_TRUE(child(startup, "System")->isSystem);
    EXPECT_TRUE(child(startup, "usr")->isSystem);
    EXPECT_FALSE(child(startup, "opt")->isSystem);
    EXPECT_TRUE(child(startup, "opt")->children.isEmpty());
}

TEST(LargeFileScanScopeTest, LocalVolumesGetTheirOwnTreeNetworkVolumesNone)
{
    LargeFileTree tree;
    tree.dir("Volumes/Backup/Photos");
    tree.dir("Volumes/Backup/Archive");
    tree.dir("Volumes/Share/x");
    tree.dir("Volumes/Odd");
    tree.volumes().addMount(tree.root(), "apfs");
    tree.volumes().addMount(tree.at("Volumes/Backup"), "apfs");
    tree.volumes().addMount(tree.at("Volumes/Share"), "smb3");
    tree.volumes().addMount(tree.at("Volumes/Odd"), "fuse.mystery");
    tree.volumes().addMount(tree.at("Volumes/Ram"), "tmpfs");

    const QList<LargeFileScanNode> trees = LargeFileScanner().choices();
    EXPECT_EQ(titles(trees), (QStringList{"本机", "Backup", "Odd"}));
    ASSERT_EQ(trees.size(), 3);
    EXPECT_EQ(trees[1].path, tree.at("Volumes/Backup"));
    EXPECT_EQ(titles(trees[1].children), (QStringList{"Archive", "Photos"}));
}

TEST(LargeFileScanScopeTest, NamesSortByNumbersAndIgnoreCaseEvenInTheCLocale)
{
    for (const QLocale& locale : {QLocale::c(), QLocale(QLocale::Chinese, QLocale::China), QLocale::system()}) {
        const platform::core::LocalizedStandardCompare compare(locale);
        EXPECT_TRUE(compare.ascending(u"file2", u"file10")) << locale.name().toStdString();
        EXPECT_TRUE(compare.ascending(u"apple", u"Banana"));
        EXPECT_TRUE(compare.ascending(u"Apple", u"banana"));
        EXPECT_EQ(compare(u"Same", u"same"), 0);
    }
}

TEST(LargeFileScanScopeTest, SelectedPathsWalkTheTreeInPreOrder)
{
    LargeFileTree tree;
    buildStartupVolume(tree);
    const LargeFileScanNode startup = LargeFileScanner().choices().front();
    const QString alice = tree.at("Users/alice");
    EXPECT_EQ(startup.selectedPaths({tree.root(), alice}), (QStringList{tree.root(), alice}));
    EXPECT_EQ(startup.selectedPaths({alice, tree.at("opt"), tree.at("Users")}),
              (QStringList{tree.at("Users"), alice, tree.at("opt")}));
    EXPECT_TRUE(startup.selectedPaths({}).isEmpty());
}

TEST(LargeFileScanScopeTest, OpenNodesAreTheAncestorsOfTheSelection)
{
    LargeFileTree tree;
    const QString root = tree.root();
    const QSet<QString> base{root, tree.at("Users")};
    EXPECT_EQ(LargeFileScanSelectionStore::expanded({tree.at("Users/alice")}), base);
    EXPECT_EQ(LargeFileScanSelectionStore::expanded({tree.at("Volumes/Backup/Photos")}),
              (QSet<QString>{root, tree.at("Users"), tree.at("Volumes"), tree.at("Volumes/Backup")}));
    EXPECT_EQ(LargeFileScanSelectionStore::expanded({}), base);
    // Odd paths end without looping.
    EXPECT_EQ(LargeFileScanSelectionStore::expanded({".", "a/b", "/", ""}),
              (QSet<QString>{root, tree.at("Users"), "a", "/"}));
    EXPECT_EQ(LargeFileScanSelectionStore::expanded({"/elsewhere/x/"}),
              (QSet<QString>{root, tree.at("Users"), "/elsewhere", "/"}));
}

TEST(LargeFileScanScopeTest, TheSystemAreaIsTheOperatingSystemsFolder)
{
    LargeFileTree tree;
    for (const char* yes : {"System", "System/Library/Fonts", ".nofollow/System/Library"})
        EXPECT_TRUE(SystemLocation::isSystem(tree.at(yes))) << yes;
    for (const char* no : {"Systems", "Library", "private/var", ".nofollow", "Users/me"})
        EXPECT_FALSE(SystemLocation::isSystem(tree.at(no))) << no;
    EXPECT_FALSE(SystemLocation::isSystem("relative/System"));

    platform::core::ScopedService<platform::locations::Locations> linuxLayout(platform::locations::Locations::linuxProfile("/home/me"));
    EXPECT_TRUE(SystemLocation::isSystem("/usr/lib/big.so"));
    EXPECT_TRUE(SystemLocation::isSystem("/var/lib/x"));
    EXPECT_FALSE(SystemLocation::isSystem("/home/me/big.iso"));
}

TEST(LargeFileScanScopeTest, RemembersTheSelectionSortedAndRestoresWhatStillExists)
{
    LargeFileTree tree;
    buildStartupVolume(tree);
    const QList<LargeFileScanNode> trees = LargeFileScanner().choices();
    const QString alice = tree.at("Users/alice");
    const QString opt = tree.at("opt");

    LargeFileScanSelectionStore::save({opt, alice});
    EXPECT_EQ(tree.defaults().writesTo(LargeFileScanSelectionStore::key),
              (QVariantList{QStringList{alice, opt}}));
    EXPECT_EQ(LargeFileScanSelectionStore::restoredSelection(trees), (QSet<QString>{alice, opt}));

    // One path stored alone, and one among paths that are gone.
    tree.defaults().seed(LargeFileScanSelectionStore::key, QStringList{alice});
    EXPECT_EQ(LargeFileScanSelectionStore::restoredSelection(trees), (QSet<QString>{alice}));
    tree.defaults().seed(LargeFileScanSelectionStore::key, QStringList{alice, tree.at("Volumes/Gone/x")});
    EXPECT_EQ(LargeFileScanSelectionStore::restoredSelection(trees), (QSet<QString>{alice}));

    LargeFileScanSelectionStore::save({});
    EXPECT_EQ(tree.defaults().writesTo(LargeFileScanSelectionStore::key).last(), QVariant(QStringList{}));
}

TEST(LargeFileScanScopeTest, AnythingButAUsableListGivesTheDefaultSelection)
{
    LargeFileTree tree;
    buildStartupVolume(tree);
    const QList<LargeFileScanNode> trees = LargeFileScanner().choices();
    const QSet<QString> defaults{tree.home()};
    EXPECT_EQ(LargeFileScanSelectionStore::restoredSelection(trees), defaults);  // nothing stored
    const QString alice = tree.at("Users/alice");
    for (const QVariant& stored : {QVariant(alice), QVariant(QVariantList{alice, 3}), QVariant(42),
                                   QVariant(QStringList{tree.at("Users/gone")}), QVariant(QStringList{})}) {
        tree.defaults().seed(LargeFileScanSelectionStore::key, stored);
        EXPECT_EQ(LargeFileScanSelectionStore::restoredSelection(trees), defaults) << stored.toString().toStdString();
    }
}

TEST(LargeFileScanScopeTest, AHomeOutsideTheUserFoldersSelectsNothingByDefault)
{
    LargeFileTree tree(QStringLiteral("var/home/me"));
    tree.dir("Users/alice");
    const QList<LargeFileScanNode> trees = LargeFileScanner().choices();
    EXPECT_TRUE(LargeFileScanNode::defaultSelection(trees).isEmpty());
    EXPECT_TRUE(LargeFileScanSelectionStore::restoredSelection(trees).isEmpty());
}
