#include "platform/ServiceRegistry.h"
#include "platform/FullDiskAccessProbe.h"

#include <gtest/gtest.h>

using namespace velk::platform;

namespace {
class DeniedProbe final : public FullDiskAccessProbe {
public:
    bool isGranted() const override { return false; }
};
} // namespace

TEST(ServiceRegistry, DefaultBackendAndScopedDoubleRestoresPrevious)
{
    EXPECT_TRUE(service<FullDiskAccessProbe>()->isGranted());
    {
        ScopedService<FullDiskAccessProbe> denied(std::make_shared<DeniedProbe>());
        EXPECT_FALSE(service<FullDiskAccessProbe>()->isGranted());
    }
    EXPECT_TRUE(service<FullDiskAccessProbe>()->isGranted());
}
