#pragma once

#include "platform/core/Executor.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

namespace velk::test {

// Executor double with a real pool of a chosen, small number of threads;
// main-thread hops go through the application's event loop.
class PoolExecutor final : public platform::core::Executor {
public:
    explicit PoolExecutor(int threads) { m_pool.setMaxThreadCount(threads); }
    ~PoolExecutor() override { m_pool.waitForDone(); }

    void run(platform::core::Priority, std::function<void()> work) override { m_pool.start(std::move(work)); }

    void postToMain(std::function<void()> fn) override
    {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
    }

    void waitForDone() { m_pool.waitForDone(); }

private:
    QThreadPool m_pool;
};

} // namespace velk::test
