#pragma once

#include <QString>
#include <memory>

namespace velk::platform::tools {

// Runs one shell command as administrator, after the platform's
// authorization prompt. Blocks until the user has answered and the command
// has ended: there is no time limit.
class AdminRunner {
public:
    virtual ~AdminRunner() = default;

    // True only when the prompt was granted and the command exited with
    // status 0; a cancelled prompt, a refused password or a failing command
    // give false.
    virtual bool run(const QString& command) = 0;

    static std::shared_ptr<AdminRunner> createDefault();
};

// The script source that asks the platform's script runner to run `command`
// through the shell with administrator privileges:
//   do shell script "<command escaped>" with administrator privileges
// where every "\" becomes "\\" and then every double quote becomes "\"".
QString administratorScriptSource(const QString& command);

} // namespace velk::platform::tools
