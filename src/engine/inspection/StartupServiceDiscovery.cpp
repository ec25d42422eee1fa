// Discovery of the startup items: the property lists of the three folders
// and launchd's view of them.

#include "engine/inspection/StartupService.h"

#include "platform/core/CurrentUser.h"
#include "platform/locations/Locations.h"
#include "platform/plist/PropertyList.h"
#include "platform/core/ServiceRegistry.h"

#include <QCollator>
#include <QDir>
#include <QLocale>
#include <algorithm>

namespace velk::inspection {
namespace {

// The platform's localized comparison ignoring case; the C locale compares
// as American English would.
QCollator displayNameCollator()
{
    const QLocale system = QLocale::system();
    QCollator collator(system.name() == QStringLiteral("C") ? QLocale(QStringLiteral("en_US")) : system);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    return collator;
}

} // namespace

std::optional<StartupItem> StartupService::parsePlist(const QString& path, StartupScope scope,
                                                      const LaunchdView& launchd) const
{
    const std::optional<QVariant> plist = platform::plist::readFile(path);
    if (!plist)
        return std::nullopt;
    return itemFromPlist(*plist, path, scope, launchd);
}

QList<StartupItem> StartupService::discoverItems() const
{
    const uint uid = platform::core::service<platform::core::CurrentUser>()->uid();
    LaunchdView userView{fetchLoadedLabels(), std::nullopt};
    LaunchdView systemView{userView.loadedLabels, std::nullopt};
    if (const auto text = queryLaunchctl({QStringLiteral("print-disabled"), guiDomain(uid)}))
        userView.overrides = parseDisabledOverrides(*text);
    if (const auto text = queryLaunchctl({QStringLiteral("print-disabled"), QString::fromLatin1(kSystemDomain)}))
        systemView.overrides = parseDisabledOverrides(*text);

    const auto locations = platform::core::service<platform::locations::Locations>();
    QList<StartupItem> items;
    for (const StartupScope scope : allStartupScopes) {
        const LaunchdView& view = scope == StartupScope::globalDaemon ? systemView : userView;
        for (const QString& folder : locations->resolveAll(directoryLocation(scope))) {
            const QStringList names = QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
            for (const QString& name : names) {
                if (name.startsWith(u'.') || !name.endsWith(QStringLiteral(".plist")))
                    continue;
                if (auto item = parsePlist(folder + u'/' + name, scope, view))
                    items.append(std::move(*item));
            }
        }
    }

    const QCollator collator = displayNameCollator();
    std::stable_sort(items.begin(), items.end(), [&collator](const StartupItem& a, const StartupItem& b) {
        if (a.isEnabled != b.isEnabled)
            return a.isEnabled;
        return collator.compare(a.displayName, b.displayName) < 0;
    });
    return items;
}

} // namespace velk::inspection
