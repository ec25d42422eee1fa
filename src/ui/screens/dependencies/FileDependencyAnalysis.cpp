#include "ui/screens/dependencies/FileDependencyAnalysis.h"

#include "engine/inspection/FileDependencyService.h"
#include "platform/core/Executor.h"
#include "platform/core/ServiceRegistry.h"
#include "ui/design/ElidedSelection.h"
#include "ui/screens/dependencies/DependencyReportMap.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPointer>

namespace velk::screens {
namespace {

FileDependencyAnalysis::Analyzer& analyzer()
{
    static FileDependencyAnalysis::Analyzer current;
    return current;
}

} // namespace

FileDependencyAnalysis::FileDependencyAnalysis(QObject* parent)
    : QObject(parent)
{
}

void FileDependencyAnalysis::setAnalyzer(Analyzer analyzer)
{
    screens::analyzer() = std::move(analyzer);
}

void FileDependencyAnalysis::setPath(const QString& path)
{
    if (path == m_path)
        return;
    m_path = path;
    const std::uint64_t run = ++m_run;
    m_report.clear();
    emit pathChanged();
    emit reportChanged();
    if (path.isEmpty())
        return;

    Analyzer analyze = analyzer() ? analyzer() : Analyzer(&inspection::FileDependencyService::analyze);
    const QPointer<FileDependencyAnalysis> self(this);
    platform::core::Executor* executor = platform::core::service<platform::core::Executor>().get();
    executor->run(platform::core::Priority::UserInitiated, [self, executor, run, path, analyze = std::move(analyze)] {
        QVariantMap report = dependencyReportMap(analyze(path));
        executor->toMain(self, [self, run, report = std::move(report)] { self->finished(run, report); });
    });
}

void FileDependencyAnalysis::finished(std::uint64_t run, const QVariantMap& report)
{
    if (run != m_run)
        return;
    m_report = report;
    emit reportChanged();
}

void FileDependencyAnalysis::copyShown(const QString& full, const QString& shown, int start, int end) const
{
    const QString part = design::elidedSelectionSource(full, shown, start, end);
    if (!part.isEmpty())
        QGuiApplication::clipboard()->setText(part);
}

} // namespace velk::screens
