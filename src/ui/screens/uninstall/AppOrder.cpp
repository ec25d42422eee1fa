#include "ui/screens/uninstall/AppOrder.h"

#include "platform/core/NameOrder.h"

#include <algorithm>

namespace velk::screens {
namespace {

bool installedLater(const AppItem& a, const AppItem& b)
{
    if (!a.installDate)
        return false;
    return !b.installDate || *a.installDate > *b.installDate;
}

} // namespace

QList<AppItem> sortedApps(QList<AppItem> apps, AppSortMode mode)
{
    switch (mode) {
    case AppSortMode::size:
        std::stable_sort(apps.begin(), apps.end(),
                         [](const AppItem& a, const AppItem& b) { return a.diskSize > b.diskSize; });
        break;
    case AppSortMode::recentInstall:
        std::stable_sort(apps.begin(), apps.end(), installedLater);
        break;
    case AppSortMode::name:
        std::stable_sort(apps.begin(), apps.end(), [](const AppItem& a, const AppItem& b) {
            return platform::core::compareCaseInsensitive(a.name, b.name) < 0;
        });
        break;
    }
    return apps;
}

} // namespace velk::screens
