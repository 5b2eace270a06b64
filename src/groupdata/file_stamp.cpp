#include "groupdata/file_stamp.h"

#include <sys/stat.h>

namespace groupdata {

FileStamp stampOf(const std::string& path) {
    struct stat st {};
    FileStamp stamp;
    if (::stat(path.c_str(), &st) != 0)
        return stamp;
    stamp.exists = true;
    stamp.device = st.st_dev;
    stamp.inode = st.st_ino;
    stamp.size = st.st_size;
    stamp.modifiedNs = std::int64_t{st.st_mtim.tv_sec} * 1000000000 + st.st_mtim.tv_nsec;
    return stamp;
}

} // namespace groupdata
