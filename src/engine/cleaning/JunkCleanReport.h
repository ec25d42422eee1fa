#pragma once

#include <QUuid>
#include <QVariantMap>
#include <cstdint>

namespace velk::cleaning {

// The outcome of one junk clean. Every report has a new id, so each clean is
// a new event for whoever watches the reports.
struct JunkCleanReport {
    JunkCleanReport(std::int64_t freed, int failures, int attempted)
        : id(QUuid::createUuid()), freedBytes(freed), failureCount(failures), attemptedCount(attempted)
    {
    }

    QUuid id;
    std::int64_t freedBytes;  // sizes of the items actually removed
    int failureCount;         // items whose removal failed
    int attemptedCount;       // items that were selected for removal

    // {id, freedBytes, failureCount, attemptedCount} for QML.
    QVariantMap toVariantMap() const
    {
        return {{QStringLiteral("id"), id.toString(QUuid::WithoutBraces)},
                {QStringLiteral("freedBytes"), qint64(freedBytes)},
                {QStringLiteral("failureCount"), failureCount},
                {QStringLiteral("attemptedCount"), attemptedCount}};
    }
};

} // namespace velk::cleaning
