#pragma once
// The five vendor commands, carried in 65-byte reports on link.hidDevice.
//
// Request frame (VendorFrame): byte 0 report ID 0, byte 1 0xAA, byte 2 command code, byte 3
// 0x55, byte 4 0xFF minus the code, bytes 5..8 parameters, bytes 9..64 data (0 where none).
// A reply is picked out of the input stream by its command byte (and chunk index for
// ReadProfile); every other report is discarded. Bytes 1, 3 and 4 of a reply are not checked.
//
// Every command returns true on success and false on failure with the reason in
// link.lastError, holds link.commandLock for its whole exchange, waits only on link.clock and
// never hangs: one reply wait ends after kReplyTimeout (one second) or after
// kMaxDiscardedReports non-matching reports, whichever comes first. Only ReadProfile changes
// the link (receivedBlock, on success).

#include <chrono>
#include <cstddef>
#include <cstdint>

#include "device/ControllerState.h"
#include "device/DeviceSettingsBlock.h"
#include "device/hid/HidDevice.h"

namespace orv {

namespace vendor {

enum class Command : std::uint8_t {
    Select = 0x02,
    ReadProfile = 0x03,
    WriteProfile = 0x04,
    Commit = 0x06,
    StartTest = 0x07,
};

// Frame byte positions (report index, byte 0 being the report ID).
inline constexpr std::size_t kLeadOffset = 1;
inline constexpr std::size_t kCommandOffset = 2;
inline constexpr std::size_t kTrailOffset = 3;
inline constexpr std::size_t kComplementOffset = 4;
inline constexpr std::size_t kParameterOffset = 5;  // bytes 5..8
inline constexpr std::size_t kDataOffset = 9;       // bytes 9..64
inline constexpr std::uint8_t kLeadByte = 0xAA;
inline constexpr std::uint8_t kTrailByte = 0x55;

// Parameter values.
inline constexpr std::uint8_t kNoSelection = 0xFF;      // Select: no mode / no profile given
inline constexpr std::uint8_t kReadChunkLength = 0x20;  // ReadProfile byte 8
inline constexpr std::uint8_t kImageLengthLow = 0x80;   // WriteProfile bytes 7..8: 640
inline constexpr std::uint8_t kImageLengthHigh = 0x02;
inline constexpr std::uint8_t kCommitFlag = 0x01;  // Commit byte 7
// Reply bytes that carry a result.
inline constexpr std::size_t kSelectStatusOffset = 6;
inline constexpr std::size_t kCommitStatusOffset = 7;
inline constexpr std::size_t kChunkIndexOffset = 7;
inline constexpr std::uint8_t kStatusSuccess = 1;

static_assert(kImageLengthLow + 256 * kImageLengthHigh == block::kSize);
static_assert(1 + block::kWriteChunkSize == hid::kReportSize);  // a WriteProfile data report
static_assert(kDataOffset + block::kReadChunkSize <= hid::kReportSize);

// Bounds of one reply wait.
inline constexpr std::chrono::milliseconds kReplyTimeout{1000};
inline constexpr std::size_t kMaxDiscardedReports = 4096;

// Pacing: before each WriteProfile data report and after each ReadProfile chunk.
inline constexpr std::chrono::milliseconds kChunkPause{5};

// StartTest kinds and the stick target.
inline constexpr std::uint8_t kTestShortPress = 0;
inline constexpr std::uint8_t kTestLongPress = 1;
inline constexpr std::uint8_t kTestTurbo = 2;
inline constexpr std::uint8_t kTestContinuousDisable = 3;
inline constexpr std::uint8_t kTestLongPressSwitch = 4;
inline constexpr std::uint8_t kTestStickAsLeft = 5;
inline constexpr std::uint8_t kTestStickAsRight = 6;
inline constexpr std::uint8_t kTestTargetStick = 18;
inline constexpr std::uint8_t kTestTargetAll = 0xFF;

// The request frame of `command` with parameter bytes 5..8.
hid::Report makeFrame(Command command, std::uint8_t p5, std::uint8_t p6, std::uint8_t p7,
                      std::uint8_t p8);

}  // namespace vendor

// Select a host mode (0 NS, 1 PC, 0xFF none) and/or a profile index (0..5, 0xFF none). True
// when the reply's byte 6 is 1.
bool Select(DeviceLink& link, std::uint8_t mode, std::uint8_t profile);

// Reads image (mode 0/1, profile 0..5) in twenty 32-byte chunks, 5 ms after each. On success
// the image is in link.receivedBlock; on failure receivedBlock is untouched.
bool ReadProfile(DeviceLink& link, std::uint8_t mode, std::uint8_t profile);

// Writes `image` to (mode, profile): a header frame, then ten 64-byte data reports each after a
// 5 ms pause. Reads nothing; replies arriving meanwhile stay queued for the next reader.
bool WriteProfile(DeviceLink& link, DeviceSettingsBlock image, std::uint8_t mode,
                  std::uint8_t profile);

// Makes the images written for `mode` permanent. True when the reply's byte 7 is 1.
bool Commit(DeviceLink& link, std::uint8_t mode);

// Puts the controller into test mode for (mode, profile), `target` slot 0..17, 18 (stick) or
// 0xFF, with `kind` (see the kTest constants). True as soon as the reply arrives; test reports
// follow on the input stream.
bool StartTest(DeviceLink& link, std::uint8_t mode, std::uint8_t profile, std::uint8_t target,
               std::uint8_t kind);

}  // namespace orv
