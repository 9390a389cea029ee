#pragma once
// A folder only this user can enter (mode 0700), created under the system's temporary folder
// ($TMPDIR, else /tmp) and removed with everything in it when the object goes away.

#include <filesystem>

#include "profile/Status.h"

namespace orv {

class PrivateTempFolder {
public:
    PrivateTempFolder() = default;
    ~PrivateTempFolder() { remove(); }
    PrivateTempFolder(const PrivateTempFolder&) = delete;
    PrivateTempFolder& operator=(const PrivateTempFolder&) = delete;

    // Creates a fresh folder (removing one this object made before).
    Status create();
    void remove();

    bool exists() const { return !path_.empty(); }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

}  // namespace orv
