#pragma once

#include "platform/desktop/Workspace.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

namespace velk::test {

// Workspace double: records every request in order and starts nothing.
// Launches succeed unless setFailing(true); icons come from setIcon, else
// "text-x-generic".
class FakeWorkspace final : public platform::desktop::Workspace {
public:
    struct Call {
        QString action;   // "openUrl", "openFile", "revealFiles", "openApplication"
        QStringList arguments;
        bool operator==(const Call&) const = default;
    };

    bool openUrl(const QUrl& url) override { return record("openUrl", {url.toString()}); }
    bool openFile(const QString& path) override { return record("openFile", {path}); }
    void revealFiles(const QStringList& paths) override { record("revealFiles", paths); }
    bool openApplication(const QString& path) override { return record("openApplication", {path}); }
    QString iconFor(const QString& path) const override
    {
        return m_icons.value(path, QStringLiteral("text-x-generic"));
    }

    void setFailing(bool failing) { m_failing = failing; }
    void setIcon(const QString& path, const QString& icon) { m_icons.insert(path, icon); }
    const QList<Call>& calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    bool record(const char* action, QStringList arguments)
    {
        m_calls.append({QString::fromLatin1(action), std::move(arguments)});
        return !m_failing;
    }

    QList<Call> m_calls;
    QHash<QString, QString> m_icons;
    bool m_failing = false;
};

} // namespace velk::test
