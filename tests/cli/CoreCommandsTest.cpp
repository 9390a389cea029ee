// list, show, set, reset and rename against the simulated controller.

#include "context/InstanceLock.h"
#include "profile/ProfileModel.h"
#include "tests/cli/CliFixture.h"

namespace orv::cli::test {
namespace {

using CoreCommands = CliFixture;

TEST_F(CoreCommands, ListNamesEachIdentityAndWhetherItOpens) {
    EXPECT_EQ(run({"list"}), kNoController);
    EXPECT_NE(err.str().find("no controller present"), std::string::npos);

    plug(kOrdinaryProductId);
    plug(kRejectedProductId);
    backend.addForeignDevice(0x1234, 0x0A10);
    EXPECT_EQ(run({"list"}), kSuccess) << err.str();
    const std::string listing = out.str();
    EXPECT_NE(listing.find("7a31:0a10  ordinary  sim:"), std::string::npos) << listing;
    EXPECT_NE(listing.find("7a31:0b21  rejected  sim:"), std::string::npos) << listing;
    EXPECT_EQ(listing.find("1234"), std::string::npos) << "other vendors are not listed";

    EXPECT_EQ(run({"list", "--json"}), kSuccess);
    EXPECT_NE(out.str().find("\"identity\": \"rejected\""), std::string::npos) << out.str();
    EXPECT_NE(out.str().find("\"opens\": true"), std::string::npos);
}

TEST_F(CoreCommands, ShowReadsEveryProfileAndLeavesTheControllerOrdinary) {
    auto controller = plug();
    ASSERT_EQ(run({"show"}), kSuccess) << err.str();
    const std::string text = out.str();
    EXPECT_NE(text.find("NS profile 1: PROFILE1"), std::string::npos);
    EXPECT_NE(text.find("PC profile 6: PROFILE6"), std::string::npos);
    // The tool's labels, in the host mode's naming.
    EXPECT_NE(text.find("  Up         short: \u25B3"), std::string::npos) << text;
    EXPECT_NE(text.find("  LB         short: LB"), std::string::npos) << text;
    EXPECT_NE(text.find("  LStick     mode: Left Stick"), std::string::npos) << text;
    settle();
    EXPECT_EQ(controller->productId(), kOrdinaryProductId);
    EXPECT_EQ(controller->switchRequests(), 2u) << "switched in, and back out at the end";
}

TEST_F(CoreCommands, ShowJsonIsTheSameBytesForTheSameStateAndFilters) {
    plug();
    ASSERT_EQ(run({"show", "--json"}), kSuccess) << err.str();
    const std::string first = out.str();
    settle();
    ASSERT_EQ(run({"show", "--json"}), kSuccess) << err.str();
    EXPECT_EQ(out.str(), first);
    EXPECT_NE(first.find("\"name\": \"PROFILE3\""), std::string::npos);
    EXPECT_EQ(first.find("sim:"), std::string::npos) << "no device path in the data";

    settle();
    ASSERT_EQ(run({"show", "--json", "--mode", "pc", "--profile", "2"}), kSuccess);
    const std::string one = out.str();
    EXPECT_NE(one.find("\"mode\": \"pc\", \"profile\": 2"), std::string::npos) << one;
    EXPECT_EQ(one.find("\"profile\": 1"), std::string::npos);
    EXPECT_EQ(one.find("\"mode\": \"ns\""), std::string::npos);
    EXPECT_NE(one.find("{\"button\": \"BACK\", \"short\": {\"code\": 12, \"item\": \"BACK\""),
              std::string::npos)
        << one;
}

TEST_F(CoreCommands, SetChangesOnlyTheNamedSettingsAndSaves) {
    auto controller = plug();
    const DeviceSettingsBlock before = controller->permanentImage(HostMode::PC, 2);
    ASSERT_EQ(run({"set", "--mode", "pc", "--profile", "3", "A.short=B", "A.long=X@0.7",
                   "A.turbo=off", "LB.condisable=on@2.5", "RStick.sensitivity=150%",
                   "LStick.rotation=right90", "Y.switch=A,LB,none@3"}),
              kSuccess)
        << err.str();
    const DeviceSettingsBlock after = controller->permanentImage(HostMode::PC, 2);
    DeviceSettingsBlock expected = before;
    ButtonSetting a = expected.button(static_cast<std::size_t>(ButtonSlot::A));
    a.SDownPos = 5;
    a.LDownPos = 7;
    a.LDownTime = 7;
    a.TurboPos = kFunctionNone;
    expected.setButton(static_cast<std::size_t>(ButtonSlot::A), a);
    ButtonSetting lb = expected.button(static_cast<std::size_t>(ButtonSlot::L));
    lb.ConDisable = 1;
    lb.ConDisableTime = 25;
    expected.setButton(static_cast<std::size_t>(ButtonSlot::L), lb);
    ButtonSetting y = expected.button(static_cast<std::size_t>(ButtonSlot::Y));
    y.LSwitchFlag = 1;
    y.LSwitchPos1 = 6;
    y.LSwitchPos2 = 8;
    y.LSwitchPos3 = y.LSwitchPos4 = y.LSwitchPos5 = kFunctionNone;
    y.LSwitchTime = 30;
    expected.setButton(static_cast<std::size_t>(ButtonSlot::Y), y);
    StickSetting right = expected.stick(StickSide::Right);
    right.sen = 150;
    expected.setStick(StickSide::Right, right);
    StickSetting left = expected.stick(StickSide::Left);
    left.rotate = 2;
    expected.setStick(StickSide::Left, left);
    EXPECT_EQ(after, expected);
    for (std::size_t profile = 0; profile < 6; ++profile) {
        EXPECT_EQ(controller->permanentImage(HostMode::NS, profile),
                  sim::factoryImage(HostMode::NS, profile));
    }
}

TEST_F(CoreCommands, SetWithABadValueWritesNothing) {
    auto controller = plug();
    struct Case {
        const char* setting;
        const char* mentions;
    };
    const Case cases[] = {
        {"A.long=X@2.1", "0.5..2.0"},
        {"A.long=X@0.4", "0.5..2.0"},
        {"A.turbo=A@0.6", "0.1..0.5"},
        {"A.condisable=on@3.1", "0.1..3.0"},
        {"A.switch=A@0.4", "0.5..3.0"},
        {"LStick.sensitivity=225%", "25%..200%"},
        {"LStick.sensitivity=110%", "25%..200%"},
        {"RStick.deadzone=20%", "50%"},
        {"A.short=Q", "unknown item"},
        {"LB.short=A", "unknown button"},
        {"A.switch=A,B,X,Y,L,R", "five"},
        {"A.long=X@0.75", "not a time"},
        {"A.colour=red", "unknown field"},
        {"A", "SETTING=VALUE"},
    };
    for (const Case& bad : cases) {
        EXPECT_EQ(run({"set", "--mode", "ns", "--profile", "1", "A.short=B", bad.setting}),
                  kUsageError)
            << bad.setting;
        EXPECT_NE(err.str().find(bad.mentions), std::string::npos) << err.str();
        EXPECT_NE(err.str().find("nothing was written"), std::string::npos) << err.str();
    }
    EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), 0u);
    EXPECT_EQ(controller->switchRequests(), 0u) << "refused before the controller is touched";
    EXPECT_EQ(run({"set", "--mode", "ns", "A.short=B"}), kUsageError);
}

