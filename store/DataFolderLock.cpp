#include "store/DataFolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

DataFolderLock::DataFolderLock(const std::filesystem::path& folder)
{
    // Close-on-exec: a browser started from a link must not inherit the lock and
    // keep the folder closed after the program has ended.
    descriptor_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (descriptor_ < 0)
        return; // a missing folder is reported by the engine when the modules open it
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Held;
        return;
    }
    // Where the file system cannot lock, the program runs unguarded rather than not at all.
    state_ = errno == EWOULDBLOCK ? State::HeldByOther : State::Unavailable;
    ::close(descriptor_);
    descriptor_ = -1;
}

DataFolderLock::~DataFolderLock()
{
    if (descriptor_ >= 0)
        ::close(descriptor_);
}
