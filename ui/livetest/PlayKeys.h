#pragma once
// Keys that play a simulated controller while a live test screen is open. The tool installs
// them when it runs against the simulated controller; without them the test screens pass keys
// on as before and show no key map. UI thread only.

#include <functional>
#include <string>

namespace orv {

struct PlayKeys {
    // A key went down or up (toolkit key codes); returns whether the key is bound.
    std::function<bool(unsigned key, bool down)> onKey;
    // Releases every held key (a test screen closes).
    std::function<void()> releaseAll;
    // The key map as the test screens show it, after the store's lead-in text.
    std::string keyMap;
};

void installPlayKeys(PlayKeys keys);
void removePlayKeys();
// nullptr while none are installed.
const PlayKeys* playKeys();

}  // namespace orv