TEST_F(CoreCommands, ResetAndRenameSaveTheSlot) {
    auto controller = plug();
    ASSERT_EQ(run({"rename", "--mode", "ns", "--profile", "4", "Racing \u30EC\u30FC\u30B9"}),
              kSuccess)
        << err.str();
    EXPECT_EQ(readProfileName(controller->permanentImage(HostMode::NS, 3)),
              "Racing \u30EC\u30FC\u30B9");
    settle();
    ASSERT_EQ(run({"set", "--mode", "ns", "--profile", "4", "B.short=A"}), kSuccess);
    settle();
    ASSERT_EQ(run({"reset", "--mode", "ns", "--profile", "4"}), kSuccess) << err.str();
    const DeviceSettingsBlock reset = controller->permanentImage(HostMode::NS, 3);
    EXPECT_EQ(readProfileName(reset), "PROFILE4");
    EXPECT_NE(reset.button(static_cast<std::size_t>(ButtonSlot::B)).SDownPos, 6);
    EXPECT_EQ(run({"rename", "--mode", "ns", "--profile", "4", ""}), kUsageError);
}

TEST_F(CoreCommands, ErrorsHaveTheirOwnExitCodes) {
    EXPECT_EQ(run({"show"}), kNoController) << "nothing plugged in";
    EXPECT_NE(err.str().find("no controller found"), std::string::npos);
    EXPECT_EQ(run({"frobnicate"}), kUsageError);
    EXPECT_EQ(run({"show", "--profile", "7"}), kUsageError);
    EXPECT_EQ(run({"show", "--mode", "xbox"}), kUsageError);

    auto controller = plug();
    sim::SimFaults refusing;
    refusing.reportDelay = std::chrono::microseconds(0);
    refusing.refuseCommit = true;
    controller->setFaults(refusing);
    EXPECT_EQ(run({"set", "--mode", "ns", "--profile", "1", "A.short=B"}), kDeviceError);
    EXPECT_NE(err.str().find("was not changed"), std::string::npos) << err.str();

    settle();
    const std::size_t writes = controller->framesReceived(vendor::Command::WriteProfile);
    interrupted = 1;
    EXPECT_EQ(run({"set", "--mode", "ns", "--profile", "1", "A.short=B"}), kInterrupted);
    EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), writes);
    interrupted = 0;

    InstanceLock window;
    ASSERT_TRUE(window.tryAcquire());
    EXPECT_EQ(run({"show"}), kBusy);
    EXPECT_NE(err.str().find("close it"), std::string::npos) << err.str();
}

}  // namespace
}  // namespace orv::cli::test
