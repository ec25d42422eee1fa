#include "engine/cleaning/JunkItemRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "support/FakeFileRemover.h"
#include "support/TempTree.h"

#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace velk;
using namespace velk::cleaning;
using velk::platform::locations::Locations;
using velk::platform::core::ScopedService;

namespace {

// The macOS layout, except that the Trash keeps a record of each item in an
// info folder beside it, as the freedesktop Trash does.
class TrashWithRecords final : public Locations {
public:
    TrashWithRecords(const QString& root, const QString& home, QString info)
        : m_mac(Locations::macProfile(root, home)), m_info(std::move(info))
    {
    }
    QStringList resolveAll(const QString& location) const override { return m_mac->resolveAll(location); }
    QString home() const override { return m_mac->home(); }
    bool isSystemPath(const QString& path) const override { return m_mac->isSystemPath(path); }
    bool isPseudoFileSystem(const QString& path) const override { return m_mac->isPseudoFileSystem(path); }
    QString trashInfoFolder() const override { return m_info; }

private:
    std::shared_ptr<Locations> m_mac;
    QString m_info;
};

FileItem fileItem(const QString& path, qint64 size)
{
    return FileItem(path, size, std::nullopt, FileItem::ItemType::File, true);
}

} // namespace

TEST(JunkItemRemover, RemovesItemsWithTheirTrashRecordsAndCountsWhatWentAway)
{
    test::TempTree tree;
    const QString home = tree.dir("Users/me");
    ScopedService<Locations> locations(
        std::make_shared<TrashWithRecords>(tree.root(), home, tree.dir("Users/me/.Trash-info")));
    const QString trashed = tree.file("Users/me/.Trash/report.pdf", 30);
    const QString record = tree.file("Users/me/.Trash-info/report.pdf.trashinfo", 5);
    const QString otherRecord = tree.file("Users/me/.Trash-info/kept.trashinfo", 5);
    const QString cache = tree.file("Users/me/Library/Caches/blob", 20);
    QFile::link(tree.file("outside/precious", 90), home + "/Library/Caches/link");

    const JunkItemRemover remover;
    const std::vector<FileItem> items = {fileItem(trashed, 30), fileItem(cache, 20),
                                         fileItem(home + "/Library/Caches/gone", 70),
                                         fileItem(home + "/Library/Caches/link", 10)};
    const JunkItemRemover::Result result = remover.removeAll(items);

    EXPECT_EQ(result.freedBytes, 30 + 20) << "removing a link frees nothing";
    EXPECT_TRUE(result.failures.isEmpty());
    EXPECT_EQ(result.removed, QSet<QUuid>({items[0].id, items[1].id, items[3].id}));
    EXPECT_EQ(result.vanished, QSet<QUuid>{items[2].id});
    EXPECT_FALSE(QFileInfo::exists(trashed));
    EXPECT_FALSE(QFileInfo::exists(record));
    EXPECT_TRUE(QFileInfo::exists(otherRecord));
    EXPECT_FALSE(QFileInfo::exists(cache));
    // A link is removed as a link; what it points to stays.
    EXPECT_FALSE(QFileInfo(home + "/Library/Caches/link").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(tree.path("outside/precious")));
}

// A refused item is a failure; a missing one has vanished, no failure.
TEST(JunkItemRemover, ARefusedOrMissingItemFreesNothing)
{
    test::TempTree tree;
    const QString home = tree.dir("Users/me");
    ScopedService<Locations> locations(Locations::macProfile(tree.root(), home));
    auto fake = std::make_shared<test::FakeFileRemover>(true);
    ScopedService<platform::files::FileRemover> remover(fake);
    const QString kept = tree.file("Users/me/Downloads/kept.iso", 50);
    const QString removed = tree.file("Users/me/Downloads/removed.iso", 40);
    fake->failFor(kept);

    // The double would answer yes for the missing item too; it is never asked.
    const std::vector<FileItem> items = {fileItem(kept, 50), fileItem(removed, 40),
                                         fileItem(tree.path("Users/me/Downloads/missing.iso"), 60)};
    const JunkItemRemover::Result result = JunkItemRemover().removeAll(items);
    EXPECT_EQ(result.freedBytes, 40);
    EXPECT_EQ(result.failures, (QList<RemovalFailure>{{kept, platform::files::RemovalReason::SystemError, EACCES}}));
    EXPECT_EQ(result.vanished, QSet<QUuid>{items[2].id});
    EXPECT_EQ(fake->removed(), QStringList({kept, removed}));
    EXPECT_TRUE(QFileInfo::exists(kept));
    EXPECT_FALSE(QFileInfo::exists(removed));
}

// An item whose folder went earlier in the same clean is neither a failure
// nor freed a second time.
TEST(JunkItemRemover, AnItemRemovedWithItsFolderIsNeitherAFailureNorFreedTwice)
{
    test::TempTree tree;
    ScopedService<Locations> locations(Locations::macProfile(tree.root(), tree.dir("Users/me")));
    ScopedService<platform::files::FileRemover> remover(platform::files::FileRemover::createDefault());
    const QString inner = tree.file("Users/me/Library/Caches/pip/wheels/a.whl", 500);
    const QString folder = tree.path("Users/me/Library/Caches/pip");
    const std::vector<FileItem> items = {FileItem(folder, 500, std::nullopt, FileItem::ItemType::Directory),
                                         fileItem(inner, 500), fileItem(tree.path("Users/me/elsewhere"), 9)};
    const JunkItemRemover::Result result = JunkItemRemover().removeAll(items);
    EXPECT_EQ(result.freedBytes, 500);
    EXPECT_TRUE(result.failures.isEmpty());
    EXPECT_EQ(result.removed, QSet<QUuid>({items[0].id, items[1].id}));
    EXPECT_EQ(result.vanished, QSet<QUuid>{items[2].id}) << "only the item that was never there";
}
