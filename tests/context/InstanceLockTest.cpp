// The lock the window and orvctl share.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

#include "context/InstanceLock.h"

namespace orv {
namespace {

TEST(InstanceLock, OneHolderAndOnlyInAPrivateFolder) {
    const std::filesystem::path base =
        std::filesystem::temp_directory_path() / ("orv-lock-" + std::to_string(::getpid()));
    std::filesystem::remove_all(base);
    std::filesystem::create_directories(base);
    const std::filesystem::path folder = base / "runtime";
    ::setenv("ORV_LOCK_DIR", folder.c_str(), 1);
    {
        InstanceLock first;
        InstanceLock second;
        ASSERT_TRUE(first.tryAcquire()) << first.error();
        EXPECT_TRUE(first.tryAcquire()) << "held already";
        EXPECT_FALSE(second.tryAcquire());
        EXPECT_TRUE(second.error().empty()) << "busy is not an error";
        first.release();
        EXPECT_TRUE(second.tryAcquire());
        EXPECT_EQ(std::filesystem::status(folder).permissions() & std::filesystem::perms::all,
                  std::filesystem::perms::owner_all);
    }
    // A folder others may write to could hold someone else's file under the lock's name.
    ::chmod(folder.c_str(), 0777);
    InstanceLock exposed;
    EXPECT_FALSE(exposed.tryAcquire());
    EXPECT_NE(exposed.error().find("not a private folder"), std::string::npos) << exposed.error();
    ::unsetenv("ORV_LOCK_DIR");
    std::filesystem::remove_all(base);
}

}  // namespace
}  // namespace orv
