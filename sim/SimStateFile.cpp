#include "sim/SimStateFile.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string_view>
#include <vector>

namespace orv::sim {

namespace {

constexpr std::string_view kTag = "ORVSIM01";
constexpr std::size_t kFileSize = kTag.size() + 2 * kProfilesPerMode * block::kSize;

std::string reason() {
    return std::strerror(errno);
}

}  // namespace

bool SimStateFile::load(StoredImages& images, std::string& error) const {
    std::FILE* file = std::fopen(path_.c_str(), "rb");
    if (file == nullptr) {
        error = "cannot open " + path_ + ": " + reason();
        return false;
    }
    std::vector<std::uint8_t> bytes(kFileSize + 1);
    const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (got != kFileSize || std::memcmp(bytes.data(), kTag.data(), kTag.size()) != 0) {
        error = path_ + " is not a simulated controller state file";
        return false;
    }
    std::size_t offset = kTag.size();
    for (auto& mode : images) {
        for (DeviceSettingsBlock& image : mode) {
            std::memcpy(image.bytes.data(), bytes.data() + offset, block::kSize);
            offset += block::kSize;
        }
    }
    return true;
}

bool SimStateFile::save(const StoredImages& images, std::string& error) const {
    const std::string temporary = path_ + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (file == nullptr) {
        error = "cannot create " + temporary + ": " + reason();
        return false;
    }
    bool ok = std::fwrite(kTag.data(), 1, kTag.size(), file) == kTag.size();
    for (const auto& mode : images) {
        for (const DeviceSettingsBlock& image : mode) {
            ok = ok && std::fwrite(image.bytes.data(), 1, block::kSize, file) == block::kSize;
        }
    }
    // The new images must be on the disk before the name points at them, or a power loss
    // right after the rename could leave an empty or short state file.
    ok = std::fflush(file) == 0 && ::fsync(::fileno(file)) == 0 && ok;
    if (std::fclose(file) != 0 || !ok) {
        error = "cannot write " + temporary + ": " + reason();
        std::remove(temporary.c_str());
        return false;
    }
    if (std::rename(temporary.c_str(), path_.c_str()) != 0) {
        error = "cannot replace " + path_ + ": " + reason();
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace orv::sim
