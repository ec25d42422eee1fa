#pragma once

#include "platform/desktop/FullDiskAccessProbe.h"

#include <atomic>

namespace velk::test {

// Full-disk access double: answers what the test set (granted unless told
// otherwise) and counts the questions. Safe to ask from worker threads.
class FakeFullDiskAccessProbe final : public platform::desktop::FullDiskAccessProbe {
public:
    explicit FakeFullDiskAccessProbe(bool granted = true) : m_granted(granted) {}

    bool isGranted() const override
    {
        ++m_asked;
        return m_granted;
    }
    void setGranted(bool granted) { m_granted = granted; }
    int asked() const { return m_asked; }

private:
    std::atomic<bool> m_granted;
    mutable std::atomic<int> m_asked = 0;
};

} // namespace velk::test
