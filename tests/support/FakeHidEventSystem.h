#pragma once

#include "platform/sensors/HidEventSystem.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

namespace velk::test {

// HID event system double: a fixed list of services whose names and values
// the test sets; counts the clients made and the lists copied.
class FakeHidEventSystem final : public platform::sensors::HidEventSystem {
public:
    struct Service {
        std::optional<QString> product;
        std::optional<double> value;  // nothing: the service gives no event
    };

    std::vector<Service> services;
    bool clientsAvailable = true;
    int clientsCreated = 0;
    int copies = 0;
    int lastPage = -1;
    int lastUsage = -1;
    int lastEventType = -1;

    std::shared_ptr<platform::sensors::HidEventClient> createClient() override
    {
        if (!clientsAvailable)
            return nullptr;
        ++clientsCreated;
        return std::make_shared<Client>(*this);
    }

private:
    class LiveService final : public platform::sensors::HidService {
    public:
        LiveService(FakeHidEventSystem& system, std::size_t index) : m_system(system), m_index(index) {}
        std::optional<QString> product() const override
        {
            return m_index < m_system.services.size() ? m_system.services[m_index].product : std::nullopt;
        }
        std::optional<double> eventValue(int eventType) const override
        {
            m_system.lastEventType = eventType;
            return m_index < m_system.services.size() ? m_system.services[m_index].value : std::nullopt;
        }

    private:
        FakeHidEventSystem& m_system;
        std::size_t m_index;
    };

    class Client final : public platform::sensors::HidEventClient {
    public:
        explicit Client(FakeHidEventSystem& system) : m_system(system) {}
        void setMatching(int usagePage, int usage) override
        {
            m_system.lastPage = usagePage;
            m_system.lastUsage = usage;
        }
        std::vector<std::shared_ptr<platform::sensors::HidService>> copyServices() override
        {
            ++m_system.copies;
            std::vector<std::shared_ptr<platform::sensors::HidService>> list;
            for (std::size_t i = 0; i < m_system.services.size(); ++i)
                list.push_back(std::make_shared<LiveService>(m_system, i));
            return list;
        }

    private:
        FakeHidEventSystem& m_system;
    };
};

} // namespace velk::test
