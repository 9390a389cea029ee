#pragma once
// What the user's hands do to a simulated controller: buttons held and stick positions.

#include <cstdint>
#include <initializer_list>

#include "device/SettingRecords.h"

namespace orv::sim {

struct PhysicalInput {
    std::uint32_t buttons = 0;  // bit n: ButtonSlot n held
    std::uint8_t leftX = 128;   // 0..255, centre 128, right is larger
    std::uint8_t leftY = 128;   // 0..255, centre 128, down is larger
    std::uint8_t rightX = 128;
    std::uint8_t rightY = 128;

    static PhysicalInput pressing(std::initializer_list<ButtonSlot> slots) {
        PhysicalInput input;
        for (ButtonSlot slot : slots) {
            input.buttons |= 1u << static_cast<unsigned>(slot);
        }
        return input;
    }
    bool held(std::size_t slot) const { return (buttons >> slot) & 1u; }
    bool operator==(const PhysicalInput&) const = default;
};

}  // namespace orv::sim
