// The time the toolkit and the windows decide by (double-click interval, waits). Tests install
// a manual clock (kit/testing/ManualClock.h) to control it.
#pragma once

#include <cstdint>

namespace orv::kit {

class Clock {
public:
    virtual ~Clock() = default;
    // Monotonic reading in nanoseconds.
    virtual std::int64_t NowNanoseconds() const = 0;
    std::int64_t NowMilliseconds() const { return NowNanoseconds() / 1'000'000; }
    // Waits (the system clock blocks the calling thread; a manual clock just moves on).
    virtual void SleepMilliseconds(std::int64_t ms) const;

    // The installed clock (the steady system clock unless replaced).
    static Clock& Current();
    // Installs a clock; nullptr restores the system clock. The clock must outlive its use.
    static void Install(Clock* clock);
};

// Milliseconds between two presses that still make a double click (default 500).
void SetDoubleClickInterval(int milliseconds);
int GetDoubleClickInterval();

}  // namespace orv::kit
