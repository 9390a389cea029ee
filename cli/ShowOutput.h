#pragma once
// What `orvctl show` prints: each profile's name and every setting, with the tool's own labels,
// as text for people or as JSON for scripts. The JSON depends only on the images (no times, no
// paths), so the same controller state always gives the same bytes.

#include <cstdint>
#include <string>
#include <vector>

#include "device/DeviceSettingsBlock.h"

namespace orv {
class TextStore;
}

namespace orv::cli {

struct ShownProfile {
    HostMode mode = HostMode::NS;
    std::uint32_t number = 1;  // 1..6
    const DeviceSettingsBlock* image = nullptr;
};

std::string showText(const std::vector<ShownProfile>& profiles, const TextStore& texts);
std::string showJson(const std::vector<ShownProfile>& profiles, const TextStore& texts);

// `text` as a JSON string literal, quotes included.
std::string jsonString(const std::string& text);

}  // namespace orv::cli
