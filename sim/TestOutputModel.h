#pragma once
// What a simulated controller in test mode reports: the physical input passed through the
// settings of the image under test, as a TestReport (a frame of command 0x07 whose bytes 9..22
// carry the produced output in the layout of the host mode).
//
// The button under test (target 0..17) follows the test kind: 0 short press (SDownPos while
// held), 1 long press (SDownPos, LDownPos once held LDownTime tenths of a second), 2 turbo
// (TurboPos on for the first half of every TurboTime tenths), 3 continuous disable (SDownPos
// for ConDisableTime tenths, then nothing while still held), 4 long-press switch (the current
// position's function; a hold of LSwitchTime tenths steps to the next non-empty position).
// Every other button works as its record says: a long-press switch when LSwitchFlag is 1,
// continuous disable when ConDisable is 1, else its short press. Sticks go through mode
// (1 shows as the left stick, 2 as the right, 0 nowhere), dead zone, rotation and sensitivity.

#include <array>
#include <cstdint>
#include <optional>

#include "device/Clock.h"
#include "device/DeviceSettingsBlock.h"
#include "device/hid/HidDevice.h"
#include "sim/PhysicalInput.h"

namespace orv::sim {

struct TestSession {
    std::uint8_t mode = 0;  // HostMode 0 NS, 1 PC
    std::uint8_t profile = 0;
    std::uint8_t target = 0;
    std::uint8_t kind = 0;
};

class TestOutputModel {
public:
    TestOutputModel(const TestSession& session, const DeviceSettingsBlock& image);

    // The report for `input` held at time `now` (calls come in time order).
    hid::Report next(const PhysicalInput& input, Clock::TimePoint now);

    const TestSession& session() const { return session_; }

private:
    enum class Behaviour { ShortPress, LongPress, Turbo, ContinuousDisable, Switch };
    Behaviour behaviourOf(std::size_t slot) const;
    FunctionCode produced(std::size_t slot, Clock::Duration heldFor);

    TestSession session_;
    DeviceSettingsBlock image_;
    std::array<std::optional<Clock::TimePoint>, kButtonSlotCount> pressedAt_{};
    std::array<std::size_t, kButtonSlotCount> switchPosition_{};
    std::array<bool, kButtonSlotCount> steppedThisHold_{};
};

}  // namespace orv::sim
