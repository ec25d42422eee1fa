#pragma once

#include "engine/cleaning/FileItem.h"
#include "engine/cleaning/ScanCategoryID.h"

#include <QString>
#include <QStringList>
#include <memory>
#include <vector>

namespace velk::platform::locations {
class Locations;
}
namespace velk::platform::core {
class SystemLocale;
}

namespace velk::cleaning {

// Finds the removable items of one junk category: the visible children of the
// category's folders, sized, largest first. Synchronous; a copy may be used on
// any thread. Folders are named the macOS way and resolved through the
// location map and system locale that were current when the scanner was made.
class SystemJunkScanner {
public:
    SystemJunkScanner();

    // The folders of a category on this machine, in scan order.
    QStringList paths(ScanCategoryID id) const;
    // The category's items; a folder of it that is refused is logged with
    // the reason.
    std::vector<FileItem> scan(ScanCategoryID id) const;

    // Whether a language folder named `lprojName` (without ".lproj") stays on
    // a system whose language is `languageCode`: "Base" and every folder whose
    // language part (before "-" or "_") is that language, in any case.
    static bool keepsLanguageFolder(const QString& lprojName, const QString& languageCode);

private:
    // With `logRefusals`, each folder left out is logged with the reason.
    QStringList categoryFolders(ScanCategoryID id, bool logRefusals) const;
    QStringList languageFilePaths() const;
    QStringList safeFolders(const QString& location, bool logRefusals) const;
    QString languageToKeep() const;

    std::shared_ptr<const platform::locations::Locations> m_locations;
    std::shared_ptr<const platform::core::SystemLocale> m_locale;
};

} // namespace velk::cleaning
