#pragma once
// A clock that only moves when told to: sleepFor advances it at once. Tests and the simulated
// controller share one so that a five-second search or a one-second reply timeout takes no real
// time while every wait still happens, in order, on the same time line.

#include <atomic>

#include "device/Clock.h"

namespace orv {

class ManualClock final : public Clock {
public:
    TimePoint now() const override { return TimePoint(Duration(ticks_.load())); }
    void sleepFor(Duration duration) override {
        if (duration.count() > 0) {
            ticks_.fetch_add(duration.count());
        }
    }
    void advance(Duration duration) { sleepFor(duration); }

private:
    std::atomic<Duration::rep> ticks_{0};
};

}  // namespace orv
