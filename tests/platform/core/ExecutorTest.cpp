#include "platform/core/Executor.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <atomic>
#include <gtest/gtest.h>
#include <latch>
#include <memory>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

using namespace velk::platform::core;

namespace {

// Processes main-thread events until `done` holds or a generous limit passes.
template <class Pred>
bool pumpUntil(Pred done)
{
    QElapsedTimer timer;
    timer.start();
    while (!done() && timer.elapsed() < 10000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        std::this_thread::yield();
    }
    return done();
}

} // namespace

TEST(Executor, ResultReachesTheMainThreadWhileItsObjectLives)
{
    auto executor = Executor::createDefault();
    QObject owner;
    const QPointer<QObject> guard(&owner);
    std::atomic_bool delivered = false;
    std::thread::id deliveredOn;
    executor->run(Priority::UserInitiated, [&, guard] {
        executor->toMain(guard, [&] {
            deliveredOn = std::this_thread::get_id();
            delivered = true;
        });
    });
    ASSERT_TRUE(pumpUntil([&] { return delivered.load(); }));
    EXPECT_EQ(deliveredOn, std::this_thread::get_id());
}

TEST(Executor, ResultForAnObjectDestroyedMeanwhileIsDropped)
{
    auto executor = Executor::createDefault();
    auto owner = std::make_unique<QObject>();
    const QPointer<QObject> guard(owner.get());
    std::latch destroyed(1);
    std::atomic_bool posted = false;
    std::atomic_bool called = false;
    executor->run(Priority::Utility, [&, guard] {
        destroyed.wait();  // the object goes while the work still runs
        executor->toMain(guard, [&] { called = true; });
        posted = true;
    });
    owner.reset();
    destroyed.count_down();
    ASSERT_TRUE(pumpUntil([&] { return posted.load(); }));
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    EXPECT_FALSE(called.load());
}

TEST(Executor, PrioritiesRunAtFallingNiceValues)
{
    auto executor = Executor::createDefault();
    std::atomic_int seen[3] = {-100, -100, -100};
    const Priority priorities[3] = {Priority::UserInitiated, Priority::Utility, Priority::Background};
    for (int i = 0; i < 3; ++i) {
        executor->run(priorities[i], [&seen, i] {
            seen[i] = getpriority(PRIO_PROCESS, static_cast<id_t>(gettid()));
        });
    }
    ASSERT_TRUE(pumpUntil([&] { return seen[0] != -100 && seen[1] != -100 && seen[2] != -100; }));
    const int base = getpriority(PRIO_PROCESS, 0);
    // Relative to the nice value the process runs at, never ahead of it.
    EXPECT_EQ(seen[0].load(), base);
    EXPECT_EQ(seen[1].load(), std::min(base + 5, 19));
    EXPECT_EQ(seen[2].load(), std::min(base + 10, 19));
}
