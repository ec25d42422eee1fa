#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace velk::platform::fmt {

// The interface languages the texts come in.
enum class Lang { Chinese, English };
// "en" is English; every other code is Chinese.
Lang langFromCode(const QString& code);

// The language the shared formatters use when none is given; kept in step
// with the interface language.
Lang displayLanguage();
void setDisplayLanguage(Lang lang);

// Byte counts as the platform's byte-count formatter writes them.
// File: 1000-based ("12.3 MB"); Memory and Binary: 1024-based.
enum class ByteStyle { File, Memory, Binary };
QString byteCount(std::int64_t bytes, ByteStyle style, Lang lang);
inline QString byteCount(std::int64_t bytes, ByteStyle style = ByteStyle::File)
{
    return byteCount(bytes, style, displayLanguage());
}

// printf("%.*f") without the locale, rounding exactly as C does.
QString fixed(double value, int digits);

// Relative date ("3 minutes ago" / "3分钟前") of `date` seen from `now`.
QString relativeDate(const QDateTime& date, const QDateTime& now, Lang lang);
// Medium date ("Dec 8, 2026" / "2026年12月8日"), short time, and both.
QString mediumDate(const QDateTime& date, Lang lang);
QString shortTime(const QDateTime& time, Lang lang);
QString mediumDateShortTime(const QDateTime& dateTime, Lang lang);

} // namespace velk::platform::fmt
