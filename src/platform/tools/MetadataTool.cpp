#include "platform/tools/MetadataTool.h"

#include <QFile>
#include <QStringList>
#include <cerrno>
#include <sys/xattr.h>
#include <vector>

namespace velk::platform::tools {
namespace {

// An attribute's value (links followed), without a trailing NUL some
// writers store; none when it is not set or cannot be read.
std::optional<QByteArray> attribute(const QByteArray& path, const char* name)
{
    std::vector<char> buffer(4096);
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t n = ::getxattr(path.constData(), name, buffer.data(), buffer.size());
        if (n >= 0) {
            QByteArray value(buffer.data(), n);
            while (value.endsWith('\0'))
                value.chop(1);
            return value;
        }
        if (errno != ERANGE)
            return std::nullopt;
        const ssize_t needed = ::getxattr(path.constData(), name, nullptr, 0);
        if (needed < 0)
            return std::nullopt;
        buffer.resize(static_cast<std::size_t>(needed) + 1);
    }
    return std::nullopt;
}

} // namespace

ToolResult metadataOutput(const ToolRequest& request)
{
    ToolResult result;
    result.launched = true;
    const QStringList& args = request.arguments;
    if (args.size() != 4 || args[0] != QStringLiteral("-name") || args[1] != QStringLiteral("kMDItemWhereFroms")
        || args[2] != QStringLiteral("-raw")) {
        result.exitStatus = 1;
        return result;
    }
    const QByteArray path = QFile::encodeName(args[3]);
    QList<QByteArray> values;
    for (const char* name : {"user.xdg.origin.url", "user.xdg.referrer.url"}) {
        const std::optional<QByteArray> value = attribute(path, name);
        if (value && !value->isEmpty() && !value->contains('"') && !value->contains('\n'))
            values.append(*value);
    }
    result.exitStatus = 0;
    if (values.isEmpty()) {
        result.output = "(null)";
        return result;
    }
    QByteArray out = "(\n";
    for (qsizetype i = 0; i < values.size(); ++i)
        out += "    \"" + values[i] + (i + 1 < values.size() ? "\",\n" : "\"\n");
    out += ")";
    result.output = out;
    return result;
}

void registerMetadataTool()
{
    registerInProcessTool(QStringLiteral("/usr/bin/mdls"), metadataOutput);
}

} // namespace velk::platform::tools
