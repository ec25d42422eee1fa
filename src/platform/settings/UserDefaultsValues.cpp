#include "platform/settings/UserDefaultsValues.h"

#include <QLocale>

namespace velk::platform::settings::defaults {
namespace {

bool isNumeric(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Float:
    case QMetaType::Double:
        return true;
    default:
        return false;
    }
}

} // namespace

std::optional<QString> asString(const QVariant& value)
{
    if (value.typeId() == QMetaType::QString)
        return value.toString();
    return std::nullopt;
}

std::optional<QStringList> asStringList(const QVariant& value)
{
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList();
    if (value.typeId() != QMetaType::QVariantList)
        return std::nullopt;
    QStringList list;
    for (const QVariant& element : value.toList()) {
        if (element.typeId() != QMetaType::QString)
            return std::nullopt;
        list.append(element.toString());
    }
    return list;
}

std::optional<double> asNumber(const QVariant& value)
{
    if (isNumeric(value))
        return value.toDouble();
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    bool ok = false;
    const double number = QLocale::c().toDouble(value.toString(), &ok);
    return ok ? std::optional<double>(number) : std::nullopt;
}

std::optional<bool> asBoolean(const QVariant& value)
{
    if (value.typeId() == QMetaType::Bool)
        return value.toBool();
    if (isNumeric(value))
        return value.toDouble() != 0.0;
    if (value.typeId() != QMetaType::QString)
        return std::nullopt;
    const QString text = value.toString().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("yes") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("no") || text == QLatin1String("0"))
        return false;
    return std::nullopt;
}

} // namespace velk::platform::settings::defaults

namespace velk::platform::settings {
namespace {

template <class T>
std::optional<T> read(const UserDefaults& store, const QString& key, std::optional<T> (*convert)(const QVariant&))
{
    const std::optional<QVariant> value = store.value(key);
    return value ? convert(*value) : std::nullopt;
}

} // namespace

std::optional<QString> ValueUserDefaults::string(const QString& key) const
{
    return read(*this, key, &defaults::asString);
}

std::optional<QStringList> ValueUserDefaults::stringList(const QString& key) const
{
    return read(*this, key, &defaults::asStringList);
}

std::optional<double> ValueUserDefaults::number(const QString& key) const
{
    return read(*this, key, &defaults::asNumber);
}

std::optional<bool> ValueUserDefaults::boolean(const QString& key) const
{
    return read(*this, key, &defaults::asBoolean);
}

void ValueUserDefaults::setString(const QString& key, const QString& value)
{
    setValue(key, QVariant(value));
}

void ValueUserDefaults::setStringList(const QString& key, const QStringList& value)
{
    setValue(key, QVariant(value));
}

void ValueUserDefaults::setNumber(const QString& key, double value)
{
    setValue(key, QVariant(value));
}

void ValueUserDefaults::setBoolean(const QString& key, bool value)
{
    setValue(key, QVariant(value));
}

} // namespace velk::platform::settings
