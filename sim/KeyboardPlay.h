#pragma once
// Playing the simulated controller from the keyboard: held keys hold buttons and push the
// sticks to their edge. Key codes are those of the toolkit's key messages (upper-case ASCII
// for letters and digits, 0x25..0x28 for the arrow keys).
//
//   Sticks      left E S D F (up left down right), click C; right I J K L, click M
//   D-pad       arrow keys
//   Face        A B X Y
//   Shoulders   1 ZL, 2 L, 9 R, 0 ZR
//   Centre      3 −, 4 Capture, 7 Home, 8 +
//
// Qt-free; not thread-safe (the UI thread owns it).

#include <optional>
#include <string>
#include <vector>

#include "device/SettingRecords.h"
#include "sim/PhysicalInput.h"

namespace orv::sim {

class KeyboardPlay {
public:
    enum class StickDirection : std::uint8_t { Up, Left, Down, Right };
    struct Binding {
        unsigned key = 0;
        const char* keyName = "";
        std::optional<ButtonSlot> button;  // a button, or else a stick direction:
        StickSide stick = StickSide::Left;
        StickDirection direction = StickDirection::Up;
    };

    static const std::vector<Binding>& bindings();
    // The key map in one line, as the test screens show it.
    static std::string keyMapText();

    // A key went down or up; false (and nothing changes) for a key without a binding.
    bool key(unsigned keyCode, bool down);
    // The buttons and stick positions the held keys make.
    PhysicalInput input() const;

private:
    std::vector<unsigned> held_;
};

}  // namespace orv::sim
