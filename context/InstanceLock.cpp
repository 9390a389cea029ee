#include "context/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "context/InstallPaths.h"

namespace orv {

namespace {

std::string lockFolder() {
    if (const char* dir = std::getenv("ORV_LOCK_DIR"); dir != nullptr && *dir != '\0') {
        std::string folder = dir;
        if (folder.back() != '/') {
            folder += '/';
        }
        return folder;
    }
    return paths::runtimeFolder();
}

// The folder must exist and belong to this user alone: when the runtime folder falls back to a
// name under /tmp, someone else could have made it first.
bool prepareFolder(const std::string& folder, std::string& error) {
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        error = "cannot create " + folder + ": " + std::strerror(errno);
        return false;
    }
    struct stat info {};
    if (::lstat(folder.c_str(), &info) != 0) {
        error = "cannot use " + folder + ": " + std::strerror(errno);
        return false;
    }
    if (!S_ISDIR(info.st_mode) || info.st_uid != ::getuid() ||
        (info.st_mode & (S_IWGRP | S_IWOTH)) != 0) {
        error = folder + " is not a private folder of this user";
        return false;
    }
    return true;
}

}  // namespace

InstanceLock::InstanceLock(std::string name) : path_(lockFolder() + name + ".lock") {}

InstanceLock::~InstanceLock() {
    release();
}

bool InstanceLock::tryAcquire() {
    if (fd_ >= 0) {
        return true;
    }
    error_.clear();
    const std::string folder = path_.substr(0, path_.rfind('/') + 1);
    if (!prepareFolder(folder, error_)) {
        return false;
    }
    const int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        error_ = "cannot open " + path_ + ": " + std::strerror(errno);
        return false;
    }
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK) {
            error_ = "cannot lock " + path_ + ": " + std::strerror(errno);
        }
        ::close(fd);
        return false;
    }
    fd_ = fd;
    return true;
}

void InstanceLock::release() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
        fd_ = -1;
    }
}

}  // namespace orv
