#include "platform/sensors/HidEventSystem.h"

namespace velk::platform::sensors {

namespace {
class AbsentHidEventSystem final : public HidEventSystem {
public:
    std::shared_ptr<HidEventClient> createClient() override { return nullptr; }
};
} // namespace

std::shared_ptr<HidEventSystem> HidEventSystem::createDefault()
{
    return std::make_shared<AbsentHidEventSystem>();
}

} // namespace velk::platform::sensors
