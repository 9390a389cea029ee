#pragma once
// What can be made to go wrong with a simulated controller. The defaults are a healthy
// controller on a full-speed USB link.

#include <chrono>
#include <cstddef>

namespace orv::sim {

struct SimFaults {
    bool mute = false;                     // no reply to any command
    std::ptrdiff_t muteAfterReplies = -1;  // >= 0: this many replies, then none (-1: off)
    std::size_t otherRepliesFirst = 0;     // replies of other commands (and, for ReadProfile, of
                                           // other chunks) queued before each real reply
    std::size_t garbageFirst = 0;          // random non-frame reports queued before each reply
    bool refuseSelect = false;             // Select reply byte 6 = 0 (the selection is not made)
    bool refuseCommit = false;             // Commit reply byte 7 = 0 (nothing is made permanent)
    std::size_t unplugAtReport = 0;        // > 0: the controller drops off the bus when the N-th
                                           // report (in either direction) is transferred
    // Time one report takes on the bus, in either direction (an interrupt endpoint polled
    // every millisecond).
    std::chrono::microseconds reportDelay{1000};
};

}  // namespace orv::sim
