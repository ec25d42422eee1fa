#pragma once

#include <memory>

namespace velk::platform::desktop {

// Whether the application may read the platform's protected files.
class FullDiskAccessProbe {
public:
    virtual ~FullDiskAccessProbe() = default;
    virtual bool isGranted() const = 0;

    static std::shared_ptr<FullDiskAccessProbe> createDefault();
};

} // namespace velk::platform::desktop
