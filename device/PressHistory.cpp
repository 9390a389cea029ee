#include "device/PressHistory.h"

#include <algorithm>

namespace orv {

void PressHistory::push(std::string_view name) {
    if (latched_) {
        return;
    }
    std::rotate(entries_.begin(), entries_.begin() + 1, entries_.end());
    entries_.back() = std::string(name);
    latched_ = true;
}

std::string PressHistory::label() const {
    std::string text;
    for (const std::string& entry : entries_) {
        text += entry;
        text += ' ';
    }
    return text;
}

}  // namespace orv
