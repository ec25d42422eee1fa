#include "services/update/InstallScript.h"

#include <QFile>

namespace velk::UpdateCheck {

QByteArray quotedForScript(const QString& path)
{
    const QByteArray bytes = QFile::encodeName(path);
    QByteArray quoted;
    quoted.reserve(bytes.size() + 8);
    for (const char c : bytes) {
        if (c == '\\' || c == '"' || c == '$' || c == '`')
            quoted.append('\\');
        quoted.append(c);
    }
    return quoted;
}

QByteArray installScript(qint64 pid, const QString& stagedCopy, const QString& runningBundle,
                         const QString& scriptPath)
{
    const QByteArray staged = quotedForScript(stagedCopy);
    const QByteArray bundle = quotedForScript(runningBundle);
    const QByteArray script = quotedForScript(scriptPath);
    QByteArray text;
    text += "#!/bin/bash";
    text += '\n';
    text += "while kill -0 ";
    text += QByteArray::number(pid);
    text += " 2>/dev/null; do sleep 0.2; done";
    text += '\n';
    text += "ditto \"" + staged + "\" \"" + bundle;
    text += "\"\nopen \"" + bundle;
    text += "\"\nrm -rf \"" + staged + "\" \"" + script;
    text += '"';
    return text;
}

} // namespace velk::UpdateCheck
