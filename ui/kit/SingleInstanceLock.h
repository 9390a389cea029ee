// A named lock that only one process of the user holds at a time (the core's InstanceLock, so
// the command-line tool takes the same one). A lock left by a crashed process is taken over.
#pragma once

#include <memory>
#include <string>

namespace orv::kit {

class SingleInstanceLock {
public:
    // name: a plain word such as "ORVFUNCTIONSETTOOL"; the lock lives in the user's runtime
    // folder (ORV_LOCK_DIR overrides it, for tests).
    explicit SingleInstanceLock(const std::string& name);
    ~SingleInstanceLock();
    SingleInstanceLock(const SingleInstanceLock&) = delete;
    SingleInstanceLock& operator=(const SingleInstanceLock&) = delete;

    // True when this object now holds the lock; false when another holder exists.
    bool TryAcquire();
    bool IsHeld() const;
    void Release();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orv::kit
