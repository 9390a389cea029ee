#include "ui/livetest/PlayKeys.h"

#include <optional>

namespace orv {

namespace {
std::optional<PlayKeys>& installed() {
    static std::optional<PlayKeys> keys;
    return keys;
}
}  // namespace

void installPlayKeys(PlayKeys keys) {
    installed() = std::move(keys);
}

void removePlayKeys() {
    installed().reset();
}

const PlayKeys* playKeys() {
    return installed() ? &*installed() : nullptr;
}

}  // namespace orv
