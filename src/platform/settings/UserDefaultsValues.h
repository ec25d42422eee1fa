#pragma once

#include "platform/settings/UserDefaults.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// How a stored defaults value reads as each type. Every user-defaults store
// shares these rules so that the program and its test doubles agree.
namespace velk::platform::settings::defaults {

// Texts only.
std::optional<QString> asString(const QVariant& value);
// Lists whose every element is a text.
std::optional<QStringList> asStringList(const QVariant& value);
// Numbers, and texts that are a whole number in C notation ("2", "0.5",
// "1e3"); any other text is not a number.
std::optional<double> asNumber(const QVariant& value);
// Booleans, numbers (non-zero is true) and the texts "true"/"yes"/"1" and
// "false"/"no"/"0" in any letter case.
std::optional<bool> asBoolean(const QVariant& value);

} // namespace velk::platform::settings::defaults

namespace velk::platform::settings {

// A user-defaults store built on four raw operations; the typed reads and
// writes follow the shared rules above.
class ValueUserDefaults : public UserDefaults {
public:
    std::optional<QString> string(const QString& key) const final;
    std::optional<QStringList> stringList(const QString& key) const final;
    std::optional<double> number(const QString& key) const final;
    std::optional<bool> boolean(const QString& key) const final;

    void setString(const QString& key, const QString& value) final;
    void setStringList(const QString& key, const QStringList& value) final;
    void setNumber(const QString& key, double value) final;
    void setBoolean(const QString& key, bool value) final;
};

} // namespace velk::platform::settings
