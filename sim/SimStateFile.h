#pragma once
// The twelve permanent images of a simulated controller kept in a file between runs: an 8-byte
// tag "ORVSIM01", then the six NS and the six PC images, 640 bytes each, in profile order.
// Saving writes a temporary file beside the target and renames it into place, so a crash
// never leaves a half-written state.

#include <array>
#include <string>

#include "device/DeviceSettingsBlock.h"
#include "sim/FactoryImages.h"

namespace orv::sim {

using StoredImages = std::array<std::array<DeviceSettingsBlock, kProfilesPerMode>, 2>;

class SimStateFile {
public:
    explicit SimStateFile(std::string path) : path_(std::move(path)) {}

    const std::string& path() const { return path_; }
    // False (with `error` set) when the file is missing, short or not a state file; `images`
    // is then unchanged.
    bool load(StoredImages& images, std::string& error) const;
    bool save(const StoredImages& images, std::string& error) const;

private:
    std::string path_;
};

}  // namespace orv::sim
