#pragma once

#include "platform/settings/UserDefaultsValues.h"

#include <QHash>
#include <mutex>
#include <vector>

namespace velk::test {

// User-defaults double held in memory. It records every write in order (a
// removal is recorded with an invalid value) so tests can check what was
// written and how often; seed() stores a value without recording it.
class MemoryDefaults final : public platform::settings::ValueUserDefaults {
public:
    struct Write {
        QString key;
        QVariant value;
    };

    void seed(const QString& key, const QVariant& value)
    {
        std::lock_guard lock(m_mutex);
        m_values.insert(key, value);
    }

    std::vector<Write> writes() const
    {
        std::lock_guard lock(m_mutex);
        return m_writes;
    }

    // The writes made to `key`, oldest first.
    QVariantList writesTo(const QString& key) const
    {
        std::lock_guard lock(m_mutex);
        QVariantList values;
        for (const Write& w : m_writes)
            if (w.key == key)
                values.append(w.value);
        return values;
    }

    void clearWrites()
    {
        std::lock_guard lock(m_mutex);
        m_writes.clear();
    }

    bool contains(const QString& key) const override
    {
        std::lock_guard lock(m_mutex);
        return m_values.contains(key);
    }

    std::optional<QVariant> value(const QString& key) const override
    {
        std::lock_guard lock(m_mutex);
        const auto it = m_values.constFind(key);
        return it == m_values.cend() ? std::nullopt : std::optional<QVariant>(*it);
    }

    void setValue(const QString& key, const QVariant& value) override
    {
        std::lock_guard lock(m_mutex);
        m_values.insert(key, value);
        m_writes.push_back({key, value});
    }

    void remove(const QString& key) override
    {
        std::lock_guard lock(m_mutex);
        m_values.remove(key);
        m_writes.push_back({key, QVariant()});
    }

private:
    mutable std::mutex m_mutex;
    QHash<QString, QVariant> m_values;
    std::vector<Write> m_writes;
};

} // namespace velk::test
