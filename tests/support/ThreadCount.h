#pragma once

#include <QDir>

#include <chrono>
#include <thread>

namespace velk::test {

// Threads of this process as the kernel lists them.
inline int threadCount()
{
    return static_cast<int>(QDir("/proc/self/task").entryList(QDir::Dirs | QDir::NoDotAndDotDot).size());
}

// The thread count once it has come down to `expected`, or what it still is
// after a while. A joined thread may stay listed for a moment: joining
// returns once it has let go of its memory, a little before the kernel takes
// it off the list (on a busy machine, a good deal before).
inline int threadCountSettledAt(int expected)
{
    int count = threadCount();
    for (int i = 0; i < 2000 && count > expected; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
        count = threadCount();
    }
    return count;
}

} // namespace velk::test
