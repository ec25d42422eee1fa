#pragma once

#include "platform/AppBundle.h"

namespace velk::test {

// AppBundle double: this program "lives" wherever the test says.
class FakeAppBundle final : public platform::AppBundle {
public:
    FakeAppBundle(QString path, QString identifier)
        : m_path(std::move(path))
        , m_identifier(std::move(identifier))
    {
    }
    QString bundlePath() const override { return m_path; }
    QString bundleIdentifier() const override { return m_identifier; }

private:
    QString m_path;
    QString m_identifier;
};

} // namespace velk::test
