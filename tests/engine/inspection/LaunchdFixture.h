#pragma once

#include "platform/tools/AdminRunner.h"
#include "platform/core/CurrentUser.h"
#include "platform/core/Executor.h"
#include "platform/files/FileRemover.h"
#include "platform/locations/Locations.h"
#include "platform/core/ServiceRegistry.h"
#include "platform/tools/ToolRunner.h"
#include "support/FakeAdminRunner.h"
#include "support/FakeFileRemover.h"
#include "support/FakeToolRunner.h"
#include "support/FakeUser.h"
#include "support/ManualExecutor.h"
#include "support/TempTree.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <mutex>

namespace velk::test {

// A macOS layout over a temporary root (home at root/Users/me, uid 501) with
// a simulated launchd behind "/bin/launchctl" and the administrator prompt:
// it keeps a table of disabled labels per domain and a loaded set, and
// applies the enable, disable and bootout commands it is given.
class LaunchdFixture {
public:
    LaunchdFixture()
        : m_home(m_tree.dir(QStringLiteral("root/Users/me")))
        , m_locations(platform::locations::Locations::macProfile(m_tree.path(QStringLiteral("root")), m_home))
        , m_user(std::make_shared<FakeUser>(m_home, 501))
        , m_tools(std::make_shared<FakeToolRunner>())
        , m_admin(std::make_shared<FakeAdminRunner>())
        , m_remover(std::make_shared<FakeFileRemover>(true))
        , m_executor(std::make_shared<ManualExecutor>())
    {
        m_tree.dir(QStringLiteral("root/Users/me/Library/LaunchAgents"));
        m_tree.dir(QStringLiteral("root/Library/LaunchAgents"));
        m_tree.dir(QStringLiteral("root/Library/LaunchDaemons"));
        m_tools->setResponder(QStringLiteral("/bin/launchctl"),
                              [this](const platform::tools::ToolRequest& request) { return launchctl(request.arguments); });
        m_admin->setOnRun([this](const QString& command) { administrator(command); });
    }

    QString root() const { return m_tree.path(QStringLiteral("root")); }
    QString home() const { return m_home; }
    // Writes a property list into the folder of `scope`, relative to the root.
    QString plist(const QString& folder, const QString& name, const QByteArray& content) const
    {
        return m_tree.fileWithContent(QStringLiteral("root/") + folder + u'/' + name, content);
    }
    QString userAgent(const QString& name, const QByteArray& content) const
    {
        return plist(QStringLiteral("Users/me/Library/LaunchAgents"), name, content);
    }
    QString globalAgent(const QString& name, const QByteArray& content) const
    {
        return plist(QStringLiteral("Library/LaunchAgents"), name, content);
    }
    QString daemon(const QString& name, const QByteArray& content) const
    {
        return plist(QStringLiteral("Library/LaunchDaemons"), name, content);
    }
    void dir(const QString& relative) const { m_tree.dir(QStringLiteral("root/") + relative); }

    // launchd's own state.
    void setDisabled(const QString& domain, const QString& label, bool disabled)
    {
        std::lock_guard lock(m_mutex);
        m_disabled[domain].insert(label, disabled);
    }
    void setLoaded(const QString& label)
    {
        std::lock_guard lock(m_mutex);
        m_loaded.insert(label);
    }
    // The domain's table can no longer be read.
    void breakTable(const QString& domain)
    {
        std::lock_guard lock(m_mutex);
        m_unreadable.insert(domain);
    }
    // Commands for the label succeed but change nothing.
    void ignoreChangesOf(const QString& label)
    {
        std::lock_guard lock(m_mutex);
        m_stuck.insert(label);
    }
    // launchctl is not installed at all.
    void removeLaunchctl() { m_tools->setResponder(QStringLiteral("/bin/launchctl"), {}); }

    FakeToolRunner& tools() const { return *m_tools; }
    FakeAdminRunner& admin() const { return *m_admin; }
    FakeFileRemover& remover() const { return *m_remover; }
    ManualExecutor& executor() const { return *m_executor; }

