#include "ui/kit/Clock.h"

#include <atomic>
#include <chrono>
#include <thread>

namespace orv::kit {

namespace {

class SteadyClock : public Clock {
public:
    std::int64_t NowNanoseconds() const override {
        return std::chrono::duration_cast<std::chrono::nanoseconds>(
                   std::chrono::steady_clock::now().time_since_epoch())
            .count();
    }
};

SteadyClock g_steady;
std::atomic<Clock*> g_clock{nullptr};
std::atomic<int> g_doubleClickMs{500};

}  // namespace

void Clock::SleepMilliseconds(std::int64_t ms) const {
    if (ms > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    }
}

Clock& Clock::Current() {
    Clock* c = g_clock.load();
    return c == nullptr ? g_steady : *c;
}

void Clock::Install(Clock* clock) {
    g_clock.store(clock);
}

void SetDoubleClickInterval(int milliseconds) {
    g_doubleClickMs = milliseconds;
}

int GetDoubleClickInterval() {
    return g_doubleClickMs.load();
}

}  // namespace orv::kit
