#pragma once

#include <QString>
#include <memory>

namespace velk::platform::desktop {

// This program as an installed application: where it lives and the
// identifier it goes by, so that it never removes itself; which process it
// is and how to ask it to end, for an update that replaces it.
class AppBundle {
public:
    virtual ~AppBundle() = default;
    // The folder this program was started from, links resolved.
    virtual QString bundlePath() const = 0;
    // Never empty; the same for every run.
    virtual QString bundleIdentifier() const = 0;
    virtual qint64 processId() const = 0;
    // Asks the application to end and returns at once; the event loop winds
    // down afterwards.
    virtual void requestTermination() = 0;

    static std::shared_ptr<AppBundle> createDefault();
};

} // namespace velk::platform::desktop
