#include "platform/core/Executor.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>
#include <QThread>
#include <sys/resource.h>
#include <unistd.h>

namespace velk::platform::core {
namespace {

int niceFor(Priority priority)
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
        const int nice = niceFor(priority);
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
    QThreadPool m_pools[3];
};

} // namespace

std::shared_ptr<Executor> Executor::createDefault()
{
    return std::make_shared<ThreadPoolExecutor>();
}

} // namespace velk::platform::core
