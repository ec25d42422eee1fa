#pragma once

#include "platform/core/CurrentUser.h"

#include <QString>

namespace velk::test {

// A CurrentUser double with a chosen home, uid and name.
class FakeUser : public platform::core::CurrentUser {
public:
    explicit FakeUser(QString home = "/home/tester", uint uid = 501, QString name = "tester")
        : m_home(std::move(home))
        , m_uid(uid)
        , m_name(std::move(name))
    {
    }

    QString homePath() const override { return m_home; }
    uint uid() const override { return m_uid; }
    QString userName() const override { return m_name; }

    void setHomePath(const QString& home) { m_home = home; }
    void setUid(uint uid) { m_uid = uid; }
    void setUserName(const QString& name) { m_name = name; }

private:
    QString m_home;
    uint m_uid;
    QString m_name;
};

} // namespace velk::test
