#include "platform/SettingsUserDefaults.h"

#include "platform/SettingsFile.h"

#include <QCoreApplication>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSettings>

#include <cmath>

namespace velk::platform {
namespace {

QJsonValue toJson(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QStringList:
        return QJsonArray::fromStringList(value.toStringList());
    case QMetaType::QVariantList: {
        QJsonArray array;
        for (const QVariant& element : value.toList())
            array.append(toJson(element));
        return array;
    }
    case QMetaType::Float:
    case QMetaType::Double: {
        // JSON has no spelling for these; they come back as texts.
        const double number = value.toDouble();
        if (std::isnan(number))
            return QStringLiteral("nan");
        if (std::isinf(number))
            return number < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
        return number;
    }
    default:
        return QJsonValue::fromVariant(value);
    }
}

QVariant fromJson(const QJsonValue& json)
{
    if (!json.isArray())
        return json.toVariant();
    const QJsonArray array = json.toArray();
    bool allTexts = true;
    QVariantList list;
    for (const QJsonValue& element : array) {
        allTexts = allTexts && element.isString();
        list.append(fromJson(element));
    }
    if (!allTexts)
        return list;
    QStringList texts;
    for (const QJsonValue& element : array)
        texts.append(element.toString());
    return texts;
}

bool readJson(QIODevice& device, QSettings::SettingsMap& map)
{
    const QByteArray content = device.readAll();
    if (content.trimmed().isEmpty())
        return true;
    const std::optional<QJsonObject> object = settingsfile::parse(content);
    if (!object)
        return false;
    for (auto it = object->begin(); it != object->end(); ++it)
        map.insert(it.key(), fromJson(it.value()));
    return true;
}

bool writeJson(QIODevice& device, const QSettings::SettingsMap& map)
{
    QJsonObject object;
    for (auto it = map.begin(); it != map.end(); ++it)
        object.insert(it.key(), toJson(it.value()));
    const QByteArray content = QJsonDocument(object).toJson(QJsonDocument::Indented);
    return device.write(content) == content.size();
}

QSettings::Format jsonFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("json"), readJson, writeJson);
    return format;
}

} // namespace

SettingsUserDefaults::SettingsUserDefaults()
{
    const bool named = !QCoreApplication::organizationName().isEmpty();
    const QString organisation = named ? QCoreApplication::organizationName() : QStringLiteral("Velk");
    const QString application = named ? QCoreApplication::applicationName() : QStringLiteral("VelkClean");
    m_settings = std::make_unique<QSettings>(jsonFormat(), QSettings::UserScope, organisation, application);
}

SettingsUserDefaults::SettingsUserDefaults(const QString& filePath)
    : m_settings(std::make_unique<QSettings>(filePath, jsonFormat()))
{
}

SettingsUserDefaults::~SettingsUserDefaults() = default;

QString SettingsUserDefaults::filePath() const
{
    std::lock_guard lock(m_mutex);
    return m_settings->fileName();
}

bool SettingsUserDefaults::contains(const QString& key) const
{
    std::lock_guard lock(m_mutex);
    return m_settings->contains(key);
}

std::optional<QVariant> SettingsUserDefaults::value(const QString& key) const
{
    std::lock_guard lock(m_mutex);
    if (!m_settings->contains(key))
        return std::nullopt;
    return m_settings->value(key);
}

void SettingsUserDefaults::setValue(const QString& key, const QVariant& value)
{
    std::lock_guard lock(m_mutex);
    m_settings->setValue(key, value);
    write();
}

void SettingsUserDefaults::remove(const QString& key)
{
    std::lock_guard lock(m_mutex);
    m_settings->remove(key);
    write();
}

void SettingsUserDefaults::write()
{
    // A file that could not be read holds keys this store never saw; the
    // write would replace them all.
    settingsfile::setAsideIfUnreadable(m_settings->fileName());
    m_settings->sync();
}

std::shared_ptr<UserDefaults> UserDefaults::createDefault()
{
    return std::make_shared<SettingsUserDefaults>();
}

} // namespace velk::platform
