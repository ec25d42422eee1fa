#include "platform/desktop/ApplicationLookup.h"

namespace velk::platform::desktop {
namespace {

class NoApplicationLookup final : public ApplicationLookup {
public:
    std::optional<QString> applicationPath(const QString&) const override { return std::nullopt; }
};

} // namespace

std::shared_ptr<ApplicationLookup> ApplicationLookup::createDefault()
{
    return std::make_shared<NoApplicationLookup>();
}

} // namespace velk::platform::desktop
