// Times how long the dependency sheet's report holds up the main thread for a
// file that many processes hold open.
//
//   velk-bench-deps [--holders N]
//
// Shows the sheet's report view in an offscreen window over an analysis that
// answers a report of N holders (10,000 unless given), made on the worker as
// the real listing is. A 5 ms timer on the main thread records the longest
// gap between its ticks from the start of the analysis until the report has
// been drawn. Prints the peak resident memory before and after, and last the
// headline "holders=N rows=R longest_block_ms=T peak_rss_mb=M".

#include "app/QmlModules.h"
#include "platform/core/ServiceRegistry.h"
#include "ui/screens/dependencies/FileDependencyAnalysis.h"

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickWindow>
#include <QSGRendererInterface>
#include <QTimer>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/resource.h>

using velk::screens::FileDependencyAnalysis;

namespace {

double peakRssMb()
{
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Runs the event loop until `done` holds or 60 s have passed.
bool spinUntil(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 60000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    return done();
}

} // namespace

int main(int argc, char** argv)
{
    int holders = 10000;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--holders") == 0 && i + 1 < argc) {
            holders = std::atoi(argv[++i]);
            continue;
        }
        std::fprintf(stderr, "usage: %s [--holders N]\n", argv[0]);
        return 2;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QQuickWindow::setGraphicsApi(QSGRendererInterface::Software);
    QGuiApplication app(argc, argv);

    FileDependencyAnalysis::setAnalyzer([holders](const QString& path) {
        velk::inspection::FileDependencyReport report;
        report.path = path;
        report.openBy.reserve(holders);
        for (int i = 0; i < holders; ++i)
            report.openBy.append({1000 + i, QStringLiteral("worker-%1").arg(i)});
        return report;
    });

    QQmlEngine engine;
    velk::app::prepareQmlEngine(engine);
    QQmlComponent component(&engine);
    component.setData("import QtQuick\nimport Velk.Dependencies\n"
                      "DependencyReportView { width: 560; height: 460; report: analysis.report }\n",
                      QUrl());
    FileDependencyAnalysis analysis;
    std::unique_ptr<QObject> object(component.createWithInitialProperties(
        {{QStringLiteral("analysis"), QVariant::fromValue(&analysis)},
         {QStringLiteral("desktop"), QVariant::fromValue<QObject*>(nullptr)}}));
    auto* view = qobject_cast<QQuickItem*>(object.get());
    if (!view) {
        std::fprintf(stderr, "%s\n", qPrintable(component.errorString()));
        return 1;
    }
    QQuickWindow window;
    window.resize(560, 460);
    view->setParentItem(window.contentItem());
    int frames = 0;
    QObject::connect(&window, &QQuickWindow::frameSwapped, &window, [&frames] { ++frames; });
    window.show();
    spinUntil([&] { return frames > 0; });
    const double baseline = peakRssMb();

    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longest = 0;
    QTimer ticker;
    ticker.setTimerType(Qt::PreciseTimer);
    ticker.setInterval(5);
    QObject::connect(&ticker, &QTimer::timeout, &ticker, [&] {
        const qint64 now = clock.elapsed();
        longest = std::max(longest, now - lastTick);
        lastTick = now;
    });
    clock.start();
    ticker.start();
    analysis.setPath(QStringLiteral("/tmp/held.bin"));
    const bool shown = spinUntil([&] { return !analysis.report().isEmpty(); });
    const int framesAtReport = frames;
    spinUntil([&] {
        window.update();
        return frames >= framesAtReport + 2;
    });
    const qint64 total = clock.elapsed();
    ticker.stop();
    const int rows = analysis.report().value(QStringLiteral("processes")).toList().size();

    std::printf("report shown=%s after %lld ms\n", shown ? "yes" : "no", static_cast<long long>(total));
    std::printf("peak_rss_before_mb=%.1f\n", baseline);
    std::printf("holders=%d rows=%d longest_block_ms=%lld peak_rss_mb=%.1f\n", holders, rows,
                static_cast<long long>(longest), peakRssMb());
    FileDependencyAnalysis::setAnalyzer({});
    return shown ? 0 : 1;
}
