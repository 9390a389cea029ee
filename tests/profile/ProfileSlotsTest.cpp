#include <gtest/gtest.h>

#include "profile/ProfileEditing.h"
#include "profile/ProfileSlots.h"
#include "tests/profile/ProfileSessionFixture.h"
#include "tests/profile/SettingsTestSupport.h"

namespace orv {
namespace {

using testing::kSlotA;
using testing::kSlotCapture;
using testing::kSlotHome;

TEST(ProfileSlotNames, OnlyTheExactFactoryNameOfTheSameSlotIsNotCustomised) {
    const struct {
        std::uint32_t index;
        const char* name;
        bool customised;
    } cases[] = {
        {2, "PROFILE3", false}, {3, "PROFILE3", true},  {0, "profile1", true},
        {0, "PROFILE1 ", true}, {5, "PROFILE6", false}, {1, "", true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(isCustomisedName(c.index, c.name), c.customised) << c.index << " " << c.name;
    }
}

using ProfileSlots = testing::ProfileSession;

TEST_F(ProfileSlots, ActivateSelectsTheProfileAndTakesItsStoredImage) {
    images.hostMode = HostMode::PC;
    images.currentProfile = 4;
    images.workingBlock.clear();
    profile.selectedSlot = 3;
    const ProfileOutcome activated = activateProfileForEditing(context);
    ASSERT_TRUE(activated.succeeded) << activated.detail;
    EXPECT_TRUE(activated.showEditingButtons);
    EXPECT_TRUE(activated.refreshPanel);
    EXPECT_EQ(controller->selectedProfile(), 3);
    EXPECT_EQ(profile.lastPcProfile, 4u);
    EXPECT_EQ(images.workingBlock, stored(HostMode::PC, 4));
    EXPECT_EQ(profile.restorePoint, stored(HostMode::PC, 4));
    EXPECT_EQ(profile.currentRecords.size(), kButtonSlotCount);
    EXPECT_EQ(profile.selectedSlot, kSelectionNone);
}

TEST_F(ProfileSlots, RefusedSelectLeavesTheSlotNotActivated) {
    sim::SimFaults faults;
    faults.refuseSelect = true;
    controller->setFaults(faults);
    images.currentProfile = 2;
    images.workingBlock.clear();
    const ProfileOutcome activated = activateProfileForEditing(context);
    EXPECT_FALSE(activated.succeeded);
    EXPECT_TRUE(activated.showEditingButtons);
    EXPECT_FALSE(activated.refreshPanel);
    EXPECT_EQ(images.workingBlock, DeviceSettingsBlock{});
    EXPECT_EQ(profile.restorePoint, DeviceSettingsBlock{});
}

TEST_F(ProfileSlots, NewProfileStoresFactorySettingsUnderTheNameAndRestoreUndoesIt) {
    images.hostMode = HostMode::PC;
    images.currentProfile = 2;
    const DeviceSettingsBlock before = stored(HostMode::PC, 2);
    images.switchModes(HostMode::PC)[0][kSlotA].flag = 1;
    profile.enteredName = "Fly!";

    const ProfileOutcome made = newProfileFromFactory(context, flags);
    ASSERT_TRUE(made.succeeded) << made.detail;
    EXPECT_FALSE(made.message);
    EXPECT_EQ(made.nameButtonText, "Fly!");
    EXPECT_TRUE(flags.newProfileMade);
    EXPECT_TRUE(flags.slotReplaced);
    const DeviceSettingsBlock& now = stored(HostMode::PC, 2);
    EXPECT_EQ(now, images.workingBlock);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(now.namePartOne().data())), "Fly!");
    EXPECT_EQ(now.namePartTwo()[0], 0);
    EXPECT_EQ(now.button(kSlotA).SDownPos, 6);
    EXPECT_EQ(now.button(kSlotCapture).SDownPos, 31);
    EXPECT_EQ(now.button(kSlotHome).SDownPos, 31);
    EXPECT_EQ(profile.editLeftStick, now.stick(StickSide::Left));
    EXPECT_EQ(profile.entryBlock, before);
    EXPECT_EQ(profile.lastPcProfile, 2u);
    EXPECT_EQ(images.switchModes(HostMode::PC)[0][kSlotA].flag, 0u);
    EXPECT_EQ(controller->selectedProfile(), 1);
    EXPECT_EQ(controller->permanentImage(HostMode::PC, 1), before) << "sent only with Save";
    EXPECT_FALSE(profile.settingsDb.isOpen());

