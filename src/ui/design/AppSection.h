#pragma once

#include <QColor>
#include <QString>
#include <array>
#include <optional>

namespace velk::language {
class LanguageManager;
}
namespace velk {

// The eight screens of the main window. The raw value (the Chinese section
// name) doubles as the identifier.
class AppSection {
public:
    enum Case { dashboard, systemInfo, systemJunk, appUninstall, startup, largeFiles, privacy, processes };

    constexpr AppSection(Case value) : m_case(value) { }
    constexpr operator Case() const { return m_case; }

    static constexpr std::array<Case, 8> allCases()
    {
        return { dashboard, systemInfo, systemJunk, appUninstall, startup, largeFiles, privacy, processes };
    }
    // Exact match against the raw values.
    static std::optional<AppSection> fromRawValue(QStringView raw);

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

} // namespace velk
