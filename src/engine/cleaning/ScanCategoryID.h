#pragma once

#include "common/palette/ColorRole.h"

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <optional>

namespace velk::language {
class LanguageManager;
}
namespace velk::cleaning {

// The 24 junk categories. The declaration order is the scan order and the
// order of the junk view model's category list; the last one ends the count.
enum class ScanCategoryID {
    userCaches,
    systemLogs,
    userLogs,
    trash,
    downloads,
    languageFiles,
    derivedData,
    xcodeCache,
    xcodeSimulatorCache,
    xcodeDeviceSupport,
    xcodeArchives,
    npmCache,
    brewCache,
    dockerData,
    mailAttachments,
    messagesAttachments,
    pipCache,
    mavenCache,
    goCache,
    gradleCache,
    cargoCache,
    gemCache,
    composerCache,
    podCache,
};

inline constexpr std::size_t kScanCategoryCount = static_cast<std::size_t>(ScanCategoryID::podCache) + 1;

inline constexpr std::array<ScanCategoryID, kScanCategoryCount> allScanCategoryIDs = [] {
    std::array<ScanCategoryID, kScanCategoryCount> all {};
    for (std::size_t i = 0; i < kScanCategoryCount; ++i)
        all[i] = static_cast<ScanCategoryID>(i);
    return all;
}();

// How the System Junk screen groups the categories; declaration order is the
// order of the groups on the screen.
enum class ScanCategoryGroup { system, xcode, languages, apps };

inline constexpr std::array<ScanCategoryGroup, 4> allScanCategoryGroups = {
    ScanCategoryGroup::system, ScanCategoryGroup::xcode, ScanCategoryGroup::languages, ScanCategoryGroup::apps};

// The identifier text of a category, e.g. "user_caches".
QString rawValue(ScanCategoryID id);
// The category whose raw value is exactly `text`; none for any other text.
std::optional<ScanCategoryID> scanCategoryIDFromRawValue(QStringView text);

// Chinese title; the English one; and the one for the interface language.
QString title(ScanCategoryID id);
QString englishTitle(ScanCategoryID id);
QString title(ScanCategoryID id, const language::LanguageManager& language);

// The folder shown under the title ("~/Library/Caches"); for language files a
// description, which is the only subtitle that has an English form.
QString subtitle(ScanCategoryID id);
QString englishSubtitle(ScanCategoryID id);
QString subtitle(ScanCategoryID id, const language::LanguageManager& language);

// The folders the category cleans, as the location map names them
// ("~/Library/Caches"); none for language files, which are found inside the
// applications.
QStringList folders(ScanCategoryID id);

// Name of the category's symbol image.
QString icon(ScanCategoryID id);
ScanCategoryGroup group(ScanCategoryID id);
// Categories holding things the user may well want to keep (Trash, Downloads,
// archives, package repositories): never selected without the user's say.
bool requiresConfirmation(ScanCategoryID id);
palette::ColorRole color(ScanCategoryID id);

// The identifier text of a group, e.g. "系统垃圾".
QString rawValue(ScanCategoryGroup group);

} // namespace velk::cleaning
