#include "platform/settings/SettingsUserDefaults.h"

#include "platform/core/ServiceRegistry.h"
#include "platform/locations/Locations.h"
#include "platform/settings/SettingsFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QIODevice>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLoggingCategory>
#include <QSettings>

#include <sys/stat.h>

#include <cmath>

namespace velk::platform::settings {
namespace {

Q_LOGGING_CATEGORY(settingsLog, "velk.platform.settings")

// What the format's writer saw of one write of the calling thread's store.
// The store's file is written inside QSettings::sync(), which reports no
// failure of its own for that one write.
struct WriteReport {
    bool reached = false;
    bool written = false;
    qint64 size = 0;
    QString error;
};
thread_local WriteReport* t_report = nullptr;

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
    // Flushed here, so that a full disk shows as this write's failure.
    auto* file = qobject_cast<QFileDevice*>(&device);
    const bool written = device.write(content) == content.size() && (!file || file->flush());
    if (t_report) {
        t_report->reached = true;
        t_report->written = written;
        t_report->size = content.size();
        t_report->error = device.errorString();
    }
    return written;
}

QSettings::Format jsonFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("json"), readJson, writeJson);
    return format;
}

} // namespace

namespace {

// The application's store in the user's configuration folder, the config
// home of the location map.
QString applicationStorePath()
{
    const bool named = !QCoreApplication::organizationName().isEmpty();
    const QString organisation = named ? QCoreApplication::organizationName() : QStringLiteral("Velk");
    const QString application = named ? QCoreApplication::applicationName() : QStringLiteral("VelkClean");
    return core::service<locations::Locations>()->configHome() + '/' + organisation + '/' + application
           + QStringLiteral(".json");
}

qint64 sizeAt(const QString& path)
{
    struct stat target {};
    return ::stat(QFile::encodeName(path).constData(), &target) == 0 && S_ISREG(target.st_mode) ? target.st_size : -1;
}

} // namespace

SettingsUserDefaults::SettingsUserDefaults()
    : SettingsUserDefaults(applicationStorePath())
{
}

SettingsUserDefaults::SettingsUserDefaults(const QString& filePath)
    : m_path(filePath)
{
    // QSettings reads its file as it is made, and would wait forever on a FIFO.
    if (settingsfile::isNotAFile(m_path))
        qCWarning(settingsLog).noquote() << "settings at" << m_path << "are not a regular file and are not read";
    else
        m_settings = std::make_unique<QSettings>(m_path, jsonFormat());
}

SettingsUserDefaults::~SettingsUserDefaults() = default;

QString SettingsUserDefaults::filePath() const
{
    return m_path;
}

bool SettingsUserDefaults::contains(const QString& key) const
{
    std::lock_guard lock(m_mutex);
    return m_settings ? m_settings->contains(key) : m_session.contains(key);
}

std::optional<QVariant> SettingsUserDefaults::value(const QString& key) const
{
    std::lock_guard lock(m_mutex);
    if (!m_settings)
        return m_session.contains(key) ? std::optional<QVariant>(m_session.value(key)) : std::nullopt;
    if (!m_settings->contains(key))
        return std::nullopt;
    return m_settings->value(key);
}

void SettingsUserDefaults::setValue(const QString& key, const QVariant& value)
{
    std::lock_guard lock(m_mutex);
    if (m_settings)
        m_settings->setValue(key, value);
    else
        m_session.insert(key, value);
    write();
}

void SettingsUserDefaults::remove(const QString& key)
{
    std::lock_guard lock(m_mutex);
    if (m_settings)
        m_settings->remove(key);
    else
        m_session.remove(key);
    write();
}

void SettingsUserDefaults::write()
{
    // A file that could not be read holds keys this store never saw; the
    // write would replace them all. Something that is not a file would block
    // the write or swallow it.
    const settingsfile::SetAside aside = settingsfile::setAsideIfUnreadable(m_path);
    if (!aside.failure.isEmpty()) {
        keepForTheSession(aside.failure);
        return;
    }
    if (!m_settings) {
        m_settings = std::make_unique<QSettings>(m_path, jsonFormat());
        for (auto it = m_session.cbegin(); it != m_session.cend(); ++it)
            m_settings->setValue(it.key(), it.value());
        m_session.clear();
    }
    // A write that fails leaves the values in QSettings, which writes them
    // with the next one that succeeds.
    WriteReport report;
    t_report = &report;
    m_settings->sync();
    t_report = nullptr;
    if (report.reached && !report.written)
        keepForTheSession(report.error);
    else if (!report.reached || sizeAt(m_path) != report.size)
        keepForTheSession(settingsfile::whyUnwritable(m_path));
}

void SettingsUserDefaults::keepForTheSession(const QString& why) const
{
    qCWarning(settingsLog).noquote() << "settings at" << m_path << "not saved, the values stay for this session:" << why;
}

std::shared_ptr<UserDefaults> UserDefaults::createDefault()
{
    return std::make_shared<SettingsUserDefaults>();
}

} // namespace velk::platform::settings
