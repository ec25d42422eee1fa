#pragma once

#include <QString>
#include <memory>

namespace velk::platform {

// This program as an installed application: where it lives and the
// identifier it goes by, so that it never removes itself.
class AppBundle {
public:
    virtual ~AppBundle() = default;
    // The folder this program was started from, links resolved.
    virtual QString bundlePath() const = 0;
    // Never empty; the same for every run.
    virtual QString bundleIdentifier() const = 0;

    static std::shared_ptr<AppBundle> createDefault();
};

} // namespace velk::platform
