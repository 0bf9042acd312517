#pragma once

#include <filesystem>

// One running program per data folder: two copies on one folder would keep
// separate caches and next numbers and overwrite each other's rows. The lock is
// an flock on the folder itself, so it creates no file, and the system drops it
// when the holder ends, a crashed copy included.
class DataFolderLock {
public:
    enum class State {
        Held,        // this process holds the folder
        HeldByOther, // another process holds it
        Unavailable, // no folder to lock, or a file system without locks
    };

    explicit DataFolderLock(const std::filesystem::path& folder);
    ~DataFolderLock();
    DataFolderLock(const DataFolderLock&) = delete;
    DataFolderLock& operator=(const DataFolderLock&) = delete;

    State state() const { return state_; }

private:
    int descriptor_ = -1;
    State state_ = State::Unavailable;
};
