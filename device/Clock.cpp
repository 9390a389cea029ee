#include "device/Clock.h"

#include <sys/prctl.h>

#include <thread>

namespace orv {

namespace {

// The last stretch of a wait is spent spinning instead of sleeping: a sleeping thread wakes
// late by the timer slack plus scheduling latency, and the pacing of a transfer is hundreds of
// such waits in a row.
constexpr SystemClock::Duration kSpinTail = std::chrono::microseconds(200);

void tightenTimerSlack() {
    // Once per thread: 1 ns slack instead of the default 50 us.
    // Failure only keeps the default slack.
    thread_local const int result = prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
    static_cast<void>(result);
}

}  // namespace

Clock::TimePoint SystemClock::now() const {
    return std::chrono::time_point_cast<Duration>(std::chrono::steady_clock::now());
}

void SystemClock::sleepFor(Duration duration) {
    if (duration <= Duration::zero()) {
        return;
    }
    tightenTimerSlack();
    const auto deadline = std::chrono::steady_clock::now() + duration;
    if (duration > kSpinTail) {
        std::this_thread::sleep_until(deadline - kSpinTail);
    }
    // Spin without yielding: a yield on a loaded machine hands the core to another runnable
    // task for a whole time slice, while a thread that mostly sleeps keeps it.
    while (std::chrono::steady_clock::now() < deadline) {
    }
}

SystemClock& SystemClock::instance() {
    static SystemClock clock;
    return clock;
}

}  // namespace orv
