#include "ui/screens/uninstall/AppOrder.h"

#include <gtest/gtest.h>

namespace velk::screens {
namespace {

cleaning::AppItem app(const QString& name, qint64 size, std::optional<QDateTime> installed)
{
    return cleaning::AppItem(name, std::nullopt, "/Applications/" + name + ".app", std::nullopt, size, installed, std::nullopt);
}

QStringList namesOf(const QList<cleaning::AppItem>& apps)
{
    QStringList names;
    for (const cleaning::AppItem& a : apps)
        names << a.name;
    return names;
}

// Keys that compare equal keep the order discovery gave: equal sizes,
// applications without an install date (last, after every dated one), and
// names that differ only in letter case.
TEST(AppOrderTest, EachOrderIsStableOverEqualKeys)
{
    const QDateTime day(QDate(2026, 3, 1), QTime(9, 0));
    const QList<cleaning::AppItem> discovered = {
        app("beta", 300, std::nullopt),  app("Alpha", 500, day),
        app("delta", 300, day.addDays(2)), app("ALPHA", 100, std::nullopt),
        app("gamma", 300, day.addDays(-5)), app("alpha", 300, day.addDays(2)),
    };
    const struct {
        AppSortMode mode;
        QStringList expected;
    } cases[] = {
        {AppSortMode::size, {"Alpha", "beta", "delta", "gamma", "alpha", "ALPHA"}},
        {AppSortMode::recentInstall, {"delta", "alpha", "Alpha", "gamma", "beta", "ALPHA"}},
        {AppSortMode::name, {"Alpha", "ALPHA", "alpha", "beta", "delta", "gamma"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(namesOf(sortedApps(discovered, c.mode)), c.expected) << int(c.mode);
}

} // namespace
} // namespace velk::screens
