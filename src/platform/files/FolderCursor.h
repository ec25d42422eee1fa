#pragma once

#include "platform/files/FolderReader.h"
#include "platform/core/UniqueFd.h"

#include <dirent.h>

#include <memory>
#include <string>
#include <vector>

namespace velk::platform::files {

// A depth-first position in a folder tree, kept without recursion: a stack
// of folders from the root down to the current one. At most
// kMaxOpenFolders of them hold a descriptor and a listing buffer; when the
// budget (or the process's descriptor limit) is reached, the shallowest
// give theirs up and remember where their listing stood. Such a folder is
// opened again through ".." of its child, or else by name from the root, and
// only when it is the same folder (device and inode) as before; otherwise
// the rest of its listing is lost and the walk is marked incomplete.
// One cursor serves one thread.
class FolderCursor {
public:
    static constexpr std::size_t kMaxOpenFolders = 24;

    FolderCursor();
    ~FolderCursor();
    FolderCursor(const FolderCursor&) = delete;
    FolderCursor& operator=(const FolderCursor&) = delete;

    // Starts at the folder open at `fd`. `rootPath` (absolute, native bytes)
    // opens it again should its descriptor be given up; empty: never given up.
    // `rootWithoutLinks`: open it again only through a path without links.
    // `verifyOpens`: see ChildCheck::verifyOpened.
    void start(core::UniqueFd fd, const EntryAttributes& attributes, std::string rootPath, bool rootWithoutLinks,
               bool verifyOpens);

    bool atEnd() const { return m_frames.empty(); }
    // 0 while the root folder is current.
    std::size_t depth() const { return m_frames.size() - 1; }
    // The current folder's descriptor; -1 when it could not be opened again.
    int fd() const { return m_frames.back().fd.get(); }
    const FolderStamp& stamp() const { return m_frames.back().stamp; }
    const EntryAttributes& attributes() const { return m_frames.back().attributes; }
    // Name of the current folder in its parent (empty for the root).
    const std::string& name() const { return m_frames.back().name; }

    // The next entry of the current folder ("." and ".." left out), or null
    // at the end of its listing. The entry stays valid until the next call.
    const struct dirent64* next();

    // Opens the folder `name` of the current folder and makes it current.
    // Anything but Opened leaves the current folder as it was. `known`: the
    // entry's attributes when just read.
    OpenStatus descend(const char* name, const EntryAttributes* known = nullptr);
    // Leaves the current folder (closing it); its parent becomes current.
    void ascend();
    // Lists the current folder again from its beginning.
    void restart();

    // False once a folder could not be listed to its end or opened again.
    bool complete() const { return m_complete; }
    void markIncomplete() { m_complete = false; }
    // The system's error number of the last folder that could not be opened
    // or listed to its end; 0 when none tells why (a folder that changed, or
    // could not be opened again).
    int error() const { return m_error; }

private:
    struct Frame {
        core::UniqueFd fd;
        std::unique_ptr<char[]> buffer;
        long filled = 0;
        long offset = 0;
        long long resume = 0; // listing position after the last entry handed out
        bool ended = false;
        FolderStamp stamp;
        EntryAttributes attributes;
        std::string name;
    };

    void giveUpShallowest();
    bool giveUpOne();
    void attachBuffer(Frame& frame);
    core::UniqueFd reopenFromRoot(std::size_t index);
    void reopen(std::size_t index, int childFd);

    std::vector<Frame> m_frames;
    std::vector<std::unique_ptr<char[]>> m_spareBuffers;
    std::size_t m_firstOpen = 0; // frames [m_firstOpen, top] hold descriptors
    std::string m_rootPath;
    bool m_rootWithoutLinks = false;
    bool m_verifyOpens = true;
    bool m_complete = true;
    int m_error = 0;
};

} // namespace velk::platform::files
