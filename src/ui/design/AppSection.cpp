#include "ui/design/AppSection.h"

#include "engine/language/LanguageManager.h"
#include "ui/design/VDS.h"

#include <algorithm>

namespace velk::design {

namespace {

struct SectionRecord {
    const char16_t* rawValue;
    const char16_t* chinese;
    const char16_t* english;
    const char* icon;
    // Where the sidebar lists the section: its group and its row in the
    // group, both from the top.
    int sidebarGroup;
    int sidebarRow;
};

// Indexed by AppSection::Case.
constexpr SectionRecord records[] = {
    { u"首页", u"首页", u"Home", "house.fill", 0, 0 },
    { u"系统信息", u"系统信息", u"System Info", "macwindow", 2, 1 },
    { u"系统垃圾", u"系统清理", u"System Cleanup", "sparkles", 1, 0 },
    { u"应用卸载", u"应用卸载", u"Uninstaller", "xmark.app", 1, 2 },
    { u"启动管理", u"启动管理", u"Startup", "bolt.circle", 2, 0 },
    { u"大文件", u"大文件", u"Large Files", "doc.viewfinder", 1, 1 },
    { u"隐私清理", u"隐私清理", u"Privacy", "hand.raised", 1, 3 },
    { u"进程监控", u"进程监控", u"Processes", "list.bullet.rectangle", 2, 2 },
};
static_assert(std::size(records) == AppSection::count);

} // namespace

std::optional<AppSection> AppSection::fromRawValue(QStringView raw)
{
    for (Case c : allCases()) {
        if (raw == QStringView(records[c].rawValue))
            return AppSection(c);
    }
    return std::nullopt;
}

QList<QList<AppSection>> AppSection::sidebarGroups()
{
    QList<QList<AppSection>> groups;
    for (Case c : allCases()) {
        const SectionRecord& record = records[c];
        if (groups.size() <= record.sidebarGroup)
            groups.resize(record.sidebarGroup + 1);
        QList<AppSection>& group = groups[record.sidebarGroup];
        const auto at = std::find_if(group.begin(), group.end(),
            [&](AppSection other) { return records[other].sidebarRow > record.sidebarRow; });
        group.insert(at, c);
    }
    return groups;
}

QString AppSection::rawValue() const
{
    return QString::fromUtf16(records[m_case].rawValue);
}

QString AppSection::chineseTitle() const
{
    return QString::fromUtf16(records[m_case].chinese);
}

QString AppSection::englishTitle() const
{
    return QString::fromUtf16(records[m_case].english);
}

QString AppSection::localizedTitle(const language::LanguageManager& language) const
{
    return language.t(chineseTitle(), englishTitle());
}

QString AppSection::icon() const
{
    return QString::fromLatin1(records[m_case].icon);
}

QColor AppSection::color() const
{
    return VDS::accent(*this);
}

} // namespace velk::design
