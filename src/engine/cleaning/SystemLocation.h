#pragma once

#include <QString>

namespace velk::cleaning {

// Tells whether a path lies where the operating system itself is kept, so
// the screens can badge it and warn before deleting there.
class SystemLocation {
public:
    SystemLocation() = delete;
    // A leading "/.nofollow" is looked through first.
    static bool isSystem(const QString& path);
};

} // namespace velk::cleaning
