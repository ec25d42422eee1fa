#pragma once

#include "engine/inspection/FileDependencyReport.h"

#include <QObject>
#include <QString>
#include <QVariantMap>
#include <QtQml/qqmlregistration.h>

#include <cstdint>
#include <functional>

namespace velk::screens {

// One file's dependency analysis for the sheet: setting `path` starts it on
// the shared executor at user-initiated priority, where the report is also
// turned into what the sheet shows (see dependencyReportMap), so the main
// thread only takes the finished `report` over. A
// result for an earlier path, or one arriving after the object is gone, is
// dropped; nothing ever waits for it. An empty path stops showing anything.
class FileDependencyAnalysis : public QObject {
    Q_OBJECT
    QML_ELEMENT
    Q_PROPERTY(QString path READ path WRITE setPath NOTIFY pathChanged)
    // True from setting a path until its report is in.
    Q_PROPERTY(bool analysing READ analysing NOTIFY reportChanged)
    // Empty while analysing and without a path.
    Q_PROPERTY(QVariantMap report READ report NOTIFY reportChanged)

public:
    using Analyzer = std::function<inspection::FileDependencyReport(const QString& path)>;

    explicit FileDependencyAnalysis(QObject* parent = nullptr);

    // What every analysis runs from then on (tests); an empty one restores
    // FileDependencyService::analyze.
    static void setAnalyzer(Analyzer analyzer);

    const QString& path() const { return m_path; }
    void setPath(const QString& path);
    bool analysing() const { return !m_path.isEmpty() && m_report.isEmpty(); }
    const QVariantMap& report() const { return m_report; }

    // Copies the part of `full` that the selection [start, end) of `shown`,
    // `full` cut in the middle, stands for.
    Q_INVOKABLE void copyShown(const QString& full, const QString& shown, int start, int end) const;

signals:
    void pathChanged();
    void reportChanged();

private:
    void finished(std::uint64_t run, const QVariantMap& report);

    QString m_path;
    std::uint64_t m_run = 0;
    QVariantMap m_report;
};

} // namespace velk::screens
