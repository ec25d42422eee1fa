#include "platform/desktop/FullDiskAccessProbe.h"

namespace velk::platform::desktop {
namespace {

// Linux has no full-disk-access gate: reading is governed by file modes only.
class AlwaysGranted final : public FullDiskAccessProbe {
public:
    bool isGranted() const override { return true; }
};

} // namespace

std::shared_ptr<FullDiskAccessProbe> FullDiskAccessProbe::createDefault()
{
    return std::make_shared<AlwaysGranted>();
}

} // namespace velk::platform::desktop
