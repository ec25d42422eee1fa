#pragma once

#include "platform/tools/ToolRunner.h"
#include "platform/tools/ToolTable.h"

#include <chrono>

namespace velk::platform::tools {

// Runs tools as child processes (posix_spawn with pipes) after looking them
// up in a ToolTable; tools registered in-process are answered directly.
// Safe to call from any number of threads at once; every child is reaped.
class LinuxToolRunner final : public ToolRunner {
public:
    explicit LinuxToolRunner(ToolTable table = ToolTable::linuxDefault(),
                             std::chrono::milliseconds safetyLimit = std::chrono::seconds(kSafetyLimitSeconds),
                             qsizetype outputLimit = kOutputLimitBytes);

    ToolResult run(const ToolRequest& request) override;
    bool launchDetached(const ToolRequest& request) override;

private:
    ToolResult spawn(const QString& executable, const ToolRequest& request) const;

    ToolTable m_table;
    std::chrono::milliseconds m_safetyLimit;
    qsizetype m_outputLimit;
};

} // namespace velk::platform::tools
