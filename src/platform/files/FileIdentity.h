#pragma once

#include <cstdint>

namespace velk::platform::files {

// Which object a directory entry names: its device and inode. An entry found
// again under the same name but with another identity is another object.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t inode = 0;

    bool operator==(const FileIdentity&) const = default;
};

} // namespace velk::platform::files
