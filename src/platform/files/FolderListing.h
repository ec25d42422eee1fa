#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstddef>

namespace velk::platform::files {

// Opens a folder below an open folder without following a link in its place.
constexpr int kOpenFolderFlags = O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC;

// Calls `visit(const dirent64&)` for each entry of the folder open at `fd`,
// "." and ".." left out, reading the listing in chunks of `size` bytes into
// `buffer`, until `visit` returns false. False when the listing could not be
// read to its end.
template <class Visit>
bool forEachFolderEntry(int fd, char* buffer, std::size_t size, Visit&& visit)
{
    for (;;) {
        const ssize_t read = ::getdents64(fd, buffer, size);
        if (read <= 0)
            return read == 0;
        for (ssize_t offset = 0; offset < read;) {
            const auto* entry = reinterpret_cast<const struct dirent64*>(buffer + offset);
            offset += entry->d_reclen;
            const char* name = entry->d_name;
            if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
                continue;
            if (!visit(*entry))
                return true;
        }
    }
}

} // namespace velk::platform::files
