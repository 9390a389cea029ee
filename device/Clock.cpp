#include "device/Clock.h"

#include <thread>

namespace orv {

Clock::TimePoint SystemClock::now() const {
    return std::chrono::time_point_cast<Duration>(std::chrono::steady_clock::now());
}

void SystemClock::sleepFor(Duration duration) {
    std::this_thread::sleep_for(duration);
}

SystemClock& SystemClock::instance() {
    static SystemClock clock;
    return clock;
}

}  // namespace orv
