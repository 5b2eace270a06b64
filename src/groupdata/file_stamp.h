#pragma once
// What identifies one state of a file on disk, so that a change made by
// another program between two of our own reads or writes can be noticed.

#include <cstdint>
#include <string>

namespace groupdata {

struct FileStamp {
    bool exists = false;
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0; // modification time, nanoseconds since the epoch

    // Two missing files are the same state; a file that came or went is not.
    friend bool operator==(const FileStamp& a, const FileStamp& b) {
        if (!a.exists || !b.exists)
            return a.exists == b.exists;
        return a.device == b.device && a.inode == b.inode && a.size == b.size &&
               a.modifiedNs == b.modifiedNs;
    }
    friend bool operator!=(const FileStamp& a, const FileStamp& b) { return !(a == b); }
};

// The stamp of what path names now, following symbolic links; a path that
// cannot be examined has a stamp with exists false.
FileStamp stampOf(const std::string& path);

} // namespace groupdata
