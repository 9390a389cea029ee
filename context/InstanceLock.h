#pragma once
// The per-user lock that keeps two front ends (the window, orvctl) from driving the controller
// at the same time: an advisory flock on "<name>.lock" in the user's runtime folder
// (orv::paths::runtimeFolder(); the environment variable ORV_LOCK_DIR moves it, for tests).
// The kernel drops the lock when its holder ends, so a crashed holder never blocks anyone.

#include <string>

namespace orv {

// The name both front ends lock.
inline constexpr const char* kInstanceLockName = "ORVFUNCTIONSETTOOL";

class InstanceLock {
public:
    explicit InstanceLock(std::string name = kInstanceLockName);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this object now holds the lock (also when it already did); false when another
    // holder exists or the lock file cannot be used (error() says why, empty when simply held
    // by someone else).
    bool tryAcquire();
    bool isHeld() const { return fd_ >= 0; }
    void release();

    const std::string& path() const { return path_; }
    const std::string& error() const { return error_; }

private:
    std::string path_;
    std::string error_;
    int fd_ = -1;
};

}  // namespace orv
