#pragma once

#include <QString>
#include <array>
#include <optional>

namespace velk::design {

struct VelkColorPalette;

// The two colour themes: `cyber` (the dark ink palette) and `classic` (the
// light paper palette). Stored and exchanged as its raw value.
class AppTheme {
public:
    enum Case { cyber, classic };

    constexpr AppTheme(Case value) : m_case(value) { }
    constexpr operator Case() const { return m_case; }

    static constexpr std::array<Case, 2> allCases() { return { cyber, classic }; }
    static std::optional<AppTheme> fromRawValue(QStringView raw);

    QString rawValue() const;
    QString id() const { return rawValue(); }
    QString title(bool isEnglish) const;
    const VelkColorPalette& palette() const;
    bool isDark() const { return m_case == cyber; }

private:
    Case m_case;
};

} // namespace velk::design
