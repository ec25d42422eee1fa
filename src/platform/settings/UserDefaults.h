#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

namespace velk::platform::settings {

// The application's user-defaults domain. Lists stay lists through a round
// trip, including one-element and empty lists.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    virtual bool contains(const QString& key) const = 0;
    // The stored value as it is, whatever its type.
    virtual std::optional<QVariant> value(const QString& key) const = 0;
    virtual std::optional<QString> string(const QString& key) const = 0;
    virtual std::optional<QStringList> stringList(const QString& key) const = 0;
    virtual std::optional<double> number(const QString& key) const = 0;
    virtual std::optional<bool> boolean(const QString& key) const = 0;

    virtual void setString(const QString& key, const QString& value) = 0;
    virtual void setStringList(const QString& key, const QStringList& value) = 0;
    virtual void setNumber(const QString& key, double value) = 0;
    virtual void setBoolean(const QString& key, bool value) = 0;
    virtual void setValue(const QString& key, const QVariant& value) = 0;
    virtual void remove(const QString& key) = 0;

    static std::shared_ptr<UserDefaults> createDefault();
};

} // namespace velk::platform::settings
