#pragma once

#include "platform/ToolRunner.h"

namespace velk::platform {

// "/bin/ps" served from a folder laid out like /proc. It answers the
// process-list form "-axo <columns>" (also "-ax -o <columns>") with the
// columns pid, ppid, user, pcpu, rss and comm, each optionally followed by
// "=" and its header ("pid=" for no header). One line per process in pid
// order; comm is the full path of the executable where it can be read, else
// the short name with any "/" written as U+2215 (bracketed for processes
// without a command line, such as kernel threads); control characters are
// written as "?"; user names are never shortened. Any other request ends with
// status 1 and no output, as an unknown option does.
ToolResult processListOutput(const ToolRequest& request, const QString& procRoot);

// Makes the tool runner answer "/bin/ps" from /proc. Safe to call repeatedly.
void registerProcessListTool();

} // namespace velk::platform
