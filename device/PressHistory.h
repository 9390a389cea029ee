#pragma once
// The last five button names a test screen showed, oldest first, with the latch that records a
// held button once: a name is taken only when no name was taken since the last release.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orv {

class PressHistory {
public:
    static constexpr std::size_t kEntries = 5;

    // When unlatched: drops the oldest entry, appends `name` and latches. Latched: nothing.
    void push(std::string_view name);
    // A report showing no button: the next name is taken again.
    void release() { latched_ = false; }

    const std::array<std::string, kEntries>& entries() const { return entries_; }
    bool latched() const { return latched_; }
    // The five entries, oldest first, each followed by one space (empty entries too).
    std::string label() const;

private:
    std::array<std::string, kEntries> entries_{};
    bool latched_ = false;
};

}  // namespace orv
