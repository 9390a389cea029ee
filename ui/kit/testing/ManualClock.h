// A clock that moves only when told to. Install it with Clock::Install.
#pragma once

#include <atomic>
#include <cstdint>

#include "ui/kit/Clock.h"

namespace orv::kit::testing {

class ManualClock : public Clock {
public:
    explicit ManualClock(std::int64_t startNanoseconds = 1'000'000'000) : now_(startNanoseconds) {}
    std::int64_t NowNanoseconds() const override { return now_.load(); }
    void AdvanceMilliseconds(std::int64_t ms) { now_ += ms * 1'000'000; }
    // A wait on the manual clock passes at once and moves the clock on.
    void SleepMilliseconds(std::int64_t ms) const override { now_ += ms * 1'000'000; }
    void AdvanceNanoseconds(std::int64_t ns) { now_ += ns; }

private:
    mutable std::atomic<std::int64_t> now_;
};

}  // namespace orv::kit::testing
