#pragma once

#include "platform/core/Executor.h"

#include <deque>
#include <functional>
#include <set>
#include <utility>

namespace velk::test {

// Executor double: background work and main-thread hops are queued and run
// only when the test steps them, in the order they were queued. Jobs never
// stepped are dropped when the program ends: work that hops back through the
// executor holds it, so such a job and its executor would otherwise keep
// each other alive.
class ManualExecutor final : public platform::core::Executor {
public:
    struct Job {
        bool background = true;
        platform::core::Priority priority = platform::core::Priority::Utility;
        std::function<void()> fn;
    };

    ManualExecutor() { Live::instance().executors.insert(this); }
    ~ManualExecutor() override
    {
        if (!Live::gone)
            Live::instance().executors.erase(this);
    }
    ManualExecutor(const ManualExecutor&) = delete;
    ManualExecutor& operator=(const ManualExecutor&) = delete;

    void run(platform::core::Priority priority, std::function<void()> work) override
    {
        m_jobs.push_back({true, priority, std::move(work)});
        ++m_backgroundRuns;
        m_lastPriority = priority;
    }

    void postToMain(std::function<void()> fn) override
    {
        m_jobs.push_back({false, platform::core::Priority::UserInitiated, std::move(fn)});
    }

    // Runs the oldest queued job; false when there is none.
    bool step()
    {
        if (m_jobs.empty())
            return false;
        Job job = std::move(m_jobs.front());
        m_jobs.pop_front();
        job.fn();
        return true;
    }

    // Runs jobs, including those queued meanwhile, until none is left.
    int runAll()
    {
        int n = 0;
        while (step())
            ++n;
        return n;
    }

    // Runs only the queued background jobs (not the hops they queue).
    int runBackground()
    {
        int n = 0;
        std::deque<Job> keep;
        while (!m_jobs.empty()) {
            Job job = std::move(m_jobs.front());
            m_jobs.pop_front();
            if (job.background) {
                job.fn();
                ++n;
            } else {
                keep.push_back(std::move(job));
            }
        }
        for (auto& j : m_jobs)
            keep.push_back(std::move(j));
        m_jobs = std::move(keep);
        return n;
    }

    std::size_t pending() const { return m_jobs.size(); }
    int backgroundRuns() const { return m_backgroundRuns; }
    platform::core::Priority lastPriority() const { return m_lastPriority; }

private:
    // Every executor alive; at exit each one's queue is dropped, which may
    // end the executor itself.
    struct Live {
        std::set<ManualExecutor*> executors;
        static inline bool gone = false;

        static Live& instance()
        {
            static Live live;
            return live;
        }
        ~Live()
        {
            while (!executors.empty()) {
                ManualExecutor* executor = *executors.begin();
                executors.erase(executors.begin());
                std::deque<Job> dropped;
                dropped.swap(executor->m_jobs);
            }
            gone = true;
        }
    };

    std::deque<Job> m_jobs;
    int m_backgroundRuns = 0;
    platform::core::Priority m_lastPriority = platform::core::Priority::Utility;
};

} // namespace velk::test
