#pragma once

#include <QColor>
#include <QList>
#include <QObject>
#include <QString>
#include <array>
#include <optional>

namespace velk::language {
class LanguageManager;
}
namespace velk::design {

// The eight screens of the main window, in their order; the last one ends
// the count. The raw value (the Chinese section name) doubles as the
// identifier; the names of the cases ("systemInfo") are the case names the
// window's hosts, object names and the command line use.
class AppSection {
    Q_GADGET
public:
    enum Case { dashboard, systemInfo, systemJunk, appUninstall, startup, largeFiles, privacy, processes };
    Q_ENUM(Case)
    static constexpr std::size_t count = processes + 1;

    constexpr AppSection(Case value) : m_case(value) { }
    constexpr operator Case() const { return m_case; }

    static constexpr std::array<Case, count> allCases()
    {
        std::array<Case, count> all {};
        for (std::size_t i = 0; i < count; ++i)
            all[i] = Case(i);
        return all;
    }
    // Exact match against the raw values.
    static std::optional<AppSection> fromRawValue(QStringView raw);
    // The sidebar's rows: its groups from the top, each with its sections
    // from the top.
    static QList<QList<AppSection>> sidebarGroups();

    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString chineseTitle() const;
    QString englishTitle() const;
    QString localizedTitle(const language::LanguageManager& language) const;
    // Symbol name of the section.
    QString icon() const;
    QColor color() const;

private:
    Case m_case;
};

} // namespace velk::design
