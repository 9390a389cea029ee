#include "ui/kit/SingleInstanceLock.h"

#include <QDir>
#include <QLockFile>
#include <QStandardPaths>
#include <cstdlib>

namespace orv::kit {

struct SingleInstanceLock::Impl {
    std::unique_ptr<QLockFile> file;
    bool held = false;
};

namespace {

QString LockFolder() {
    if (const char* dir = std::getenv("ORV_LOCK_DIR"); dir != nullptr && *dir != '\0') {
        return QString::fromLocal8Bit(dir);
    }
    QString dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty()) {
        dir = QDir::tempPath();
    }
    return dir;
}

}  // namespace

SingleInstanceLock::SingleInstanceLock(const std::string& name) : impl_(std::make_unique<Impl>()) {
    QDir().mkpath(LockFolder());
    impl_->file =
        std::make_unique<QLockFile>(LockFolder() + "/" + QString::fromStdString(name) + ".lock");
    // Never treat a live holder's lock as stale by age; a dead holder's lock is taken over.
    impl_->file->setStaleLockTime(0);
}

SingleInstanceLock::~SingleInstanceLock() {
    Release();
}

bool SingleInstanceLock::TryAcquire() {
    if (impl_->held) {
        return true;
    }
    impl_->held = impl_->file->tryLock(0);
    return impl_->held;
}

bool SingleInstanceLock::IsHeld() const {
    return impl_->held;
}

void SingleInstanceLock::Release() {
    if (impl_->held) {
        impl_->file->unlock();
        impl_->held = false;
    }
}

}  // namespace orv::kit
