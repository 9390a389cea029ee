// Runs `orvctl backup` (the command as the executable runs it, in-process) against the
// simulated controller on the real clock with its default bus delay, and prints its wall time
// against the protocol floor of the full read of all twelve images:
//   floor = 3 Select pauses (10 ms) + 240 chunk pauses (5 ms)
//         + (3 Select + 240 ReadProfile) requests and as many replies, each one bus delay.
// The command does more than the read: it finds the controller (a 100 ms wait before each
// probe), waits for the identity switch (the controller's 200 ms, then 100 ms searches), writes
// the file and switches back. The ratio therefore shows what a user waits for against what the
// protocol cannot avoid.

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/Commands.h"
#include "device/ConnectionWorker.h"
#include "device/VendorProtocol.h"
#include "sim/SimulatedBackend.h"

int main() {
    using namespace std::chrono;
    using namespace orv;
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / ("orvctl-bench-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    ::setenv("ORV_LOCK_DIR", folder.c_str(), 1);

    sim::SimulatedBackend backend(SystemClock::instance());
    auto controller = backend.addController();
    const auto delay = controller->faults().reportDelay;
    constexpr int kSelects = 3;
    constexpr int kChunks = 12 * 20;
    const auto floor =
        kSelects * kSelectPause + kChunks * vendor::kChunkPause + 2 * (kSelects + kChunks) * delay;
    const double floorSeconds = duration<double>(floor).count();

    std::ostringstream out;
    std::ostringstream err;
    cli::Environment environment;
    environment.backend = &backend;
    environment.out = &out;
    environment.err = &err;
    environment.dataFolder = ORV_BENCH_DATA_DIR;
    cli::Invocation invocation;
    invocation.command = cli::Command::Backup;
    invocation.arguments = {(folder / "all.orvbackup").string()};

    constexpr int kRuns = 3;
    double best = 0;
    double total = 0;
    for (int run = 0; run < kRuns; ++run) {
        // The controller of the last run is still switching back to its ordinary identity.
        std::this_thread::sleep_for(milliseconds(400));
        const auto start = steady_clock::now();
        const int code = cli::runCommand(invocation, environment);
        const double seconds = duration<double>(steady_clock::now() - start).count();
        if (code != cli::kSuccess) {
            std::fprintf(stderr, "orvctl backup failed (%d): %s\n", code, err.str().c_str());
            return 1;
        }
        best = run == 0 ? seconds : std::min(best, seconds);
        total += seconds;
    }
    std::filesystem::remove_all(folder);
    std::printf("orvctl backup: floor of the full read %.4f s  best %.4f s  mean %.4f s\n",
                floorSeconds, best, total / kRuns);
    std::printf("ratio to the floor: best %.3f  mean %.3f\n", best / floorSeconds,
                total / kRuns / floorSeconds);
    return 0;
}
