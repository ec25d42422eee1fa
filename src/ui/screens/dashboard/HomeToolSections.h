#pragma once

#include "ui/design/AppSection.h"

#include <QObject>
#include <QString>
#include <QVariantList>
#include <QtQml/qqmlregistration.h>
#include <array>

namespace velk::screens {

// The sections the dashboard links to: the sidebar's order without the
// dashboard itself.
struct HomeToolSection {
    design::AppSection section;
    const char* name;  // the section's case name, as the window navigates by it
};

inline constexpr std::array<HomeToolSection, 7> homeToolSections { {
    { design::AppSection::systemJunk, "systemJunk" },
    { design::AppSection::largeFiles, "largeFiles" },
    { design::AppSection::appUninstall, "appUninstall" },
    { design::AppSection::privacy, "privacy" },
    { design::AppSection::startup, "startup" },
    { design::AppSection::systemInfo, "systemInfo" },
    { design::AppSection::processes, "processes" },
} };

// The same list for QML: each entry {name, id}, where `id` is the section's
// identifier for its title and symbol.
class HomeSections : public QObject {
    Q_OBJECT
    QML_ELEMENT
    QML_SINGLETON
    Q_PROPERTY(QVariantList tools READ tools CONSTANT)
    // Identifier of the System Info section, which the stat cells open.
    Q_PROPERTY(QString systemInfoId READ systemInfoId CONSTANT)
public:
    using QObject::QObject;

    static QVariantList tools();
    static QString systemInfoId() { return design::AppSection(design::AppSection::systemInfo).id(); }
};

} // namespace velk::screens
