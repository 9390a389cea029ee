#pragma once
// A run of orvctl's commands in-process: the simulated controller on a manual clock (so the
// searches, pacing and timeouts take no real time), string streams for the output, the shipped
// databases of the build and a lock folder of the test's own.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "cli/Commands.h"
#include "device/ManualClock.h"
#include "sim/FactoryImages.h"
#include "sim/SimulatedBackend.h"

namespace orv::cli::test {

class CliFixture : public ::testing::Test {
protected:
    CliFixture() {
        folder = std::filesystem::temp_directory_path() /
                 ("orvctl-test-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder / "lock");
        ::setenv("ORV_LOCK_DIR", (folder / "lock").c_str(), 1);
    }
    ~CliFixture() override {
        ::unsetenv("ORV_LOCK_DIR");
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::shared_ptr<sim::SimulatedController> plug(std::uint16_t product = kOrdinaryProductId) {
        auto controller = backend.addController(sim::ControllerOptions::poweringOnAs(product));
        sim::SimFaults fast;
        fast.reportDelay = std::chrono::microseconds(0);
        controller->setFaults(fast);
        return controller;
    }

    // Runs one command line; out and err keep what it printed.
    int run(const std::vector<std::string>& words) {
        out.str({});
        err.str({});
        const ParseResult parsed = parseInvocation(words);
        if (!parsed.invocation) {
            err << parsed.error;
            return kUsageError;
        }
        Environment environment;
        environment.backend = &backend;
        environment.clock = &clock;
        environment.out = &out;
        environment.err = &err;
        environment.dataFolder = ORV_TEST_DATA_DIR;
        environment.interrupted = &interrupted;
        return runCommand(*parsed.invocation, environment);
    }

    // Lets a pending identity switch of the controller complete.
    void settle() { clock.advance(std::chrono::seconds(1)); }

    ManualClock clock;
    sim::SimulatedBackend backend{clock};
    std::ostringstream out;
    std::ostringstream err;
    volatile std::sig_atomic_t interrupted = 0;
    std::filesystem::path folder;
};

}  // namespace orv::cli::test
