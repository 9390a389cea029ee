#pragma once
// Time as the device layer sees it. Every wait of the device layer (probe attempts, pacing,
// reply timeouts) goes through a Clock, so tests run a five-second search in no time while the
// real clock keeps the exact pacing.

#include <chrono>

namespace orv {

class Clock {
public:
    using Duration = std::chrono::nanoseconds;
    using TimePoint = std::chrono::time_point<std::chrono::steady_clock, Duration>;

    virtual ~Clock() = default;
    virtual TimePoint now() const = 0;
    virtual void sleepFor(Duration duration) = 0;
};

// steady_clock; sleepFor wakes at the deadline within a few microseconds (it sleeps most of
// the wait and spins through the last 200 us).
class SystemClock final : public Clock {
public:
    TimePoint now() const override;
    void sleepFor(Duration duration) override;
    static SystemClock& instance();
};

}  // namespace orv
