#include "ui/kit/SingleInstanceLock.h"

#include "context/InstanceLock.h"

namespace orv::kit {

// The window and orvctl take the same lock, so either refuses while the other runs.
struct SingleInstanceLock::Impl {
    explicit Impl(const std::string& name) : lock(name) {}
    InstanceLock lock;
};

SingleInstanceLock::SingleInstanceLock(const std::string& name)
    : impl_(std::make_unique<Impl>(name)) {}

SingleInstanceLock::~SingleInstanceLock() {
    Release();
}

bool SingleInstanceLock::TryAcquire() {
    return impl_->lock.tryAcquire();
}

bool SingleInstanceLock::IsHeld() const {
    return impl_->lock.isHeld();
}

void SingleInstanceLock::Release() {
    impl_->lock.release();
}

}  // namespace orv::kit
