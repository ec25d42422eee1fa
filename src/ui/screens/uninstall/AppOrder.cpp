#include "ui/screens/uninstall/AppOrder.h"

#include "platform/core/NameOrder.h"

#include <algorithm>

namespace velk::screens {
namespace {

bool installedLater(const cleaning::AppItem& a, const cleaning::AppItem& b)
{
    if (!a.installDate)
        return false;
    return !b.installDate || *a.installDate > *b.installDate;
}

} // namespace

QList<cleaning::AppItem> sortedApps(QList<cleaning::AppItem> apps, AppSortMode mode)
{
    switch (mode) {
    case AppSortMode::size:
        std::stable_sort(apps.begin(), apps.end(),
                         [](const cleaning::AppItem& a, const cleaning::AppItem& b) { return a.diskSize > b.diskSize; });
        break;
    case AppSortMode::recentInstall:
        std::stable_sort(apps.begin(), apps.end(), installedLater);
        break;
    case AppSortMode::name:
        std::stable_sort(apps.begin(), apps.end(), [](const cleaning::AppItem& a, const cleaning::AppItem& b) {
            return platform::core::compareCaseInsensitive(a.name, b.name) < 0;
        });
        break;
    }
    return apps;
}

} // namespace velk::screens
