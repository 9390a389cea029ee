// test: what the controller produces is printed, and Ctrl+C ends the test cleanly.

#include <sys/wait.h>

#include <atomic>
#include <cstdio>
#include <thread>

#include "tests/cli/CliFixture.h"

namespace orv::cli::test {
namespace {

using LiveTest = CliFixture;

TEST_F(LiveTest, PrintsPressesAndStopsCleanlyOnInterrupt) {
    auto controller = plug();
    controller->setInput(sim::PhysicalInput::pressing({ButtonSlot::A}));
    std::thread interrupter([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        interrupted = 1;
    });
    const int code = run({"test", "buttons"});
    interrupter.join();
    EXPECT_EQ(code, kSuccess) << err.str();
    EXPECT_EQ(out.str(), "button A\n") << "a held button is printed once";
    EXPECT_NE(err.str().find("Test stopped."), std::string::npos);
    EXPECT_FALSE(controller->testSession().has_value()) << "out of test mode";
    settle();
    EXPECT_EQ(controller->productId(), kOrdinaryProductId);
}

TEST_F(LiveTest, SticksAndArguments) {
    auto controller = plug();
    sim::PhysicalInput pushed;
    pushed.leftX = 255;
    controller->setInput(pushed);
    std::thread interrupter([this] {
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        interrupted = 1;
    });
    EXPECT_EQ(run({"test", "sticks", "--mode", "pc", "--profile", "2"}), kSuccess) << err.str();
    interrupter.join();
    EXPECT_NE(out.str().find("sticks L "), std::string::npos) << out.str();
    EXPECT_EQ(out.str().find("button"), std::string::npos);
    EXPECT_EQ(run({"test", "triggers"}), kUsageError);
}

// The built executable: a real SIGINT reaches the flag and the command unwinds with 0.
TEST(OrvctlProcess, InterruptEndsTheTestWithSuccess) {
    const std::string lockDir =
        std::filesystem::temp_directory_path() / ("orvctl-process-" + std::to_string(::getpid()));
    std::filesystem::create_directories(lockDir);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        ::setenv("ORV_LOCK_DIR", lockDir.c_str(), 1);
        std::freopen("/dev/null", "w", stdout);
        const std::string program = std::string(ORV_TEST_OUTPUT_DIR) + "/orvctl";
        ::execl(program.c_str(), program.c_str(), "test", "--simulate", nullptr);
        ::_exit(127);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2500));
    ::kill(child, SIGINT);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by the signal instead of unwinding";
    EXPECT_EQ(WEXITSTATUS(status), 0);
    std::filesystem::remove_all(lockDir);
}

}  // namespace
}  // namespace orv::cli::test
