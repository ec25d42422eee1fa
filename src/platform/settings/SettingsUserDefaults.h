#pragma once

#include "platform/settings/UserDefaultsValues.h"

#include <QMap>
#include <QString>
#include <QVariant>

#include <memory>
#include <mutex>

class QSettings;

namespace velk::platform::settings {

// User defaults kept with QSettings in a JSON file, so that every value reads
// back with the type it was written with: lists stay lists (also empty and
// one-element ones), numbers stay numbers, booleans stay booleans. Every write
// reaches the disk before it returns. A file that cannot be read is moved
// aside (see settingsfile::setAsideIfUnreadable) before the first write, never
// replaced. A path that holds no regular file (a FIFO, a device, a folder) is
// never opened: the store starts empty and the first write moves the entry
// aside. A write that cannot be done keeps its value for the session and logs
// why. Safe to use from any thread.
class SettingsUserDefaults final : public ValueUserDefaults {
public:
    // The application's own store in the user's configuration folder (the
    // config home of the location map), named
    // after the application's organisation and name when these are set
    // ("Velk"/"VelkClean" otherwise).
    SettingsUserDefaults();
    // A store kept in the file at `filePath`.
    explicit SettingsUserDefaults(const QString& filePath);
    ~SettingsUserDefaults() override;

    QString filePath() const;

    bool contains(const QString& key) const override;
    std::optional<QVariant> value(const QString& key) const override;
    void setValue(const QString& key, const QVariant& value) override;
    void remove(const QString& key) override;

private:
    // Writes the store to its file; the caller holds the lock.
    void write();
    void keepForTheSession(const QString& why) const;

    mutable std::mutex m_mutex;
    QString m_path;
    // Null while the path holds something that is not a file; the values
    // then live in `m_session` alone.
    std::unique_ptr<QSettings> m_settings;
    QMap<QString, QVariant> m_session;
};

} // namespace velk::platform::settings
