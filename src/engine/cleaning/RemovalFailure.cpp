#include "engine/cleaning/RemovalFailure.h"

#include <algorithm>

namespace velk::cleaning {

QStringList pathsOf(const QList<RemovalFailure>& failures)
{
    QStringList paths;
    paths.reserve(failures.size());
    for (const RemovalFailure& failure : failures)
        paths << failure.path;
    return paths;
}

QList<RemovalFailure> failuresOf(const QStringList& paths, const QList<RemovalFailure>& known)
{
    QList<RemovalFailure> failures;
    failures.reserve(paths.size());
    for (const QString& path : paths) {
        const auto found = std::find_if(known.begin(), known.end(), [&](const RemovalFailure& f) { return f.path == path; });
        failures << (found != known.end() ? *found : RemovalFailure{path});
    }
    return failures;
}

} // namespace velk::cleaning