    const ProfileOutcome restored = restoreLastTime(context, flags);
    EXPECT_EQ(restored.nameButtonText, "Stored 2");
    EXPECT_EQ(stored(HostMode::PC, 2), before);
}

TEST_F(ProfileSlots, NewProfileFailuresAskForTheWarning) {
    // Without the factory file nothing at all changes; a refused select keeps the new profile
    // in the list (it reaches the controller only with Save) but reports the failure.
    testing::ScratchFolder empty;
    const SettingsFiles missing = SettingsFiles::beside(empty.path());
    images.currentProfile = 5;
    profile.enteredName = "Team";
    profile.defaultRecords.assign(kButtonSlotCount, ButtonSetting{});
    {
        ProfileContext noFactory{images, profile, link, missing};
        const testing::SessionSnapshot before = snapshot();
        const ProfileOutcome made = newProfileFromFactory(noFactory, flags);
        EXPECT_FALSE(made.succeeded);
        EXPECT_EQ(made.message, (MessageNotice{78, 77, MessageIcon::Warning}));
        EXPECT_FALSE(made.nameButtonText);
        EXPECT_TRUE(snapshot() == before);
        EXPECT_EQ(profile.defaultRecords.size(), kButtonSlotCount);
        EXPECT_EQ(profile.lastNsProfile, 0u);
    }
    sim::SimFaults faults;
    faults.refuseSelect = true;
    controller->setFaults(faults);
    const ProfileOutcome made = newProfileFromFactory(context, flags);
    EXPECT_FALSE(made.succeeded);
    EXPECT_EQ(made.message, (MessageNotice{78, 77, MessageIcon::Warning}));
    EXPECT_EQ(readProfileName(stored(HostMode::NS, 5)), "Team");
    EXPECT_TRUE(flags.slotReplaced);
    EXPECT_FALSE(flags.newProfileMade);
}

TEST_F(ProfileSlots, RenameWithoutSaveIsUndoneByRestore) {
    editProfile(HostMode::NS, 1);
    profile.enteredName = "A much longer name";
    const ProfileOutcome renamed = renameCurrentProfile(context);
    EXPECT_EQ(renamed.nameButtonText, "A much longer name");
    EXPECT_EQ(readProfileName(images.workingBlock), "A much longer name");
    EXPECT_EQ(readProfileName(stored(HostMode::NS, 1)), "Stored 1");

    const ProfileOutcome restored = restoreLastTime(context, flags);
    EXPECT_EQ(restored.nameButtonText, "Stored 1");
    EXPECT_EQ(readProfileName(stored(HostMode::NS, 1)), "Stored 1");
}

TEST_F(ProfileSlots, CancelTakesTheStoredImageAsRestorePoint) {
    images.currentProfile = 3;
    DeviceSettingsBlock& entry = stored(HostMode::NS, 3);
    entry.setStick(StickSide::Right, {0, 3, 50, 10, {1, 2, 3, 4}});
    ASSERT_TRUE(cancelProfileDialog(context).succeeded);
    EXPECT_EQ(profile.restorePoint, entry);
    EXPECT_EQ(profile.editRightStick, entry.stick(StickSide::Right));
    EXPECT_EQ(profile.editLeftStick, entry.stick(StickSide::Left));
}

TEST_F(ProfileSlots, OperationsWithoutACurrentSlotChangeNothing) {
    for (const std::uint32_t current : {0u, 7u}) {
        images.currentProfile = current;
        profile.enteredName = "X";
        const testing::SessionSnapshot before = snapshot();
        EXPECT_FALSE(activateProfileForEditing(context).succeeded);
        EXPECT_FALSE(newProfileFromFactory(context, flags).succeeded);
        EXPECT_FALSE(renameCurrentProfile(context).succeeded);
        EXPECT_FALSE(cancelProfileDialog(context).succeeded);
        EXPECT_FALSE(saveProfile(context, flags).succeeded);
        EXPECT_FALSE(factoryResetProfile(context, flags).succeeded);
        EXPECT_TRUE(snapshot() == before);
    }
}

}  // namespace
}  // namespace orv
