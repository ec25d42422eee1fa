#include "platform/core/ServiceRegistry.h"
#include "platform/desktop/FullDiskAccessProbe.h"
#include "support/FakeFullDiskAccessProbe.h"

#include <gtest/gtest.h>

using namespace velk::platform::core;
using namespace velk::platform::desktop;

TEST(ServiceRegistry, DefaultBackendAndScopedDoubleRestoresPrevious)
{
    EXPECT_TRUE(service<FullDiskAccessProbe>()->isGranted());
    {
        ScopedService<FullDiskAccessProbe> denied(std::make_shared<velk::test::FakeFullDiskAccessProbe>(false));
        EXPECT_FALSE(service<FullDiskAccessProbe>()->isGranted());
    }
    EXPECT_TRUE(service<FullDiskAccessProbe>()->isGranted());
}
