#include <gtest/gtest.h>

#include <optional>

#include "profile/ProfileEditing.h"
#include "tests/profile/ProfileSessionFixture.h"
#include "tests/profile/SettingsTestSupport.h"

namespace orv {
namespace {

using testing::kSlotA;
using testing::kSlotCapture;
using testing::kSlotHome;

class ProfileEditing : public testing::ProfileSession {
protected:
    // Parameter bytes 5 and 6 of the last request frame of `command` the controller received.
    std::optional<std::pair<int, int>> lastFrame(vendor::Command command) const {
        std::optional<std::pair<int, int>> found;
        const auto code = static_cast<std::uint8_t>(command);
        for (const hid::Report& report : controller->writtenReports()) {
            if (report[1] == vendor::kLeadByte && report[2] == code &&
                report[3] == vendor::kTrailByte && report[4] == 0xFF - code) {
                found = std::pair<int, int>(report[5], report[6]);
            }
        }
        return found;
    }
};

TEST_F(ProfileEditing, SaveWritesAndCommitsTheWorkingImageToItsModeAndIndex) {
    const struct {
        HostMode mode;
        std::uint32_t profile;
    } cases[] = {{HostMode::NS, 3}, {HostMode::PC, 5}};
    for (const auto& c : cases) {
        SCOPED_TRACE(static_cast<int>(c.mode));
        editProfile(c.mode, c.profile);
        const HostMode other = c.mode == HostMode::NS ? HostMode::PC : HostMode::NS;
        const DeviceSettingsBlock otherBefore = stored(other, c.profile);
        ButtonSetting a = images.workingBlock.button(kSlotA);
        a.LSwitchFlag = 1;
        a.LSwitchPos1 = 4;
        images.workingBlock.setButton(kSlotA, a);

        const ProfileOutcome saved = saveProfile(context, flags);
        ASSERT_TRUE(saved.succeeded) << saved.detail;
        EXPECT_FALSE(saved.message);
        EXPECT_TRUE(saved.repaintProfileMarks);
        EXPECT_TRUE(flags.savedToDevice);

        const auto mode = static_cast<int>(c.mode);
        const int index = static_cast<int>(c.profile) - 1;
        EXPECT_EQ(lastFrame(vendor::Command::WriteProfile), std::make_pair(mode, index));
        EXPECT_EQ(lastFrame(vendor::Command::Commit)->first, mode);
        EXPECT_EQ(controller->permanentImage(c.mode, c.profile - 1), images.workingBlock);
        EXPECT_EQ(stored(c.mode, c.profile), images.workingBlock);
        EXPECT_EQ(controller->permanentImage(other, c.profile - 1), otherBefore);
        // The switch-mode lists now hold the saved switch of A.
        const auto& pairs = images.savedSwitchModes(c.mode)[c.profile - 1];
        EXPECT_EQ(pairs[kSlotA], (SwitchModePair{1, static_cast<std::uint32_t>(kSlotA)}));
        EXPECT_EQ(images.switchModes(c.mode), images.savedSwitchModes(c.mode));
    }
}

TEST_F(ProfileEditing, FailedSaveKeepsTheStoredImageAndAsksForTheErrorMessage) {
    const struct {
        const char* what;
        void (*breakIt)(ProfileEditing&);
        bool controllerKeepsOldImage = true;  // false: it committed, only the reply was lost
    } cases[] = {
        {"no controller open", [](ProfileEditing& t) { t.link.hidDevice.reset(); }},
        {"write fails: unplugged", [](ProfileEditing& t) { t.controller->unplug(); }},
        {"commit refused",
         [](ProfileEditing& t) {
             sim::SimFaults faults;
             faults.refuseCommit = true;
             t.controller->setFaults(faults);
         }},
        {"commit unanswered",
         [](ProfileEditing& t) {
             sim::SimFaults faults;
             faults.mute = true;
             t.controller->setFaults(faults);
         },
         false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ProfileEditing& t = *this;
        editProfile(HostMode::PC, 2);
        images.workingBlock[block::buttonRecordOffset(kSlotA)] = 4;
        images.switchModes(HostMode::PC)[1][kSlotA].flag = 1;  // an editor's unsaved choice
        const testing::SessionSnapshot before = snapshot();
        const DeviceSettingsBlock onController = controller->permanentImage(HostMode::PC, 1);
        c.breakIt(t);

        const ProfileOutcome saved = saveProfile(context, flags);
        EXPECT_FALSE(saved.succeeded);
        EXPECT_FALSE(saved.detail.empty());
        EXPECT_EQ(saved.message, (MessageNotice{111, 77, MessageIcon::Warning}));
        EXPECT_FALSE(saved.repaintProfileMarks);
        EXPECT_TRUE(snapshot() == before) << "stored list, lists or flags changed";
        if (c.controllerKeepsOldImage) {
            EXPECT_EQ(controller->permanentImage(HostMode::PC, 1), onController);
        }

        controller->setFaults({});
        if (!controller->plugged()) {
            controller->plug();
        }
        ASSERT_TRUE(openController(link, kConfigurationProductId));
    }
}

TEST_F(ProfileEditing, FactoryResetNamesTheSlotAndAppliesThePcRule) {
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        SCOPED_TRACE(static_cast<int>(mode));
        editProfile(mode, 3);
        images.switchModes(mode)[4][kSlotA].flag = 1;
        const DeviceSettingsBlock before = stored(mode, 3);
        const std::size_t writesBefore = controller->framesReceived(vendor::Command::WriteProfile);

        const ProfileOutcome reset = factoryResetProfile(context, flags);
        ASSERT_TRUE(reset.succeeded) << reset.detail;
        EXPECT_EQ(reset.nameButtonText, "PROFILE3");
        EXPECT_TRUE(reset.refreshPanel);
        EXPECT_EQ(reset.drawHomeCellEmpty, mode == HostMode::PC);
        const DeviceSettingsBlock& now = stored(mode, 3);
        EXPECT_EQ(now, images.workingBlock);
        EXPECT_EQ(readProfileName(now), "PROFILE3");
        EXPECT_EQ(now.button(kSlotA).SDownPos, 6);
        EXPECT_EQ(now.button(kSlotCapture).SDownPos, mode == HostMode::PC ? 31 : 17);
        EXPECT_EQ(now.button(kSlotHome).SDownPos, mode == HostMode::PC ? 31 : 16);
        EXPECT_EQ(profile.editRightStick, now.stick(StickSide::Right));
        EXPECT_EQ(profile.backupBlock, before);
        EXPECT_EQ(images.switchModes(mode)[4][kSlotA].flag, 0u);
        EXPECT_TRUE(flags.slotReplaced);
        EXPECT_FALSE(profile.settingsDb.isOpen());
        EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), writesBefore);
        EXPECT_TRUE(restoreLastTime(context, flags).succeeded);
    }
}

