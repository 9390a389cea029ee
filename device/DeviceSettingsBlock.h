#pragma once
// The 640-byte profile image: the unit of every transfer with the controller and of every copy
// in memory. Settings are read and written in place; bytes the tool does not interpret (the
// reserved areas, stick bytes 4..7, button bytes 14..15, out-of-range values) are carried as
// they are.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>
#include <vector>

#include "device/SettingRecords.h"

namespace orv {

namespace block {
inline constexpr std::size_t kSize = 640;

inline constexpr std::size_t kNamePartSize = 32;
inline constexpr std::size_t kNamePartOneOffset = 0;
inline constexpr std::size_t kLeftStickOffset = 32;
inline constexpr std::size_t kRightStickOffset = 40;
inline constexpr std::size_t kButtonRecordsOffset = 48;
inline constexpr std::size_t kButtonRecordSize = sizeof(ButtonSetting);
inline constexpr std::size_t kReservedAreaOneOffset = 336;
inline constexpr std::size_t kReservedAreaOneSize = 225;
inline constexpr std::size_t kNamePartTwoOffset = 561;
inline constexpr std::size_t kReservedAreaTwoOffset = 593;
inline constexpr std::size_t kReservedAreaTwoSize = 47;

// Transfer views: writes go out in ten 64-byte chunks, reads come in twenty 32-byte chunks.
inline constexpr std::size_t kWriteChunkSize = 64;
inline constexpr std::size_t kWriteChunkCount = kSize / kWriteChunkSize;
inline constexpr std::size_t kReadChunkSize = 32;
inline constexpr std::size_t kReadChunkCount = kSize / kReadChunkSize;

constexpr std::size_t buttonRecordOffset(std::size_t slot) {
    return kButtonRecordsOffset + kButtonRecordSize * slot;
}
constexpr std::size_t stickOffset(StickSide side) {
    return side == StickSide::Left ? kLeftStickOffset : kRightStickOffset;
}
// Bytes other code addresses directly.
constexpr std::size_t conDisableOffset(std::size_t slot) {
    return buttonRecordOffset(slot) + 5;
}
constexpr std::size_t switchFlagOffset(std::size_t slot) {
    return buttonRecordOffset(slot) + 13;
}
inline constexpr std::size_t kCaptureShortPressOffset = 64;
inline constexpr std::size_t kHomeShortPressOffset = 304;

static_assert(kNamePartOneOffset + kNamePartSize == kLeftStickOffset);
static_assert(kLeftStickOffset + sizeof(StickSetting) == kRightStickOffset);
static_assert(kRightStickOffset + sizeof(StickSetting) == kButtonRecordsOffset);
static_assert(buttonRecordOffset(kButtonSlotCount) == kReservedAreaOneOffset);
static_assert(kReservedAreaOneOffset + kReservedAreaOneSize == kNamePartTwoOffset);
static_assert(kNamePartTwoOffset + kNamePartSize == kReservedAreaTwoOffset);
static_assert(kReservedAreaTwoOffset + kReservedAreaTwoSize == kSize);
static_assert(conDisableOffset(0) == 53 && switchFlagOffset(0) == 61);
static_assert(buttonRecordOffset(1) == kCaptureShortPressOffset);
static_assert(buttonRecordOffset(16) == kHomeShortPressOffset);
static_assert(kWriteChunkCount == 10 && kReadChunkCount == 20);
}  // namespace block

// (LSwitchFlag, slot) for one slot; a profile's list holds slots 0..17 in order.
struct SwitchModePair {
    std::uint32_t flag = 0;
    std::uint32_t slot = 0;
    bool operator==(const SwitchModePair&) const = default;
};
using SwitchModeList = std::vector<SwitchModePair>;

class DeviceSettingsBlock {
public:
    using Bytes = std::array<std::uint8_t, block::kSize>;

    Bytes bytes{};

    std::uint8_t& operator[](std::size_t offset) { return bytes[offset]; }
    std::uint8_t operator[](std::size_t offset) const { return bytes[offset]; }
    bool operator==(const DeviceSettingsBlock&) const = default;

    void clear() { bytes.fill(0); }

    // Record of button slot 0..17 (a precondition: callers with a stick or no selection never
    // ask).
    ButtonSetting button(std::size_t slot) const {
        ButtonSetting record;
        std::memcpy(&record, &bytes[block::buttonRecordOffset(checkedSlot(slot))], sizeof record);
        return record;
    }
    void setButton(std::size_t slot, const ButtonSetting& record) {
        std::memcpy(&bytes[block::buttonRecordOffset(checkedSlot(slot))], &record, sizeof record);
    }
    StickSetting stick(StickSide side) const {
        StickSetting setting;
        std::memcpy(&setting, &bytes[block::stickOffset(side)], sizeof setting);
        return setting;
    }
    void setStick(StickSide side, const StickSetting& setting) {
        std::memcpy(&bytes[block::stickOffset(side)], &setting, sizeof setting);
    }

    std::span<std::uint8_t, block::kNamePartSize> namePartOne() {
        return std::span<std::uint8_t, block::kNamePartSize>(&bytes[block::kNamePartOneOffset],
                                                             block::kNamePartSize);
    }
    std::span<const std::uint8_t, block::kNamePartSize> namePartOne() const {
        return std::span<const std::uint8_t, block::kNamePartSize>(
            &bytes[block::kNamePartOneOffset], block::kNamePartSize);
    }
    std::span<std::uint8_t, block::kNamePartSize> namePartTwo() {
        return std::span<std::uint8_t, block::kNamePartSize>(&bytes[block::kNamePartTwoOffset],
                                                             block::kNamePartSize);
    }
    std::span<const std::uint8_t, block::kNamePartSize> namePartTwo() const {
        return std::span<const std::uint8_t, block::kNamePartSize>(
            &bytes[block::kNamePartTwoOffset], block::kNamePartSize);
    }

    // Chunk i (0..9) of the write view and chunk i (0..19) of the read view.
    std::span<const std::uint8_t, block::kWriteChunkSize> writeChunk(std::size_t i) const {
        return std::span<const std::uint8_t, block::kWriteChunkSize>(
            &bytes[block::kWriteChunkSize * checkedIndex(i, block::kWriteChunkCount)],
            block::kWriteChunkSize);
    }
    std::span<std::uint8_t, block::kReadChunkSize> readChunk(std::size_t i) {
        return std::span<std::uint8_t, block::kReadChunkSize>(
            &bytes[block::kReadChunkSize * checkedIndex(i, block::kReadChunkCount)],
            block::kReadChunkSize);
    }
    std::span<const std::uint8_t, block::kReadChunkSize> readChunk(std::size_t i) const {
        return std::span<const std::uint8_t, block::kReadChunkSize>(
            &bytes[block::kReadChunkSize * checkedIndex(i, block::kReadChunkCount)],
            block::kReadChunkSize);
    }

    // The (LSwitchFlag, slot) pairs of slots 0..17, the only value derived from a received image.
    SwitchModeList switchModePairs() const {
        SwitchModeList pairs;
        pairs.reserve(kButtonSlotCount);
        for (std::uint32_t slot = 0; slot < kButtonSlotCount; ++slot) {
            pairs.push_back({bytes[block::switchFlagOffset(slot)], slot});
        }
        return pairs;
    }

private:
    static std::size_t checkedSlot(std::size_t slot);
    static std::size_t checkedIndex(std::size_t index, std::size_t count);
};
static_assert(sizeof(DeviceSettingsBlock) == block::kSize);
static_assert(std::is_trivially_copyable_v<DeviceSettingsBlock>);

}  // namespace orv
