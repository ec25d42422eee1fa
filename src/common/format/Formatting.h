#pragma once

#include <QDateTime>
#include <QString>
#include <cstdint>

namespace velk::fmt {

// The interface languages the texts come in.
enum class Lang { Chinese, English };
// "en" is English; every other code is Chinese.
Lang langFromCode(const QString& code);

// The language the shared formatters use when none is given; kept in step
// with the interface language. Safe to read and write from any thread.
Lang displayLanguage();
void setDisplayLanguage(Lang lang);

// Byte counts as the platform's byte-count formatter writes them.
// File: 1000-based ("12.3 MB"); Memory and Binary: 1024-based.
// Whole kilobytes, one fractional digit for megabytes, two from gigabytes
// up, trailing zeros dropped; a value that rounds to 1000 of a unit is
// written in the next unit ("1 MB", never "1000 KB"). Halves round up.
enum class ByteStyle { File, Memory, Binary };
QString byteCount(std::int64_t bytes, ByteStyle style, Lang lang);
inline QString byteCount(std::int64_t bytes, ByteStyle style = ByteStyle::File)
{
    return byteCount(bytes, style, displayLanguage());
}

// printf("%.*f") without the locale, rounding exactly as C does. Not-a-number
// is "nan", infinities "inf" and "-inf". Negative `digits` count as 0.
QString fixed(double value, int digits);

// A fraction as a whole percentage: fraction × 100 rounded to the nearest
// integer, halves away from zero, then "%" ("0.425" → "43%"). A value that
// is not a finite number, or whose percentage is beyond ±1e15, gives "—".
QString percent(double fraction);

// A count rounded to the nearest integer (halves away from zero) with ","
// between groups of three digits whatever the locale ("1,234,567").
// Not-a-number, infinities and magnitudes beyond ±1e15 give "—".
QString groupedCount(double count);

// Relative date in the short wording ("3 min. ago" / "3分钟前", "in 2 days" /
// "2天后") of `date` seen from `now`: the largest whole calendar unit
// (years, months, weeks, days, hours, minutes, seconds) between the two.
QString relativeDate(const QDateTime& date, const QDateTime& now, Lang lang);
// Medium date ("Dec 8, 2026" / "2026年12月8日"), short time ("9:05 PM" /
// "21:05"), and both ("Dec 8, 2026 at 9:05 PM" / "2026年12月8日 21:05"), in
// local time. An invalid date gives an empty text.
QString mediumDate(const QDateTime& date, Lang lang);
QString shortTime(const QDateTime& time, Lang lang);
QString mediumDateShortTime(const QDateTime& dateTime, Lang lang);
// The local calendar day as "yyyy/MM/dd" ("2026/12/08") in every language;
// an invalid date gives an empty text.
QString numericDate(const QDateTime& date);

// A whole number in plain decimal, as ids and ports are written:
// "1234567"; rounded to the nearest integer, "—" when no finite number.
QString decimal(double value);
// A fraction 0…1 as a percentage with `digits` decimals, rounding as C
// does: "12.3%" for (0.123, 1); "—" when no finite number.
QString fixedPercent(double fraction, int digits);

// Seconds since boot in whole minutes, hours and days: "1h 1m" / "1 小时 1 分钟".
QString uptime(double seconds, Lang lang);

// Texts of the monitoring screens. A byte count in the memory style.
QString memoryBytes(std::uint64_t bytes);
// Megabytes: "512 MB", from 1024 on "1.00 GB".
QString megabytes(double megabytes);
// Decimal megabytes of process memory: "999.9 MB", from 1000 on "1.00 GB".
QString processMegabytes(double megabytes);
// Percent: "9.5%", from 10 on "12%".
QString cpuPercent(double percent);

// A name, path or command line that the program did not write, as it is
// shown: characters that would act on the text around them instead of
// being read (direction embeddings, overrides, isolates and marks, control
// characters, line and paragraph separators) appear as "\n", "\t", "\r" or
// "<U+202E>"; letters of every script stay as they are. Only for showing:
// what is compared, searched or removed is the name itself.
QString shownName(const QString& name);
// shownName between a first-strong isolate and its pop, for a name inside a
// longer text: a name in a right-to-left script stays readable and cannot
// reorder the words around it. An empty name stays empty.
QString isolatedName(const QString& name);

} // namespace velk::fmt
