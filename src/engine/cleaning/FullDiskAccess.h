#pragma once

namespace velk::cleaning {

// Whether the application may read the platform's protected files. Asked
// anew at every call.
class FullDiskAccess {
public:
    FullDiskAccess() = delete;
    static bool isGranted();
};

} // namespace velk::cleaning
