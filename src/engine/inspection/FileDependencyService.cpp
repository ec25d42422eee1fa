#include "engine/inspection/FileDependencyService.h"

#include "engine/inspection/TextPieces.h"
#include "platform/tools/MetadataTool.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/locations/CanonicalPath.h"
#include "platform/tools/ToolRunner.h"

#include <QCoreApplication>
#include <QFile>

namespace velk::inspection {

QString FileDependencyService::run(const QString& tool, const QStringList& arguments)
{
    platform::tools::ToolRequest request;
    request.tool = tool;
    request.arguments = arguments;
    const platform::tools::ToolResult result = platform::core::service<platform::tools::ToolRunner>()->run(request);
    return result.launched ? QString::fromUtf8(result.output) : QString();
}

openfiles::HandleMap FileDependencyService::openProcesses(const QStringList& paths)
{
    openfiles::HandleMap handles;
    if (paths.isEmpty())
        return handles;

    // The listing names a file by its canonical path or as it was given,
    // with every byte it cannot print escaped: the keys are written alike.
    openfiles::NameMap names;
    for (const QString& path : paths) {
        const QByteArray native = QFile::encodeName(path);
        if (const auto real = platform::locations::canonicalNativePath(native))
            names.insert(openfiles::escapedName(*real), path);
        names.insert(openfiles::escapedName(native), path);
    }

    const qint32 ownPid = static_cast<qint32>(QCoreApplication::applicationPid());
    for (qsizetype start = 0; start < paths.size(); start += kPathsPerListing) {
        QStringList arguments{QStringLiteral("-nP"), QStringLiteral("+c"), QStringLiteral("0"), QStringLiteral("-F"),
                              QStringLiteral("pcn"), QStringLiteral("--")};
        arguments += paths.mid(start, kPathsPerListing);
        openfiles::collectHandles(run(QStringLiteral("/usr/sbin/lsof"), arguments), names, ownPid, handles);
    }
    return handles;
}

bool FileDependencyService::contains(const QVariant& value, const QString& path)
{
    // Walked with an explicit stack: a property list may nest deeply.
    QList<QVariant> pending{value};
    while (!pending.isEmpty()) {
        const QVariant current = pending.takeLast();
        switch (current.typeId()) {
        case QMetaType::QString:
            if (current.toString().contains(path))
                return true;
            break;
        case QMetaType::QVariantList:
            pending += current.toList();
            break;
        case QMetaType::QVariantMap: {
            const QVariantMap map = current.toMap();
            for (auto it = map.cbegin(); it != map.cend(); ++it)
                pending.append(it.value());
            break;
        }
        default:
            break;
        }
    }
    return false;
}

QStringList FileDependencyService::whereFroms(const QString& path)
{
    platform::tools::registerMetadataTool();
    const QString output = run(QStringLiteral("/usr/bin/mdls"),
                               {QStringLiteral("-name"), QStringLiteral("kMDItemWhereFroms"), QStringLiteral("-raw"), path});
    if (output.isEmpty() || output == QStringLiteral("(null)"))
        return {};
    QStringList addresses;
    for (const QString& line : output.split(u'\n', Qt::SkipEmptyParts)) {
        const QString value = textpieces::trimmedOf(line, QStringLiteral(" (,\""));
        if (value.startsWith(QStringLiteral("http")) || value.startsWith(QStringLiteral("ftp")))
            addresses.append(value);
    }
    return addresses;
}

} // namespace velk::inspection
