#include "ui/design/Formatter.h"

#include "ui/design/NameLine.h"

#include "engine/language/LanguageManager.h"
#include "platform/core/Clock.h"
#include "common/format/Formatting.h"
#include "platform/core/ServiceRegistry.h"

#include <QFontMetricsF>
#include <QKeySequence>
#include <QMetaProperty>
#include <QQmlEngine>

#include <algorithm>
#include <cmath>
#include <limits>

namespace velk::design {
namespace {

namespace fmt = velk::fmt;

// QML numbers are doubles: the count is taken toward zero, saturated at the
// ends of the range, and 0 when it is no number at all.
std::int64_t byteCountOf(double bytes)
{
    if (std::isnan(bytes))
        return 0;
    constexpr double top = 9.2e18;
    if (bytes >= top)
        return std::numeric_limits<std::int64_t>::max();
    if (bytes <= -top)
        return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(bytes);
}

} // namespace

fmt::Lang Formatter::language() const
{
    language::LanguageManager& manager = language::LanguageManager::shared();
    if (const QQmlEngine* engine = qmlEngine(this)) {
        const QMetaObject* meta = manager.metaObject();
        engine->captureProperty(&manager, meta->property(meta->indexOfProperty("current")));
    }
    return manager.isEnglish() ? fmt::Lang::English : fmt::Lang::Chinese;
}

QString Formatter::bytes(double value) const
{
    return fmt::byteCount(byteCountOf(value), fmt::ByteStyle::File, language());
}

QString Formatter::memoryBytes(double value) const
{
    return fmt::byteCount(byteCountOf(value), fmt::ByteStyle::Memory, language());
}

QString Formatter::binaryBytes(double value) const
{
    return fmt::byteCount(byteCountOf(value), fmt::ByteStyle::Binary, language());
}

QString Formatter::fixed(double value, int digits) const
{
    return fmt::fixed(value, digits);
}

QString Formatter::percent(double fraction) const
{
    return fmt::percent(fraction);
}

QString Formatter::count(double value) const
{
    return fmt::groupedCount(value);
}

QString Formatter::decimal(double value) const
{
    return fmt::decimal(value);
}

QString Formatter::fixedPercent(double fraction, int digits) const
{
    return fmt::fixedPercent(fraction, digits);
}

QString Formatter::uptime(double seconds) const
{
    return fmt::uptime(seconds, language());
}

QString Formatter::relativeDate(const QDateTime& date) const
{
    const fmt::Lang lang = language();
    if (!date.isValid())
        return {};
    return fmt::relativeDate(date, platform::core::service<platform::core::Clock>()->now(), lang);
}

QString Formatter::mediumDateTime(const QDateTime& date) const
{
    return fmt::mediumDateShortTime(date, language());
}

QString Formatter::shortcut(const QVariant& sequence) const
{
    QKeySequence keys;
    if (sequence.typeId() == QMetaType::QKeySequence)
        keys = sequence.value<QKeySequence>();
    else if (sequence.typeId() == QMetaType::Int)
        keys = QKeySequence(static_cast<QKeySequence::StandardKey>(sequence.toInt()));
    else
        keys = QKeySequence::fromString(sequence.toString(), QKeySequence::PortableText);
    return keys.toString(QKeySequence::NativeText);
}

QString Formatter::numericDate(const QDateTime& date) const
{
    return fmt::numericDate(date);
}

QString Formatter::shownName(const QString& name) const
{
    return fmt::shownName(name);
}

QString Formatter::shownLine(const QString& name) const
{
    return design::shownLine(name);
}

QString Formatter::fittedLine(const QString& name, const QFont& font, qreal width, int elide,
                              const QString& prefix) const
{
    const QFontMetricsF metrics(font);
    const auto advance = [&metrics](QStringView text) { return metrics.horizontalAdvance(text.toString()); };
    const qreal room = width > 0 ? std::max<qreal>(1, width - advance(prefix)) : width;
    return prefix + design::fittedLine(name, room, static_cast<Qt::TextElideMode>(elide), advance);
}

} // namespace velk::design
