#include "groupdata/atomic_file.h"

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace groupdata {

namespace {

const char temporaryInfix[] = ".tmp";

std::string folderOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    if (slash == 0)
        return "/";
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a save should replace: the target of a symbolic link, so that the
// link the user made is kept.
std::string resolvedTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char buffer[PATH_MAX];
    if (::realpath(path.c_str(), buffer) == nullptr)
        return path;
    return buffer;
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

// The file as it is, or false when it cannot be read completely.
bool readAll(int fd, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    std::uint8_t chunk[65536];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        bytes.insert(bytes.end(), chunk, chunk + n);
    }
}

std::string temporaryName(const std::string& target, long pid, unsigned number) {
    return target + temporaryInfix + std::to_string(pid) + "-" + std::to_string(number);
}

// O_EXCL with a fresh name per attempt; the mode goes through the umask like
// any newly created file. errno tells why it failed.
int createTemporary(const std::string& target, std::string& name) {
    static unsigned counter = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        name = temporaryName(target, ::getpid(), ++counter);
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    return -1;
}

bool allDigits(const std::string& text, std::size_t from, std::size_t to) {
    if (from >= to)
        return false;
    for (std::size_t i = from; i < to; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    return true;
}

// The process id in a temporary name of ours for the file called base
// ("<base>.tmp<pid>-<n>"), or 0 when name is anything else.
long writerOf(const std::string& name, const std::string& base) {
    const std::string prefix = base + temporaryInfix;
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0)
        return 0;
    const std::size_t dash = name.find('-', prefix.size());
    if (dash == std::string::npos || !allDigits(name, prefix.size(), dash) ||
        !allDigits(name, dash + 1, name.size()) || dash - prefix.size() > 9)
        return 0;
    return std::strtol(name.c_str() + prefix.size(), nullptr, 10);
}

// A save killed between creating its temporary file and the rename leaves
// that file behind; nobody else will ever remove it.
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string base = fileNameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    std::vector<std::string> stale;
    while (const dirent* entry = ::readdir(dir)) {
        const long pid = writerOf(entry->d_name, base);
        if (pid > 0 && ::kill(static_cast<pid_t>(pid), 0) == -1 && errno == ESRCH)
            stale.emplace_back(entry->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : stale)
        ::unlink((folder + '/' + name).c_str());
}

void syncFolder(const std::string& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd); // the rename is already done; a failure here cannot be undone
    ::close(fd);
}

bool writeWhole(int fd, const std::uint8_t* data, std::size_t size) {
    return ::lseek(fd, 0, SEEK_SET) == 0 && writeAll(fd, data, size) &&
           ::ftruncate(fd, static_cast<off_t>(size)) == 0 && ::fsync(fd) == 0;
}

// The fallback for a folder that refuses new files: the existing file itself
// is rewritten. O_NONBLOCK and the check of what was opened keep a file that
// was swapped for a pipe since it was examined from blocking the save.
bool writeInPlace(const std::string& target, const struct stat& examined, const std::uint8_t* data,
                  std::size_t size) {
    int fd = ::open(target.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 && errno == EACCES) // written but not read: nothing to put back
        fd = ::open(target.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat opened {};
    if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_dev != examined.st_dev ||
        opened.st_ino != examined.st_ino) {
        ::close(fd);
        return false;
    }
    std::vector<std::uint8_t> old;
    const bool haveOld = readAll(fd, old);
    bool ok = writeWhole(fd, data, size);
    if (!ok && haveOld)
        (void)writeWhole(fd, old.data(), old.size());
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool isRefusedByFolder(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

} // namespace

bool replaceFileAtomically(const std::string& path, const std::uint8_t* data, std::size_t size) {
    const std::string target = resolvedTarget(path);
    struct stat existing {};
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode))
        return false;
    // A file its owner made read-only is not ours to replace, even though
    // the folder would let a rename do it.
    if (exists && ::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0)
        return false;

    removeStaleTemporaries(target);
    std::string temporary;
    const int fd = createTemporary(target, temporary);
    if (fd < 0) {
        if (exists && isRefusedByFolder(errno))
            return writeInPlace(target, existing, data, size);
        return false;
    }
    bool ok = writeAll(fd, data, size);
    // The replacement keeps the permissions of the file it replaces; where the
    // owner differs that may be refused, which is no reason to lose the save.
    if (ok && exists)
        (void)::fchmod(fd, existing.st_mode & 07777);
    if (ok)
        ok = ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    if (ok)
        ok = ::rename(temporary.c_str(), target.c_str()) == 0;
    if (!ok) {
        ::unlink(temporary.c_str());
        return false;
    }
    syncFolder(folderOf(target));
    return true;
}

} // namespace groupdata