TEST_F(ProfileEditing, FactoryResetWithoutTheFactoryFileChangesNothing) {
    testing::ScratchFolder empty;
    files = SettingsFiles::beside(empty.path());
    editProfile(HostMode::NS, 1);
    const testing::SessionSnapshot before = snapshot();
    const ProfileOutcome reset = factoryResetProfile(context, flags);
    EXPECT_FALSE(reset.succeeded);
    EXPECT_FALSE(reset.message);
    EXPECT_FALSE(reset.nameButtonText);
    EXPECT_TRUE(snapshot() == before);
}

TEST_F(ProfileEditing, RestoreWithoutSaveDropsEditsAndRepeatedReplacementsKeepTheFirstBackup) {
    // Each sequence replaces the slot zero or more times without saving; restore must give
    // back the image from before editing, on the controller and in the list.
    const struct {
        const char* what;
        int resets;
    } cases[] = {{"plain edit", 0}, {"one reset", 1}, {"two resets", 2}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        editProfile(HostMode::NS, 4);
        const DeviceSettingsBlock before = stored(HostMode::NS, 4);
        images.workingBlock[block::buttonRecordOffset(kSlotA)] = 4;
        for (int i = 0; i < c.resets; ++i) {
            ASSERT_TRUE(factoryResetProfile(context, flags).succeeded);
        }
        const ProfileOutcome restored = restoreLastTime(context, flags);
        EXPECT_TRUE(restored.succeeded);
        EXPECT_EQ(restored.nameButtonText, "Stored 4");
        EXPECT_EQ(stored(HostMode::NS, 4), before);
        EXPECT_EQ(profile.restorePoint, before);
        EXPECT_EQ(controller->permanentImage(HostMode::NS, 3), before);
        EXPECT_TRUE(flags == EditingFlags{});
        EXPECT_EQ(profile.lastNsProfile, 0u);
        EXPECT_EQ(profile.selectedSlot, kSelectionNone);
        EXPECT_EQ(controller->selectedProfile(), vendor::kNoSelection);
    }
}

TEST_F(ProfileEditing, ATestedButUnsavedEditNeverBecomesPermanentThroughAnotherProfilesSave) {
    // Profile 2 is edited and tried on the controller (a live test writes workingBlock), then
    // left without saving; profile 3 of the same mode is saved, and Save commits the mode.
    editProfile(HostMode::NS, 2);
    const DeviceSettingsBlock before = stored(HostMode::NS, 2);
    images.workingBlock[block::buttonRecordOffset(kSlotA)] = 4;
    ASSERT_TRUE(WriteProfile(link, images.workingBlock, 0, 1));
    profile.testedOnDevice = 1;
    ASSERT_TRUE(restoreLastTime(context, flags).succeeded);
    EXPECT_EQ(profile.testedOnDevice, 0u);

    editProfile(HostMode::NS, 3);
    images.workingBlock[block::buttonRecordOffset(kSlotA)] = 5;
    ASSERT_TRUE(saveProfile(context, flags).succeeded);

    EXPECT_EQ(controller->permanentImage(HostMode::NS, 1), before);
    EXPECT_EQ(stored(HostMode::NS, 2), before);
    EXPECT_EQ(controller->permanentImage(HostMode::NS, 2).button(kSlotA).SDownPos, 5);
}

TEST_F(ProfileEditing, RestoreAfterSaveKeepsTheSavedImage) {
    editProfile(HostMode::PC, 6);
    ASSERT_TRUE(factoryResetProfile(context, flags).succeeded);
    writeProfileName(images.workingBlock, "Racing");
    images.workingBlock[block::buttonRecordOffset(kSlotA)] = 4;
    ASSERT_TRUE(saveProfile(context, flags).succeeded);
    const DeviceSettingsBlock saved = images.workingBlock;

    const ProfileOutcome restored = restoreLastTime(context, flags);
    EXPECT_EQ(restored.nameButtonText, "Racing");
    EXPECT_EQ(restored.customisedMark, true);
    EXPECT_EQ(stored(HostMode::PC, 6), saved);
    EXPECT_EQ(controller->permanentImage(HostMode::PC, 5), saved);
    EXPECT_FALSE(flags.savedToDevice);
    EXPECT_FALSE(flags.slotReplaced);
}

}  // namespace
}  // namespace orv
