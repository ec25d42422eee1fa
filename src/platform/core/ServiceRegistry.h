#pragma once

#include <memory>
#include <mutex>
#include <utility>

namespace velk::platform::core {

// Process-wide registry of platform services. Each service interface T
// provides `static std::shared_ptr<T> createDefault()`, which returns the
// Linux backend; it is bound on first use. Tests install doubles before they
// create the object under test (see ScopedService).
template <class T>
class Service {
public:
    static std::shared_ptr<T> get()
    {
        std::lock_guard lock(mutex());
        auto& slot = instance();
        if (!slot)
            slot = T::createDefault();
        return slot;
    }

    // Replaces the current implementation; returns the previous one.
    static std::shared_ptr<T> install(std::shared_ptr<T> impl)
    {
        std::lock_guard lock(mutex());
        return std::exchange(instance(), std::move(impl));
    }

private:
    static std::mutex& mutex()
    {
        static std::mutex m;
        return m;
    }
    static std::shared_ptr<T>& instance()
    {
        static std::shared_ptr<T> p;
        return p;
    }
};

template <class T>
std::shared_ptr<T> service()
{
    return Service<T>::get();
}

// Installs a service implementation for the lifetime of this object and puts
// the previous one back afterwards.
template <class T>
class ScopedService {
public:
    explicit ScopedService(std::shared_ptr<T> impl)
        : m_impl(impl)
        , m_previous(Service<T>::install(std::move(impl)))
    {
    }
    ~ScopedService() { Service<T>::install(std::move(m_previous)); }
    ScopedService(const ScopedService&) = delete;
    ScopedService& operator=(const ScopedService&) = delete;

    T* operator->() const { return m_impl.get(); }
    T& operator*() const { return *m_impl; }
    const std::shared_ptr<T>& get() const { return m_impl; }

private:
    std::shared_ptr<T> m_impl;
    std::shared_ptr<T> m_previous;
};

} // namespace velk::platform::core
