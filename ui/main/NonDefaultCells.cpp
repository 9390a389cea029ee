#include "ui/main/NonDefaultCells.h"

#include <algorithm>
#include <cstring>

namespace orv {

namespace {
constexpr std::size_t kComparedButtonBytes = kButtonValueColumnCount;  // bytes 0..13
constexpr std::size_t kComparedStickBytes = kStickValueColumnCount;    // bytes 0..3
}  // namespace

bool buttonDiffersFromFactory(const ButtonSetting& edited, const ButtonSetting& factory) {
    return std::memcmp(&edited, &factory, kComparedButtonBytes) != 0;
}

bool stickDiffersFromFactory(const StickSetting& edited, const StickSetting& factory) {
    return std::memcmp(&edited, &factory, kComparedStickBytes) != 0;
}

void NonDefaultCells::mark(std::uint32_t slot, FunctionCode code) {
    auto found = std::find_if(cells_.begin(), cells_.end(),
                              [slot](const NonDefaultCell& cell) { return cell.slot == slot; });
    if (found != cells_.end()) {
        found->code = code;
    } else {
        cells_.push_back({slot, code});
    }
}

void NonDefaultCells::unmark(std::uint32_t slot) {
    std::erase_if(cells_, [slot](const NonDefaultCell& cell) { return cell.slot == slot; });
}

}  // namespace orv
