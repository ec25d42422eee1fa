#pragma once

#include "engine/cleaning/AppItem.h"

#include <QList>

namespace velk::screens {

// The orders of the application list: largest bundle first, newest install
// first, and by name.
enum class AppSortMode { size, recentInstall, name };

// `apps` stably sorted by `mode`, so applications with equal keys keep the
// order they came in. An application without an install date counts as
// installed at the earliest moment; names are compared letter case aside.
QList<cleaning::AppItem> sortedApps(QList<cleaning::AppItem> apps, AppSortMode mode);

} // namespace velk::screens
