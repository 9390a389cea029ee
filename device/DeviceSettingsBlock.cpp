#include "device/DeviceSettingsBlock.h"

#include <cstdio>
#include <cstdlib>

namespace orv {

// Out-of-range indexes are programmer errors: a stick or "nothing" selection must never reach
// the record accessors. Fail loudly instead of touching another record's bytes.
std::size_t DeviceSettingsBlock::checkedSlot(std::size_t slot) {
    if (slot >= kButtonSlotCount) {
        std::fprintf(stderr, "DeviceSettingsBlock: slot %zu is not a button slot (0..17)\n", slot);
        std::abort();
    }
    return slot;
}

std::size_t DeviceSettingsBlock::checkedIndex(std::size_t index, std::size_t count) {
    if (index >= count) {
        std::fprintf(stderr, "DeviceSettingsBlock: chunk %zu out of 0..%zu\n", index, count - 1);
        std::abort();
    }
    return index;
}

}  // namespace orv
