// The launchd property lists that name a file.

#include "engine/inspection/FileDependencyService.h"

#include "platform/locations/Locations.h"
#include "platform/plist/PropertyList.h"
#include "platform/core/ServiceRegistry.h"

#include <QDir>
#include <array>

namespace velk::inspection {

QList<LaunchReference> FileDependencyService::launchReferences(const QString& path)
{
    struct Folder {
        const char* location;
        LaunchReference::Scope scope;
    };
    static constexpr std::array<Folder, 3> folders{{
        {"~/Library/LaunchAgents", LaunchReference::Scope::userAgent},
        {"/Library/LaunchAgents", LaunchReference::Scope::systemAgent},
        {"/Library/LaunchDaemons", LaunchReference::Scope::systemDaemon},
    }};

    const auto locations = platform::core::service<platform::locations::Locations>();
    QList<LaunchReference> references;
    for (const Folder& folder : folders) {
        for (const QString& directory : locations->resolveAll(QString::fromLatin1(folder.location))) {
            const QStringList names =
                QDir(directory).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Unsorted);
            for (const QString& name : names) {
                if (!name.endsWith(QStringLiteral(".plist")))
                    continue;
                const QString plistPath = directory + u'/' + name;
                const std::optional<QVariant> plist = platform::plist::readFile(plistPath);
                if (!plist || !contains(*plist, path))
                    continue;
                const QVariant label = plist->typeId() == QMetaType::QVariantMap
                    ? plist->toMap().value(QStringLiteral("Label"))
                    : QVariant();
                references.append({label.typeId() == QMetaType::QString ? label.toString() : name.chopped(6),
                                   plistPath, folder.scope});
            }
        }
    }
    return references;
}

} // namespace velk::inspection
