#pragma once

#include "platform/files/FileRemover.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velk::cleaning {

// An item a removal left, and why: the remover's reason (with the errno of
// a system error), or the cleaner's own refusal (Protected). A failure
// without a reason (None) names only the item.
struct RemovalFailure {
    QString path;
    platform::files::RemovalReason reason = platform::files::RemovalReason::None;
    int error = 0;

    static RemovalFailure of(const QString& path, const platform::files::RemovalResult& result)
    {
        return {path, result.reason, result.error};
    }
    bool operator==(const RemovalFailure&) const = default;
};

QStringList pathsOf(const QList<RemovalFailure>& failures);
// `paths` in their order, each with the reason `known` gives it (none for a
// path it lacks): what stays when a view keeps some of the failures.
QList<RemovalFailure> failuresOf(const QStringList& paths, const QList<RemovalFailure>& known);

} // namespace velk::cleaning
