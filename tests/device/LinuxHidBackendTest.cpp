#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "device/ControllerDiscovery.h"
#include "device/hid/linux/LinuxHidBackend.h"

namespace orv::hid {
namespace {

TEST(LinuxHidBackendTest, EnumeratesAndProbesWithoutError) {
    LinuxHidBackend backend;
    ASSERT_TRUE(backend.ready()) << backend.lastError();
    const std::vector<DeviceInfo> devices = backend.enumerate();
    for (const DeviceInfo& info : devices) {
        EXPECT_FALSE(info.path.empty());
    }
    DeviceLink link;
    link.backend = &backend;
    const ProductIdentity found = probeController(link);
    EXPECT_EQ(found == ProductIdentity::None, link.hidDevice == nullptr);
}

TEST(LinuxHidBackendTest, PermissionFailureSaysSoAndNamesTheUdevRule) {
    const std::string message = openFailureMessage("/dev/hidraw3", EACCES);
    EXPECT_NE(message.find("No permission"), std::string::npos) << message;
    EXPECT_NE(message.find("/dev/hidraw3"), std::string::npos);
    EXPECT_NE(message.find(kUdevRuleFile), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(std::string(ORV_TEST_SOURCE_DIR) + "/" + kUdevRuleFile));

    const std::string gone = openFailureMessage("/dev/hidraw3", ENOENT);
    EXPECT_EQ(gone.find(kUdevRuleFile), std::string::npos) << "only permission names the rule";
    EXPECT_NE(gone.find("No such file"), std::string::npos);
}

// A real open of a node this process may not write: a mode-000 file for an ordinary user; as
// root, a read-only sysfs attribute (root's override does not reach those).
TEST(LinuxHidBackendTest, OpeningAPathWithoutPermissionReportsTheRule) {
    std::string path;
    std::filesystem::path temporary;
    if (::geteuid() != 0) {
        temporary = std::filesystem::temp_directory_path() /
                    ("orv-no-access-" + std::to_string(::getpid()));
        std::ofstream(temporary.string()).put('x');
        ::chmod(temporary.c_str(), 0);
        path = temporary.string();
    } else {
        path = "/sys/class/mem/null/dev";
        if (!std::filesystem::exists(path)) {
            GTEST_SKIP() << "no read-only node to try as root";
        }
    }
    LinuxHidBackend backend;
    std::string error;
    EXPECT_EQ(backend.open({path, 0x7A31, 0x0B20}, error), nullptr);
    EXPECT_NE(error.find("No permission"), std::string::npos) << error;
    EXPECT_NE(error.find(kUdevRuleFile), std::string::npos) << error;
    EXPECT_NE(error.find(path), std::string::npos) << error;
    EXPECT_TRUE(backend.lastOpenDenied());

    EXPECT_EQ(backend.open({"/dev/hidraw-none-such", 0x7A31, 0x0B20}, error), nullptr);
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_FALSE(backend.lastOpenDenied());
    if (!temporary.empty()) {
        std::filesystem::remove(temporary);
    }
}

TEST(LinuxHidBackendTest, HotPlugWatchStartsOrSaysWhyNot) {
    LinuxHidBackend backend;
    const bool watching = backend.watchDeviceChanges([](std::uint32_t) {});
    EXPECT_TRUE(watching || !backend.lastError().empty());
    EXPECT_TRUE(backend.watchDeviceChanges(nullptr));
}

}  // namespace
}  // namespace orv::hid
