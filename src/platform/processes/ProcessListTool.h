#pragma once

#include "platform/tools/ToolRunner.h"

#include <cstdint>
#include <string>

namespace velk::platform::processes {

struct ProcessRecord;
class ProcessTable;

// "/bin/ps" served from a folder laid out like /proc. It answers the
// process-list form "-axo <columns>" (also "-ax -o <columns>") with the
// columns pid, ppid, user, pcpu, rss and comm, each optionally followed by
// "=" and its header ("pid=" for no header). One line per process in pid
// order; comm is the full path of the executable where it can be read, else
// the short name with any "/" written as U+2215 (bracketed for processes
// without a command line, such as kernel threads); control characters are
// written as "?"; user names are never shortened, and one that would not come
// through as one cell (empty, or holding a blank or a control character) is
// written as the uid. Any other request ends with
// status 1 and no output, as an unknown option does.
tools::ToolResult processListOutput(const tools::ToolRequest& request, const QString& procRoot);
// The same over a table kept between calls (its root is `procRoot`).
tools::ToolResult processListOutput(const tools::ToolRequest& request, ProcessTable& table, const QString& procRoot);

// The user, command and resident-memory cells of the list for one process,
// for callers that take the rows without the text.
std::string processListUser(const ProcessRecord& record);
std::string processListCommand(const ProcessRecord& record);
std::uint64_t processListRssKb(const ProcessRecord& record);

// Makes the tool runner answer "/bin/ps" from /proc. Safe to call repeatedly.
void registerProcessListTool();

} // namespace velk::platform::processes
