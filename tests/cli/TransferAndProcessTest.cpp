// export and import through orvctl, a backend that refuses access, and the built executable:
// the lock shared with the window across processes and the round trip on a state file.

#include <sys/wait.h>

#include <fstream>
#include <sstream>

#include "context/InstanceLock.h"
#include "profile/ProfileModel.h"
#include "tests/cli/CliFixture.h"

namespace orv::cli::test {
namespace {

using Transfer = CliFixture;

TEST_F(Transfer, ExportThenImportCopiesAProfileUnderTheFileName) {
    auto controller = plug();
    ASSERT_EQ(run({"set", "--mode", "ns", "--profile", "1", "A.short=B", "A.long=X@1.2"}),
              kSuccess);
    settle();
    const std::filesystem::path file = folder / "racing.db";
    ASSERT_EQ(run({"export", "--mode", "ns", "--profile", "1", file.string()}), kSuccess)
        << err.str();
    settle();
    ASSERT_EQ(run({"import", file.string(), "--mode", "pc", "--profile", "4"}), kSuccess)
        << err.str();
    const DeviceSettingsBlock imported = controller->permanentImage(HostMode::PC, 3);
    EXPECT_EQ(readProfileName(imported), "racing");
    const ButtonSetting a = imported.button(static_cast<std::size_t>(ButtonSlot::A));
    EXPECT_EQ(a.SDownPos, 5);
    EXPECT_EQ(a.LDownPos, 7);
    EXPECT_EQ(a.LDownTime, 12);

    settle();
    const std::filesystem::path notSettings = folder / "notes.db";
    std::ofstream(notSettings) << "plain text";
    const std::size_t writes = controller->framesReceived(vendor::Command::WriteProfile);
    EXPECT_EQ(run({"import", notSettings.string(), "--mode", "pc", "--profile", "4"}),
              kInvalidFile);
    EXPECT_NE(err.str().find("nothing was changed"), std::string::npos) << err.str();
    EXPECT_EQ(controller->framesReceived(vendor::Command::WriteProfile), writes);
    EXPECT_EQ(run({"export", "--mode", "ns", file.string()}), kUsageError);
}

// A backend whose controller is present but may not be opened, as hidraw without the rule.
class LockedOutBackend final : public hid::Backend {
public:
    std::vector<hid::DeviceInfo> enumerate() override {
        return {{"/dev/hidraw7", kVendorId, kOrdinaryProductId}};
    }
    std::unique_ptr<hid::Device> open(const hid::DeviceInfo& info, std::string& error) override {
        error = std::string(hid::kPermissionFailurePrefix) + " to open the controller at " +
                info.path + " (Permission denied). Install the udev rule";
        return nullptr;
    }
    bool watchDeviceChanges(std::function<void(std::uint32_t)>) override { return false; }
};

TEST(PermissionDiagnosis, ListAndShowNameTheReasonAndTheFix) {
    LockedOutBackend backend;
    ManualClock clock;
    std::ostringstream out;
    std::ostringstream err;
    Environment environment;
    environment.backend = &backend;
    environment.clock = &clock;
    environment.out = &out;
    environment.err = &err;
    environment.dataFolder = ORV_TEST_DATA_DIR;
    const std::string lockDir = std::filesystem::temp_directory_path() /
                                ("orvctl-permission-" + std::to_string(::getpid()));
    std::filesystem::create_directories(lockDir);
    ::setenv("ORV_LOCK_DIR", lockDir.c_str(), 1);
    Invocation list;
    list.command = Command::List;
    EXPECT_EQ(runCommand(list, environment), kPermissionDenied);
    EXPECT_NE(out.str().find("/dev/hidraw7  cannot be opened: No permission"), std::string::npos)
        << out.str();
    EXPECT_NE(out.str().find("udev rule"), std::string::npos);
    Invocation show;
    show.command = Command::Show;
    EXPECT_EQ(runCommand(show, environment), kPermissionDenied);
    EXPECT_NE(err.str().find("udev rule"), std::string::npos) << err.str();
    ::unsetenv("ORV_LOCK_DIR");
    std::filesystem::remove_all(lockDir);
}

// Runs the built orvctl with `arguments`; returns its exit code, stdout in `output`.
int runOrvctl(const std::vector<std::string>& arguments, const std::string& lockDir,
              std::string& output) {
    const std::filesystem::path captured = std::filesystem::path(lockDir) / "stdout";
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("ORV_LOCK_DIR", lockDir.c_str(), 1);
        std::freopen(captured.c_str(), "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        std::vector<char*> argv;
        const std::string program = std::string(ORV_TEST_OUTPUT_DIR) + "/orvctl";
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    std::ifstream in(captured);
    std::ostringstream text;
    text << in.rdbuf();
    output = text.str();
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST(OrvctlProcess, RefusesWhileTheWindowHoldsTheLock) {
    const std::string lockDir =
        std::filesystem::temp_directory_path() / ("orvctl-lock-" + std::to_string(::getpid()));
    std::filesystem::create_directories(lockDir);
    ::setenv("ORV_LOCK_DIR", lockDir.c_str(), 1);
    {
        InstanceLock window;
        ASSERT_TRUE(window.tryAcquire());
        std::string output;
        EXPECT_EQ(runOrvctl({"list", "--simulate"}, lockDir, output), kBusy);
    }
    std::string output;
    EXPECT_EQ(runOrvctl({"list", "--simulate"}, lockDir, output), kSuccess);
    EXPECT_NE(output.find("ordinary"), std::string::npos) << output;
    ::unsetenv("ORV_LOCK_DIR");
    std::filesystem::remove_all(lockDir);
}

TEST(OrvctlProcess, BackupChangeRestoreGivesBackTheStateFileByteForByte) {
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvctl-roundtrip-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string state = (folder / "controller.state").string();
    const std::string backup = (folder / "all.orvbackup").string();
    const std::string simulate = "--simulate=" + state;
    std::string output;
    ASSERT_EQ(runOrvctl({"rename", simulate, "--mode", "ns", "--profile", "2", "Before"},
                        folder.string(), output),
              kSuccess);
    auto bytes = [&state] {
        std::ifstream in(state, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    };
    const std::string saved = bytes();
    ASSERT_EQ(runOrvctl({"backup", simulate, backup}, folder.string(), output), kSuccess);
    ASSERT_EQ(runOrvctl({"set", simulate, "--mode", "pc", "--profile", "5", "RB.turbo=A@0.3",
                         "LStick.deadzone=25%"},
                        folder.string(), output),
              kSuccess);
    ASSERT_NE(bytes(), saved);
    ASSERT_EQ(runOrvctl({"restore", simulate, backup}, folder.string(), output), kSuccess);
    EXPECT_NE(output.find("Restored 12 profiles"), std::string::npos) << output;
    EXPECT_EQ(bytes(), saved);
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace orv::cli::test
