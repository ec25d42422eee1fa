#include "platform/tools/ToolTable.h"

#include <QByteArray>
#include <mutex>
#include <unistd.h>

namespace velk::platform::tools {
namespace {

// Folders searched for a Debian executable, in order.
const QStringList& binaryFolders()
{
    static const QStringList folders{"/usr/bin", "/bin", "/usr/sbin", "/sbin", "/usr/local/bin"};
    return folders;
}

QStringList searched(const QString& name)
{
    QStringList candidates;
    for (const QString& folder : binaryFolders())
        candidates << folder + '/' + name;
    return candidates;
}

struct InProcessRegistry {
    std::mutex mutex;
    QHash<QString, InProcessTool> handlers;
};

InProcessRegistry& registry()
{
    static InProcessRegistry r;
    return r;
}

} // namespace

void ToolTable::add(const QString& tool, const QStringList& executables)
{
    m_entries.insert(tool, executables);
}

QString ToolTable::executableFor(const QString& tool) const
{
    const auto it = m_entries.constFind(tool);
    if (it == m_entries.constEnd())
        return {};
    for (const QString& candidate : *it) {
        if (::access(QByteArray(candidate.toLocal8Bit()).constData(), X_OK) == 0)
            return candidate;
    }
    return {};
}

// The Linux tool table.
//
// Served by a Debian executable (searched in /usr/bin, /bin, /usr/sbin, /sbin,
// /usr/local/bin, first found wins):
//   /usr/sbin/lsof      lsof (same arguments, same field output)
//   /bin/bash, /bin/sh  bash, sh (scripts)
//   /bin/rm             rm
//   /usr/bin/pkexec     pkexec (the administrator prompt)
//   /usr/bin/xdg-open   xdg-open (opening files and applications)
//   /usr/bin/gio        gio (starting desktop entries)
//   /usr/bin/dbus-send  dbus-send (asking the file manager to show files)
// Served in-process when a layer registers a handler (registerInProcessTool);
// a registered handler wins over any entry here for the requests it answers:
//   /bin/ps             from /proc
//   /usr/bin/mdls       download sources from extended attributes
//   /usr/sbin/lsof      its listing of internet sockets, from the kernel's
//                       socket diagnostics and /proc (other questions go to
//                       lsof itself)
// Not present on Linux (nothing equivalent to launch):
//   /usr/bin/top        Mach port counts
//   /bin/launchctl      launchd
//   /usr/bin/mdls       metadata store (unless served in-process)
//   /usr/bin/hdiutil    disk images
// Any other path is not present either.
ToolTable ToolTable::linuxDefault()
{
    ToolTable table;
    table.add("/usr/sbin/lsof", searched("lsof"));
    table.add("/bin/bash", searched("bash"));
    table.add("/bin/sh", searched("sh"));
    table.add("/bin/rm", searched("rm"));
    table.add("/usr/bin/pkexec", searched("pkexec"));
    table.add("/usr/bin/xdg-open", searched("xdg-open"));
    table.add("/usr/bin/gio", searched("gio"));
    table.add("/usr/bin/dbus-send", searched("dbus-send"));
    for (const char* absent : {"/usr/bin/top", "/bin/launchctl", "/usr/bin/mdls", "/usr/bin/hdiutil"})
        table.add(absent, {});
    return table;
}

void registerInProcessTool(const QString& tool, InProcessTool handler)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    if (handler)
        r.handlers.insert(tool, std::move(handler));
    else
        r.handlers.remove(tool);
}

InProcessTool inProcessToolFor(const QString& tool)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    return r.handlers.value(tool);
}

} // namespace velk::platform::tools
