#include "ui/screens/dashboard/HomeToolSections.h"

#include <QVariantMap>

namespace velk::screens {

QVariantList HomeSections::tools()
{
    QVariantList list;
    for (const HomeToolSection& entry : homeToolSections) {
        list.append(QVariantMap {
            { QStringLiteral("name"), QString::fromLatin1(entry.name) },
            { QStringLiteral("id"), entry.section.id() },
        });
    }
    return list;
}

} // namespace velk::screens