    static QByteArray xml(const QByteArray& body)
    {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
               "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
               "<plist version=\"1.0\"><dict>"
            + body + "</dict></plist>\n";
    }
    static QByteArray agent(const QByteArray& label, const QByteArray& program, const QByteArray& extra = {})
    {
        return xml("<key>Label</key><string>" + label + "</string><key>Program</key><string>" + program + "</string>"
                   + extra);
    }

private:
    platform::tools::ToolResult launchctl(const QStringList& args)
    {
        std::lock_guard lock(m_mutex);
        const QString verb = args.value(0);
        if (verb == u"list") {
            QByteArray out = "PID\tStatus\tLabel\n";
            for (const QString& label : m_loaded)
                out += "-\t0\t" + label.toUtf8() + '\n';
            return FakeToolRunner::exited(out);
        }
        if (verb == u"print-disabled") {
            const QString domain = args.value(1);
            if (m_unreadable.contains(domain))
                return FakeToolRunner::exited("", 112);
            QByteArray out = "disabled services = {\n";
            const auto table = m_disabled.value(domain);
            for (auto it = table.begin(); it != table.end(); ++it)
                out += "\t\"" + it.key().toUtf8() + "\" => " + (it.value() ? "true" : "false") + '\n';
            return FakeToolRunner::exited(out + "}\n");
        }
        if (verb == u"print") {
            const QString label = args.value(1).section(u'/', 1);
            return FakeToolRunner::exited(m_loaded.contains(label) ? "system/" + label.toUtf8() + " = {}\n" : "", m_loaded.contains(label) ? 0 : 113);
        }
        if (verb == u"enable" || verb == u"disable" || verb == u"bootout") {
            apply(verb, args.value(1));
            return FakeToolRunner::exited("");
        }
        return FakeToolRunner::exited("", 64);
    }

    // Target "domain/label" (gui domains have one more part).
    void apply(const QString& verb, const QString& target)
    {
        const qsizetype cut = target.lastIndexOf(u'/');
        const QString domain = target.left(cut);
        const QString label = target.mid(cut + 1);
        if (m_stuck.contains(label))
            return;
        if (verb == u"bootout")
            m_loaded.remove(label);
        else
            m_disabled[domain].insert(label, verb == u"disable");
    }

    // Carries out the administrator commands the service builds.
    void administrator(const QString& command)
    {
        static const QRegularExpression toggle(QStringLiteral("^/bin/launchctl (enable|disable) '(.*)'$"));
        for (const QString& part : command.split(QStringLiteral(" && "))) {
            const auto match = toggle.match(part);
            if (match.hasMatch()) {
                std::lock_guard lock(m_mutex);
                apply(match.captured(1), match.captured(2).replace(QStringLiteral("'\\''"), QStringLiteral("'")));
            }
        }
        // Removals: the file after each "/bin/rm -f".
        static const QRegularExpression rm(QStringLiteral("/bin/rm -f '((?:[^']|'\\\\'')*)'"));
        for (auto it = rm.globalMatch(command); it.hasNext();)
            QFile::remove(it.next().captured(1).replace(QStringLiteral("'\\''"), QStringLiteral("'")));
    }

    TempTree m_tree;
    QString m_home;
    platform::core::ScopedService<platform::locations::Locations> m_locations;
    std::shared_ptr<FakeUser> m_user;
    platform::core::ScopedService<platform::core::CurrentUser> m_boundUser{m_user};
    std::shared_ptr<FakeToolRunner> m_tools;
    platform::core::ScopedService<platform::tools::ToolRunner> m_boundTools{m_tools};
    std::shared_ptr<FakeAdminRunner> m_admin;
    platform::core::ScopedService<platform::tools::AdminRunner> m_boundAdmin{m_admin};
    std::shared_ptr<FakeFileRemover> m_remover;
    platform::core::ScopedService<platform::files::FileRemover> m_boundRemover{m_remover};
    std::shared_ptr<ManualExecutor> m_executor;
    platform::core::ScopedService<platform::core::Executor> m_boundExecutor{m_executor};

    std::mutex m_mutex;
    QHash<QString, QHash<QString, bool>> m_disabled;
    QSet<QString> m_loaded;
    QSet<QString> m_unreadable;
    QSet<QString> m_stuck;
};

} // namespace velk::test
