#pragma once

#include <QString>
#include <memory>
#include <optional>

namespace velk::platform::desktop {

// Finds installed applications by bundle identifier.
class ApplicationLookup {
public:
    virtual ~ApplicationLookup() = default;
    // The path of the installed application with `bundleIdentifier`, if any.
    virtual std::optional<QString> applicationPath(const QString& bundleIdentifier) const = 0;

    // Linux keeps no register of applications by bundle identifier: the
    // backend never finds one.
    static std::shared_ptr<ApplicationLookup> createDefault();
};

} // namespace velk::platform::desktop
