#pragma once
// The button cells whose setting differs from the factory record, with the function code each
// shows, in the order they were found.

#include <cstdint>
#include <vector>

#include "device/SettingRecords.h"

namespace orv {

struct NonDefaultCell {
    std::uint32_t slot = 0;  // ButtonSlot 0..17
    FunctionCode code = 0;   // displayed code
    bool operator==(const NonDefaultCell&) const = default;
};

// A button differs when any of its bytes 0..13 differs; bytes 14..15 are the controller's own.
bool buttonDiffersFromFactory(const ButtonSetting& edited, const ButtonSetting& factory);
// A stick differs when mode, rotation, sensitivity or dead zone differs; bytes 4..7 do not count.
bool stickDiffersFromFactory(const StickSetting& edited, const StickSetting& factory);

class NonDefaultCells {
public:
    // Replaces the code of the slot's entry, or appends one.
    void mark(std::uint32_t slot, FunctionCode code);
    // Removes every entry of the slot.
    void unmark(std::uint32_t slot);
    void clear() { cells_.clear(); }
    const std::vector<NonDefaultCell>& cells() const { return cells_; }

private:
    std::vector<NonDefaultCell> cells_;
};

}  // namespace orv
