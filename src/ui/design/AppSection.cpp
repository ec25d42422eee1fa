#include "ui/design/AppSection.h"

#include "engine/language/LanguageManager.h"
#include "ui/design/VDS.h"

namespace velk {

namespace {

struct SectionRecord {
    const char16_t* rawValue;
    const char16_t* chinese;
    const char16_t* english;
    const char* icon;
};

// Indexed by AppSection::Case.
constexpr SectionRecord records[] = {
    { u"首页", u"首页", u"Home", "house.fill" },
    { u"系统信息", u"系统信息", u"System Info", "macwindow" },
    { u"系统垃圾", u"系统清理", u"System Cleanup", "sparkles" },
    { u"应用卸载", u"应用卸载", u"Uninstaller", "xmark.app" },
    { u"启动管理", u"启动管理", u"Startup", "bolt.circle" },
    { u"大文件", u"大文件", u"Large Files", "doc.viewfinder" },
    { u"隐私清理", u"隐私清理", u"Privacy", "hand.raised" },
    { u"进程监控", u"进程监控", u"Processes", "list.bullet.rectangle" },
};
static_assert(std::size(records) == AppSection::allCases().size());

} // namespace

std::optional<AppSection> AppSection::fromRawValue(QStringView raw)
{
    for (Case c : allCases()) {
        if (raw == QStringView(records[c].rawValue))
            return AppSection(c);
    }
    return std::nullopt;
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

} // namespace velk
