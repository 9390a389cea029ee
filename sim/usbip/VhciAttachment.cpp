#include "sim/usbip/VhciAttachment.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <thread>

namespace orv::sim::usbip {

namespace {

// The vhci port stays busy a moment after a detach while the kernel's event handler tears the
// connection down.
constexpr int kAttachTries = 100;
constexpr std::chrono::milliseconds kAttachRetryWait{20};

bool writeText(const std::string& file, const std::string& text, int& errorNumber) {
    const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) {
        errorNumber = errno;
        return false;
    }
    const ssize_t written = ::write(fd, text.data(), text.size());
    errorNumber = written < 0 ? errno : 0;
    ::close(fd);
    return written == static_cast<ssize_t>(text.size());
}

}  // namespace

int VhciAttachment::attach(std::uint32_t devid, std::string& error) {
    for (int attempt = 0; attempt < kAttachTries; ++attempt) {
        int pair[2];
        if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair) != 0) {
            error = std::string("socketpair failed: ") + std::strerror(errno);
            return -1;
        }
        // The kernel takes its own reference to pair[1] while the write runs.
        const std::string line = std::to_string(port_) + " " + std::to_string(pair[1]) + " " +
                                 std::to_string(devid) + " " + std::to_string(kFullSpeed);
        int errorNumber = 0;
        const bool ok = writeText(folder_ + "/attach", line, errorNumber);
        ::close(pair[1]);
        if (ok) {
            return pair[0];
        }
        ::close(pair[0]);
        error = "attach to " + folder_ + " port " + std::to_string(port_) +
                " failed: " + std::strerror(errorNumber);
        if (errorNumber != EBUSY && errorNumber != EINVAL) {
            return -1;
        }
        std::this_thread::sleep_for(kAttachRetryWait);
    }
    return -1;
}

bool VhciAttachment::detach(std::string& error) {
    int errorNumber = 0;
    if (!writeText(folder_ + "/detach", std::to_string(port_), errorNumber)) {
        error = "detach of port " + std::to_string(port_) + " failed: " +
                std::strerror(errorNumber);
        return false;
    }
    return true;
}

}  // namespace orv::sim::usbip
