#include "ui/shell/SectionNames.h"

namespace velk::shell {
namespace {

// Indexed by AppSection::Case.
constexpr const char16_t* names[] = {
    u"dashboard", u"systemInfo", u"systemJunk", u"appUninstall", u"startup", u"largeFiles", u"privacy", u"processes",
};
static_assert(std::size(names) == AppSection::allCases().size());

} // namespace

QString caseName(AppSection section)
{
    return QString::fromUtf16(names[AppSection::Case(section)]);
}

std::optional<AppSection> sectionFromCaseName(QStringView name)
{
    for (AppSection::Case c : AppSection::allCases()) {
        if (name == QStringView(names[c]))
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

} // namespace velk::shell
