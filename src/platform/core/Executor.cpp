#include "platform/core/Executor.h"

#include <algorithm>

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>
#include <QThread>
#include <sys/resource.h>
#include <unistd.h>

namespace velk::platform::core {
namespace {

// How much nicer than the process a priority's threads run. The offset is
// added to the nice value the program was started with, so a program started
// under `nice` never has threads that run ahead of it (root could lower them).
int niceOffset(Priority priority)
{
    switch (priority) {
    case Priority::UserInitiated: return 0;
    case Priority::Utility: return 5;
    case Priority::Background: return 10;
    }
    return 0;
}

// One pool per priority: a thread's nice value can be raised but not lowered
// again without privileges, so a thread never changes pools.
class ThreadPoolExecutor final : public Executor {
public:
    ThreadPoolExecutor()
    {
        for (auto& pool : m_pools) {
            pool.setExpiryTimeout(30000);
            pool.setMaxThreadCount(std::max(2, QThread::idealThreadCount()));
        }
    }
    ~ThreadPoolExecutor() override
    {
        for (auto& pool : m_pools)
            pool.waitForDone();
    }

    void run(Priority priority, std::function<void()> work) override
    {
        const int nice = std::min(m_baseNice + niceOffset(priority), 19);
        m_pools[static_cast<int>(priority)].start([nice, work = std::move(work)] {
            setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), nice);
            work();
        });
    }

    void postToMain(std::function<void()> fn) override
    {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app)
            return;
        QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
    }

private:
    const int m_baseNice = getpriority(PRIO_PROCESS, 0);
    QThreadPool m_pools[3];
};

} // namespace

std::shared_ptr<Executor> Executor::createDefault()
{
    return std::make_shared<ThreadPoolExecutor>();
}

} // namespace velk::platform::core
