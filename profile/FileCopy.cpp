#include "profile/FileCopy.h"

#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

namespace orv {

namespace {

class FileDescriptor {
public:
    explicit FileDescriptor(int fd = -1) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now and reports whether the close succeeded (a late write error shows here).
    bool closeChecked() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }
    void reset() {
        if (fd_ >= 0) {
            ::close(fd_);
            fd_ = -1;
        }
    }

private:
    int fd_;
};

std::string reason(const std::filesystem::path& file, const char* what) {
    return file.string() + ": " + what + ": " + std::strerror(errno);
}

bool writeAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t written = ::write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies everything from `in` to `out`; false with `error` set when a read or write fails or
// more than `sizeCap` bytes arrive.
bool copyContents(int in, int out, std::uint64_t sizeCap, const std::filesystem::path& from,
                  const std::filesystem::path& to, std::string& error) {
    std::vector<std::uint8_t> buffer(64 * 1024);
    std::uint64_t total = 0;
    for (;;) {
        const ssize_t got = ::read(in, buffer.data(), buffer.size());
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            error = reason(from, "read");
            return false;
        }
        if (got == 0) {
            return true;
        }
        total += static_cast<std::uint64_t>(got);
        if (total > sizeCap) {
            error = from.string() + ": larger than " + std::to_string(sizeCap) + " bytes";
            return false;
        }
        if (!writeAll(out, buffer.data(), static_cast<std::size_t>(got))) {
            error = reason(to, "write");
            return false;
        }
    }
}

}  // namespace

Status copyRegularFile(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::uint64_t sizeCap) {
    // stat() only looks at the inode: a FIFO or device is refused before it is ever opened, so
    // nothing can block or trigger a device's open handler.
    struct stat before {};
    if (::stat(from.c_str(), &before) != 0) {
        return Status::failure(reason(from, "stat"));
    }
    if (!S_ISREG(before.st_mode)) {
        return Status::failure(from.string() + ": not a regular file");
    }
    if (static_cast<std::uint64_t>(before.st_size) > sizeCap) {
        return Status::failure(from.string() + ": larger than " + std::to_string(sizeCap) +
                               " bytes");
    }
    // O_NONBLOCK: should the name be swapped for a FIFO between stat() and open(), the open
    // still returns at once, and the inode check below refuses it.
    FileDescriptor in(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!in.valid()) {
        return Status::failure(reason(from, "open"));
    }
    struct stat opened {};
    if (::fstat(in.get(), &opened) != 0) {
        return Status::failure(reason(from, "fstat"));
    }
    if (!S_ISREG(opened.st_mode) || opened.st_dev != before.st_dev ||
        opened.st_ino != before.st_ino) {
        return Status::failure(from.string() + ": changed while being opened");
    }
    const int flags = ::fcntl(in.get(), F_GETFL);
    if (flags >= 0) {
        ::fcntl(in.get(), F_SETFL, flags & ~O_NONBLOCK);
    }

    FileDescriptor out(
        ::open(to.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!out.valid()) {
        return Status::failure(reason(to, "create"));
    }
    std::string error;
    bool copied = copyContents(in.get(), out.get(), sizeCap, from, to, error);
    if (copied && !out.closeChecked()) {
        error = reason(to, "close");
        copied = false;
    }
    if (!copied) {
        out.reset();
        ::unlink(to.c_str());
        return Status::failure(error);
    }
    return Status::success();
}

Status replaceFileAtomically(const std::filesystem::path& source,
                             const std::filesystem::path& target) {
    if (target.filename().empty()) {
        return Status::failure(target.string() + ": not a file name");
    }
    std::filesystem::path folder = target.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    mode_t mode = 0644;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0 && S_ISREG(existing.st_mode)) {
        mode = existing.st_mode & 0777;
    }

    FileDescriptor in(::open(source.c_str(), O_RDONLY | O_NOCTTY | O_CLOEXEC));
    if (!in.valid()) {
        return Status::failure(reason(source, "open"));
    }
    struct stat sourceInfo {};
    if (::fstat(in.get(), &sourceInfo) != 0 || !S_ISREG(sourceInfo.st_mode)) {
        return Status::failure(source.string() + ": not a regular file");
    }

    const std::string pattern = (folder / ("." + target.filename().string() + ".XXXXXX")).string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    FileDescriptor out(::mkostemp(name.data(), O_CLOEXEC));
    if (!out.valid()) {
        return Status::failure(reason(folder, "create a temporary file"));
    }
    const std::filesystem::path temporary = name.data();

    std::string error;
    bool ok = copyContents(in.get(), out.get(), UINT64_MAX, source, temporary, error);
    if (ok && ::fchmod(out.get(), mode) != 0) {
        error = reason(temporary, "chmod");
        ok = false;
    }
    // The data must be on the disk before the new name points at it.
    if (ok && ::fsync(out.get()) != 0) {
        error = reason(temporary, "fsync");
        ok = false;
    }
    if (ok && !out.closeChecked()) {
        error = reason(temporary, "close");
        ok = false;
    }
    if (ok && ::rename(temporary.c_str(), target.c_str()) != 0) {
        error = reason(target, "rename");
        ok = false;
    }
    if (!ok) {
        out.reset();
        ::unlink(temporary.c_str());
        return Status::failure(error);
    }
    // Make the rename itself durable; the file is complete either way, so a failure here is
    // not reported.
    FileDescriptor directory(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.valid()) {
        ::fsync(directory.get());
    }
    return Status::success();
}

}  // namespace orv
