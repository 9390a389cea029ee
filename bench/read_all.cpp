// Reads all twelve images from the simulated controller on the real clock with its default bus
// delay, and prints the wall time against the floor that pacing and bus time impose:
//   floor = 3 Select pauses (10 ms) + 240 chunk pauses (5 ms)
//         + (3 Select + 240 ReadProfile) requests and as many replies, each one bus delay.
// It also measures, in the same run, the same sequence of waits with no device work at all:
// that baseline shows how much of the distance to the floor is this machine's wake-up latency
// rather than the device code.

#include <algorithm>
#include <chrono>
#include <cstdio>

#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "device/VendorProtocol.h"
#include "sim/SimulatedBackend.h"

int main() {
    using namespace std::chrono;
    using namespace orv;
    sim::SimulatedBackend backend(SystemClock::instance());
    auto controller =
        backend.addController(sim::ControllerOptions::poweringOnAs(kConfigurationProductId));
    DeviceLink link;
    link.backend = &backend;
    if (!openController(link, kConfigurationProductId)) {
        std::fprintf(stderr, "cannot open the simulated controller: %s\n", link.lastError.c_str());
        return 1;
    }
    const auto delay = controller->faults().reportDelay;
    constexpr int kSelects = 3;
    constexpr int kChunks = 12 * 20;
    const auto floor =
        kSelects * kSelectPause + kChunks * vendor::kChunkPause + 2 * (kSelects + kChunks) * delay;

    // The waits of one full read, in order, without any transfer.
    auto waitsOnly = [&] {
        Clock& clock = SystemClock::instance();
        for (int select = 0; select < kSelects; ++select) {
            clock.sleepFor(delay);
            clock.sleepFor(delay);
            clock.sleepFor(kSelectPause);
            for (int chunk = 0; chunk < (select < 2 ? kChunks / 2 : 0); ++chunk) {
                clock.sleepFor(delay);
                clock.sleepFor(delay);
                clock.sleepFor(vendor::kChunkPause);
            }
        }
    };

    constexpr int kRuns = 5;
    double baselineBest = 0;
    for (int run = 0; run < kRuns; ++run) {
        const auto start = steady_clock::now();
        waitsOnly();
        const double seconds = duration<double>(steady_clock::now() - start).count();
        baselineBest = run == 0 ? seconds : std::min(baselineBest, seconds);
    }
    double best = 0;
    double total = 0;
    for (int run = 0; run < kRuns; ++run) {
        ProfileImages images;
        const auto start = steady_clock::now();
        if (!readAllProfiles(link, images)) {
            std::fprintf(stderr, "read failed: %s\n", link.lastError.c_str());
            return 1;
        }
        const double seconds = duration<double>(steady_clock::now() - start).count();
        total += seconds;
        best = run == 0 ? seconds : std::min(best, seconds);
    }
    const double floorSeconds = duration<double>(floor).count();
    std::printf("read all twelve images, %d runs, bus delay %lld us\n", kRuns,
                static_cast<long long>(delay.count()));
    std::printf("floor %.4f s  best %.4f s  mean %.4f s\n", floorSeconds, best, total / kRuns);
    std::printf("ratio to floor: best %.4f  mean %.4f (goal <= 1.05)\n", best / floorSeconds,
                total / kRuns / floorSeconds);
    std::printf("waits alone: best %.4f s, ratio to floor %.4f; read / waits alone %.4f\n",
                baselineBest, baselineBest / floorSeconds, best / baselineBest);
    return 0;
}
