#pragma once

#include "ui/design/AppSection.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

namespace velk::shell {

// Sections by their case name ("dashboard", "systemInfo", ...), the names of
// `AppSection`'s cases: the names the window's hosts, object names and
// command-line options use.
QString caseName(design::AppSection section);
std::optional<design::AppSection> sectionFromCaseName(QStringView name);
// Every case name, in the sections' declaration order.
QStringList allCaseNames();
// The sidebar's groups from the top, each a list of case names.
QVariantList sidebarCaseNames();

} // namespace velk::shell
