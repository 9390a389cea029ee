#include <gtest/gtest.h>

#include <cstring>

#include "device/DeviceSettingsBlock.h"

namespace orv {
namespace {

// An image whose byte i holds a value derived from i, so a misplaced copy shows up.
DeviceSettingsBlock patterned() {
    DeviceSettingsBlock image;
    for (std::size_t i = 0; i < block::kSize; ++i) {
        image[i] = static_cast<std::uint8_t>(i * 13 + 1);
    }
    return image;
}

TEST(DeviceSettingsBlock, RecordsLieAtTheirFixedOffsets) {
    const struct {
        ButtonSlot slot;
        const char* identifier;
        std::size_t start;
    } cases[] = {
        {ButtonSlot::LeftStickClick, "J_LSB_P", 0x030},
        {ButtonSlot::Capture, "J_CAP_P", 0x040},
        {ButtonSlot::Minus, "J_MINUS_P", 0x050},
        {ButtonSlot::ZL, "J_ZL_P", 0x060},
        {ButtonSlot::L, "J_L_P", 0x070},
        {ButtonSlot::DpadLeft, "J_LEFT_P", 0x080},
        {ButtonSlot::DpadUp, "J_UP_P", 0x090},
        {ButtonSlot::DpadDown, "J_DOWN_P", 0x0A0},
        {ButtonSlot::DpadRight, "J_RIGHT_P", 0x0B0},
        {ButtonSlot::Y, "J_Y_P", 0x0C0},
        {ButtonSlot::X, "J_X_P", 0x0D0},
        {ButtonSlot::B, "J_B_P", 0x0E0},
        {ButtonSlot::A, "J_A_P", 0x0F0},
        {ButtonSlot::R, "J_R_P", 0x100},
        {ButtonSlot::ZR, "J_ZR_P", 0x110},
        {ButtonSlot::Plus, "J_PLUS_P", 0x120},
        {ButtonSlot::Home, "J_HOME_P", 0x130},
        {ButtonSlot::RightStickClick, "J_RSB_P", 0x140},
    };
    const DeviceSettingsBlock image = patterned();
    for (const auto& c : cases) {
        const auto slot = static_cast<std::size_t>(c.slot);
        EXPECT_EQ(kSlotIdentifiers[slot], c.identifier);
        EXPECT_EQ(block::buttonRecordOffset(slot), c.start) << c.identifier;
        const ButtonSetting record = image.button(slot);
        EXPECT_EQ(std::memcmp(&record, &image.bytes[c.start], 16), 0) << c.identifier;
        EXPECT_EQ(record.ConDisable, image[53 + 16 * slot]) << c.identifier;
        EXPECT_EQ(record.LSwitchFlag, image[61 + 16 * slot]) << c.identifier;
    }
    EXPECT_EQ(image.stick(StickSide::Left).mode, image[32]);
    EXPECT_EQ(image.stick(StickSide::Left).deadzone, image[35]);
    EXPECT_EQ(image.stick(StickSide::Right).mode, image[40]);
    EXPECT_EQ(image.stick(StickSide::Right).reserved[3], image[47]);
    EXPECT_EQ(image.namePartOne().data(), &image.bytes[0]);
    EXPECT_EQ(image.namePartTwo().data(), &image.bytes[561]);
}

TEST(DeviceSettingsBlock, WritesTouchOnlyTheirOwnBytes) {
    const DeviceSettingsBlock before = patterned();
    const struct {
        const char* what;
        std::size_t start;
        std::size_t size;
        void (*write)(DeviceSettingsBlock&);
    } cases[] = {
        {"button 0", 48, 16, [](DeviceSettingsBlock& b) { b.setButton(0, ButtonSetting{}); }},
        {"button 17", 320, 16, [](DeviceSettingsBlock& b) { b.setButton(17, ButtonSetting{}); }},
        {"left stick", 32, 8,
         [](DeviceSettingsBlock& b) { b.setStick(StickSide::Left, StickSetting{}); }},
        {"right stick", 40, 8,
         [](DeviceSettingsBlock& b) { b.setStick(StickSide::Right, StickSetting{}); }},
    };
    for (const auto& c : cases) {
        DeviceSettingsBlock image = before;
        c.write(image);
        for (std::size_t i = 0; i < block::kSize; ++i) {
            const bool inside = i >= c.start && i < c.start + c.size;
            EXPECT_EQ(image[i], inside ? 0 : before[i]) << c.what << " byte " << i;
        }
    }
}

TEST(DeviceSettingsBlock, RecordsRoundTripWithReservedAndOutOfRangeBytes) {
    DeviceSettingsBlock image = patterned();
    const DeviceSettingsBlock original = image;
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        image.setButton(slot, image.button(slot));
    }
    image.setStick(StickSide::Left, image.stick(StickSide::Left));
    image.setStick(StickSide::Right, image.stick(StickSide::Right));
    EXPECT_EQ(image, original);

    // A copied image is byte-identical, reserved areas included.
    const DeviceSettingsBlock copy = original;
    EXPECT_EQ(std::memcmp(copy.bytes.data(), original.bytes.data(), block::kSize), 0);
}

TEST(DeviceSettingsBlock, ChunkViewsCoverTheImageInOrder) {
    DeviceSettingsBlock image = patterned();
    for (std::size_t i = 0; i < block::kWriteChunkCount; ++i) {
        const auto chunk = image.writeChunk(i);
        EXPECT_EQ(chunk.data(), &image.bytes[64 * i]);
        EXPECT_EQ(chunk[63], image[64 * i + 63]);
    }
    DeviceSettingsBlock assembled;
    for (std::size_t i = 0; i < block::kReadChunkCount; ++i) {
        const auto source = std::as_const(image).readChunk(i);
        EXPECT_EQ(source.data(), &image.bytes[32 * i]);
        const auto target = assembled.readChunk(i);
        std::copy(source.begin(), source.end(), target.begin());
    }
    EXPECT_EQ(assembled, image);
}

TEST(DeviceSettingsBlock, SwitchModePairsTakeFlagsAsTheyAre) {
    DeviceSettingsBlock image;
    image[block::switchFlagOffset(0)] = 1;
    image[block::switchFlagOffset(9)] = 7;  // not a switch, but carried as it is
    image[block::switchFlagOffset(17)] = 1;
    const SwitchModeList pairs = image.switchModePairs();
    ASSERT_EQ(pairs.size(), kButtonSlotCount);
    for (std::uint32_t slot = 0; slot < kButtonSlotCount; ++slot) {
        const std::uint32_t flag = slot == 0 || slot == 17 ? 1 : slot == 9 ? 7 : 0;
        EXPECT_EQ(pairs[slot], (SwitchModePair{flag, slot}));
    }
}

TEST(DeviceSettingsBlockDeathTest, StickOrNoSelectionNeverReachesARecord) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    DeviceSettingsBlock image;
    EXPECT_DEATH(image.button(kSelectionLeftStick), "not a button slot");
    EXPECT_DEATH(image.setButton(kSelectionNone, ButtonSetting{}), "not a button slot");
    EXPECT_DEATH(image.writeChunk(10), "chunk 10");
}

}  // namespace
}  // namespace orv
