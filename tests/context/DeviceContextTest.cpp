#include "context/DeviceContext.h"

#include <gtest/gtest.h>

namespace orv {
namespace {

TEST(DeviceContext, StartsWithTheDocumentedInitialValues) {
    DeviceContext& context = DeviceContext::instance();
    EXPECT_EQ(context.text.language, "english");
    EXPECT_EQ(context.profile.selectedSlot, kSelectionNone);
    EXPECT_EQ(context.images.currentProfile, 0u);
    EXPECT_EQ(context.images.hostMode, HostMode::NS);
    EXPECT_TRUE(context.images.nsProfiles.empty());
    EXPECT_TRUE(context.images.pcProfiles.empty());
    EXPECT_TRUE(context.images.switchModeLists[0].empty());
    EXPECT_TRUE(context.profile.defaultRecords.empty());
    EXPECT_TRUE(context.profile.enteredName.empty());
    EXPECT_EQ(context.device.hidDevice, nullptr);
    EXPECT_FALSE(context.profile.settingsDb.isOpen());
    EXPECT_FALSE(context.text.textDb.isOpen());
    EXPECT_EQ(context.device.connected.load(), 0u);
    EXPECT_EQ(context.images.workingBlock, DeviceSettingsBlock{});
}

TEST(DeviceContext, EveryCallYieldsTheSameObject) {
    EXPECT_EQ(&DeviceContext::instance(), &DeviceContext::instance());
}

}  // namespace
}  // namespace orv
