// The owner rules of the dependency service: what a file's path says about
// the application or facility it belongs to.

#include "engine/inspection/FileDependencyService.h"

#include "engine/inspection/TextPieces.h"

#include "platform/desktop/ApplicationLookup.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"

#include <algorithm>

namespace velk::inspection {
namespace {

using Kind = FileOwnerHint::Kind;

// What a rule proposes, before any application lookup.
struct Proposal {
    Kind kind;
    QString name;
    std::optional<QString> bundleID;
    bool resolve = false;
};

QString lowercaseExtension(const QString& component)
{
    const qsizetype dot = component.lastIndexOf(u'.');
    return dot > 0 ? component.mid(dot + 1).toLower() : QString();
}

bool allOf(const QString& text, bool (QChar::*test)() const)
{
    return std::all_of(text.begin(), text.end(), [test](QChar c) { return (c.*test)(); });
}

// The rules for what lies in the user's Library folder; `rest` is the path
// after "<home>/Library/".
std::optional<Proposal> libraryRule(const QString& rest)
{
    const QStringList pieces = rest.split(u'/', Qt::SkipEmptyParts);
    if (pieces.isEmpty())
        return std::nullopt;
    const QString& first = pieces[0];
    const QString second = pieces.size() > 1 ? pieces[1] : QString();
    const std::optional<QString> dotted = second.contains(u'.') ? std::optional<QString>(second) : std::nullopt;

    if (first == u"Containers")
        return Proposal{Kind::appContainer, second, second, true};
    if (first == u"Group Containers")
        return Proposal{Kind::groupContainer, second, FileDependencyService::groupBundle(second), true};
    if (first == u"Application Support") {
        if (second == u"MobileSync")
            return Proposal{Kind::appSupport, QStringLiteral("iOS Backups"), QStringLiteral("com.apple.FinderSync"), true};
        return Proposal{Kind::appSupport, second, dotted, true};
    }
    if (first == u"Caches") {
        static const QStringList developerCaches{"pip", "Homebrew", "Yarn", "go-build"};
        if (developerCaches.contains(second))
            return Proposal{Kind::developerDeps, second, std::nullopt, false};
        return Proposal{Kind::cache, second, dotted, true};
    }
    if (first == u"Logs")
        return Proposal{Kind::logs, second, dotted, true};
    if (first == u"Mobile Documents")
        return Proposal{Kind::iCloudDrive, QStringLiteral("iCloud Drive"), std::nullopt, false};
    if (first == u"Mail")
        return Proposal{Kind::mail, QStringLiteral("Mail"), QStringLiteral("com.apple.mail"), true};
    if (first == u"Messages")
        return Proposal{Kind::messages, QStringLiteral("Messages"), QStringLiteral("com.apple.MobileSMS"), true};
    return Proposal{Kind::appSupport, first, std::nullopt, false};
}

// The part of `path` after "<home>/Library/" when it lies there, as written
// or as the location map reads it back ("~/.cache/pip" is the Library's
// Caches/pip on Linux).
std::optional<QString> libraryRest(const QString& path, const platform::locations::Locations& locations)
{
    const QString prefix = locations.home() + QStringLiteral("/Library/");
    if (path.startsWith(prefix))
        return path.mid(prefix.size());
    const QString location = locations.locationFor(path);
    const QString libraryLocation = QStringLiteral("~/Library/");
    if (location.startsWith(libraryLocation))
        return location.mid(libraryLocation.size());
    return std::nullopt;
}

} // namespace

std::optional<FileOwnerHint> FileDependencyService::ownerHint(const QString& path)
{
    const QStringList components = path.split(u'/', Qt::SkipEmptyParts);
    static const QStringList machineImages{"pvm", "vmwarevm", "utm", "vdi", "vmdk", "qcow2", "hdd"};

    std::optional<Proposal> proposal;
    for (const QString& component : components) {
        if (machineImages.contains(lowercaseExtension(component))) {
            proposal = Proposal{Kind::virtualMachine, component, std::nullopt, false};
            break;
        }
    }
    if (!proposal && (path.contains(QStringLiteral("com.docker.docker")) || path.endsWith(QStringLiteral("Docker.raw"))))
        proposal = Proposal{Kind::docker, QStringLiteral("Docker"), QStringLiteral("com.docker.docker"), true};
    if (!proposal && components.contains(QStringLiteral("node_modules")))
        proposal = Proposal{Kind::developerDeps, QStringLiteral("node_modules"), std::nullopt, false};
    if (!proposal && components.contains(QStringLiteral(".git")))
        proposal = Proposal{Kind::developerDeps, QStringLiteral("Git"), std::nullopt, false};
    if (!proposal) {
        for (const QString& component : components) {
            if (component.endsWith(QStringLiteral(".photoslibrary"))) {
                proposal = Proposal{Kind::photos, component, QStringLiteral("com.apple.Photos"), true};
                break;
            }
        }
    }
    if (!proposal) {
        const auto locations = platform::core::service<platform::locations::Locations>();
        if (const auto rest = libraryRest(path, *locations)) {
            proposal = libraryRule(*rest);
            if (!proposal)
                return std::nullopt;
        }
    }
    if (!proposal)
        proposal = Proposal{Kind::userData, components.size() >= 3 ? components[2] : QString(), std::nullopt, false};

    if (!proposal->resolve)
        return FileOwnerHint{proposal->kind, proposal->name, std::nullopt, std::nullopt};
    return resolved(proposal->kind, proposal->name, proposal->bundleID);
}

FileOwnerHint FileDependencyService::resolved(FileOwnerHint::Kind kind, const QString& name,
                                              const std::optional<QString>& bundleID)
{
    FileOwnerHint hint{kind, name, bundleID, std::nullopt};
    if (!bundleID)
        return hint;
    if (const auto app = platform::core::service<platform::desktop::ApplicationLookup>()->applicationPath(*bundleID)) {
        QString fileName = app->section(u'/', -1, -1, QString::SectionSkipEmpty);
        const qsizetype dot = fileName.lastIndexOf(u'.');
        if (dot > 0)
            fileName.truncate(dot);
        hint.name = fileName;
        hint.appPath = *app;
    }
    return hint;
}

std::optional<QString> FileDependencyService::groupBundle(const QString& folderName)
{
    const QStringList pieces = textpieces::splitLimited(folderName, u'.', 1);
    if (pieces.size() != 2 || pieces[0].size() != 10)
        return std::nullopt;
    if (allOf(pieces[0], &QChar::isUpper) || allOf(pieces[0], &QChar::isNumber))
        return pieces[1];
    return std::nullopt;
}

} // namespace velk::inspection
