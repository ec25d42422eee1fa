#include "common/format/Formatting.h"

#include <array>

namespace velk::fmt {
namespace {

enum class Unit { Year, Month, Week, Day, Hour, Minute, Second };

struct Span {
    Unit unit;
    qint64 count;
};

// The largest whole calendar unit between `from` and `to` (from <= to),
// counted on the local calendar: years, then months, then weeks and days,
// then hours, minutes and seconds.
Span largestUnit(const QDateTime& from, const QDateTime& to)
{
    const QDate a = from.date();
    const QDate b = to.date();

    qint64 years = b.year() - a.year();
    if (years > 0 && from.addYears(int(years)) > to)
        --years;
    if (years > 0)
        return {Unit::Year, years};

    qint64 months = (b.year() - a.year()) * 12 + (b.month() - a.month());
    if (months > 0 && from.addMonths(int(months)) > to)
        --months;
    if (months > 0)
        return {Unit::Month, months};

    qint64 days = a.daysTo(b);
    if (days > 0 && from.addDays(days) > to)
        --days;
    if (days >= 7)
        return {Unit::Week, days / 7};
    if (days > 0)
        return {Unit::Day, days};

    const qint64 seconds = from.secsTo(to);
    if (seconds >= 3600)
        return {Unit::Hour, seconds / 3600};
    if (seconds >= 60)
        return {Unit::Minute, seconds / 60};
    return {Unit::Second, seconds};
}

QString grouped(qint64 n)
{
    QString digits = QString::number(n);
    for (qsizetype i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(','));
    return digits;
}

QString englishRelative(Span span, bool past)
{
    const QString n = grouped(span.count);
    QString unit;
    switch (span.unit) {
    case Unit::Year: unit = QStringLiteral("yr."); break;
    case Unit::Month: unit = QStringLiteral("mo."); break;
    case Unit::Week: unit = QStringLiteral("wk."); break;
    case Unit::Day: unit = span.count == 1 ? QStringLiteral("day") : QStringLiteral("days"); break;
    case Unit::Hour: unit = QStringLiteral("hr."); break;
    case Unit::Minute: unit = QStringLiteral("min."); break;
    case Unit::Second: unit = QStringLiteral("sec."); break;
    }
    return past ? n + QLatin1Char(' ') + unit + QStringLiteral(" ago")
                : QStringLiteral("in ") + n + QLatin1Char(' ') + unit;
}

QString chineseRelative(Span span, bool past)
{
    QString unit;
    switch (span.unit) {
    case Unit::Year: unit = QStringLiteral("年"); break;
    case Unit::Month: unit = QStringLiteral("个月"); break;
    case Unit::Week: unit = QStringLiteral("周"); break;
    case Unit::Day: unit = QStringLiteral("天"); break;
    case Unit::Hour: unit = QStringLiteral("小时"); break;
    case Unit::Minute: unit = QStringLiteral("分钟"); break;
    case Unit::Second: unit = QStringLiteral("秒"); break;
    }
    return grouped(span.count) + unit + (past ? QStringLiteral("前") : QStringLiteral("后"));
}

constexpr std::array<const char*, 12> kMonths = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                                 "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

} // namespace

QString relativeDate(const QDateTime& date, const QDateTime& now, Lang lang)
{
    if (!date.isValid() || !now.isValid())
        return {};
    const QDateTime then = date.toLocalTime();
    const QDateTime current = now.toLocalTime();
    // The same moment reads as "in 0 sec.", as the platform's wording has it.
    const bool past = then < current;
    const Span span = past ? largestUnit(then, current) : largestUnit(current, then);
    return lang == Lang::English ? englishRelative(span, past) : chineseRelative(span, past);
}

QString mediumDate(const QDateTime& date, Lang lang)
{
    if (!date.isValid())
        return {};
    const QDate d = date.toLocalTime().date();
    if (lang == Lang::Chinese)
        return QStringLiteral("%1年%2月%3日").arg(d.year()).arg(d.month()).arg(d.day());
    return QStringLiteral("%1 %2, %3").arg(QLatin1String(kMonths[std::size_t(d.month() - 1)])).arg(d.day()).arg(d.year());
}

QString shortTime(const QDateTime& time, Lang lang)
{
    if (!time.isValid())
        return {};
    const QTime t = time.toLocalTime().time();
    if (lang == Lang::Chinese)
        return QStringLiteral("%1:%2").arg(t.hour(), 2, 10, QLatin1Char('0')).arg(t.minute(), 2, 10, QLatin1Char('0'));
    const int hour12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    return QStringLiteral("%1:%2 %3")
        .arg(hour12)
        .arg(t.minute(), 2, 10, QLatin1Char('0'))
        .arg(t.hour() < 12 ? QStringLiteral("AM") : QStringLiteral("PM"));
}

QString mediumDateShortTime(const QDateTime& dateTime, Lang lang)
{
    if (!dateTime.isValid())
        return {};
    const QString separator = lang == Lang::Chinese ? QStringLiteral(" ") : QStringLiteral(" at ");
    return mediumDate(dateTime, lang) + separator + shortTime(dateTime, lang);
}

QString numericDate(const QDateTime& date)
{
    if (!date.isValid())
        return {};
    const QDate d = date.toLocalTime().date();
    return QStringLiteral("%1/%2/%3")
        .arg(d.year(), 4, 10, QLatin1Char('0'))
        .arg(d.month(), 2, 10, QLatin1Char('0'))
        .arg(d.day(), 2, 10, QLatin1Char('0'));
}

QString uptime(double seconds, Lang lang)
{
    // Whole seconds toward zero; a value that is no number or too large for
    // a count of seconds is read as 0 or the largest count.
    std::int64_t s = 0;
    if (std::isfinite(seconds))
        s = seconds >= 9.0e18 ? INT64_C(9000000000000000000) : seconds <= -9.0e18 ? -INT64_C(9000000000000000000)
                                                                                  : static_cast<std::int64_t>(seconds);
    const std::int64_t h = s / 3600;
    const std::int64_t m = (s % 3600) / 60;
    const QString hs = QString::number(h);
    const QString ms = QString::number(m);
    if (s < 3600)
        return lang == Lang::English ? ms + u'm' : ms + QStringLiteral(" 分钟");
    if (s < 86400)
        return lang == Lang::English ? hs + QStringLiteral("h ") + ms + u'm' : hs + QStringLiteral(" 小时 ") + ms + QStringLiteral(" 分钟");
    const QString ds = QString::number(h / 24);
    const QString rh = QString::number(h % 24);
    return lang == Lang::English ? ds + QStringLiteral("d ") + rh + u'h' : ds + QStringLiteral(" 天 ") + rh + QStringLiteral(" 小时");
}

} // namespace velk::fmt
