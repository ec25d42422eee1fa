#include "ui/shell/SectionNames.h"

#include <QMetaEnum>

namespace velk::shell {

using design::AppSection;

QString caseName(AppSection section)
{
    return QString::fromLatin1(QMetaEnum::fromType<AppSection::Case>().valueToKey(AppSection::Case(section)));
}

std::optional<AppSection> sectionFromCaseName(QStringView name)
{
    for (AppSection::Case c : AppSection::allCases()) {
        if (name == caseName(c))
            return AppSection(c);
    }
    return std::nullopt;
}

QStringList allCaseNames()
{
    QStringList all;
    for (AppSection::Case c : AppSection::allCases())
        all.append(caseName(c));
    return all;
}

QVariantList sidebarCaseNames()
{
    QVariantList groups;
    for (const QList<AppSection>& group : AppSection::sidebarGroups()) {
        QStringList names;
        for (AppSection section : group)
            names.append(caseName(section));
        groups.append(names);
    }
    return groups;
}

} // namespace velk::shell
