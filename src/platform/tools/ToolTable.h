#pragma once

#include "platform/tools/ToolRunner.h"

#include <QHash>
#include <QString>
#include <QStringList>

namespace velk::platform::tools {

// Maps the tool paths the engines name to the executables that serve them on
// this machine. A tool missing from the table, or whose executables are all
// missing, is not present: running it launches nothing.
class ToolTable {
public:
    // `tool` is served by the first of `executables` that exists and may be
    // executed. An empty list marks the tool as not present.
    void add(const QString& tool, const QStringList& executables);

    // The executable serving `tool`, or empty when it is not present here.
    QString executableFor(const QString& tool) const;

    // The table used on Linux (see ToolTable.cpp for the choices).
    static ToolTable linuxDefault();

private:
    QHash<QString, QStringList> m_entries;
};

// The handler registered for `tool` with registerInProcessTool, if any.
InProcessTool inProcessToolFor(const QString& tool);

} // namespace velk::platform::tools
