#include "device/TestReport.h"

#include <array>
#include <cmath>
#include <cstdlib>

#include "device/VendorProtocol.h"

namespace orv::testreport {

namespace {

constexpr int kFieldRadius = 56;
constexpr std::int32_t kNsCentre = 128;
constexpr std::int32_t kNsMaxDeflection = 127;
constexpr std::int32_t kPcMaxDeflection = 32767;
constexpr std::uint8_t kLeftTriggerCounts = 0x40;

// One row of a priority table: report byte, how it is tested, and the name it gives.
enum class Test { Bit, LowNibbleEquals, NonZero };
struct Rule {
    std::size_t byte;
    Test test;
    std::uint8_t value;
    std::string_view name;
};

constexpr std::string_view kUp = "\u25B3";
constexpr std::string_view kDown = "\u25BD";
constexpr std::string_view kLeft = "\u25C1";
constexpr std::string_view kRight = "\u25B7";

constexpr std::array<Rule, 18> kNsRules = {{
    {9, Test::Bit, 0x10, "L"},
    {9, Test::Bit, 0x01, "Y"},
    {9, Test::Bit, 0x04, "A"},
    {9, Test::Bit, 0x02, "B"},
    {9, Test::Bit, 0x08, "X"},
    {9, Test::Bit, 0x20, "R"},
    {10, Test::Bit, 0x04, "LSB"},
    {10, Test::Bit, 0x08, "RSB"},
    {10, Test::Bit, 0x20, "CAP"},
    {10, Test::Bit, 0x10, "HOME"},
    {10, Test::Bit, 0x01, "-"},
    {10, Test::Bit, 0x02, "+"},
    {9, Test::Bit, 0x40, "ZL"},
    {9, Test::Bit, 0x80, "ZR"},
    {11, Test::LowNibbleEquals, 0, kUp},
    {11, Test::LowNibbleEquals, 4, kDown},
    {11, Test::LowNibbleEquals, 6, kLeft},
    {11, Test::LowNibbleEquals, 2, kRight},
}};

constexpr std::array<Rule, 16> kPcRules = {{
    {11, Test::Bit, 0x20, "BACK"},
    {13, Test::Bit, kLeftTriggerCounts, "LT"},
    {12, Test::Bit, 0x01, "LB"},
    {11, Test::LowNibbleEquals, 4, kLeft},
    {11, Test::LowNibbleEquals, 1, kUp},
    {11, Test::LowNibbleEquals, 2, kDown},
    {11, Test::LowNibbleEquals, 8, kRight},
    {12, Test::Bit, 0x80, "Y"},
    {12, Test::Bit, 0x40, "X"},
    {12, Test::Bit, 0x20, "B"},
    {12, Test::Bit, 0x10, "A"},
    {12, Test::Bit, 0x02, "RB"},
    {11, Test::Bit, 0x40, "LSB"},
    {11, Test::Bit, 0x80, "RSB"},
    {14, Test::NonZero, 0, "RT"},
    {11, Test::Bit, 0x10, "START"},
}};

bool matches(const hid::Report& report, const Rule& rule) {
    const std::uint8_t byte = report[rule.byte];
    switch (rule.test) {
        case Test::Bit:
            return (byte & rule.value) != 0;
        case Test::LowNibbleEquals:
            return (byte & 0x0F) == rule.value;
        case Test::NonZero:
            return byte != 0;
    }
    return false;
}

template <std::size_t N>
std::optional<std::string_view> firstMatch(const hid::Report& report,
                                           const std::array<Rule, N>& rules) {
    for (const Rule& rule : rules) {
        if (matches(report, rule)) {
            return rule.name;
        }
    }
    return std::nullopt;
}

std::int32_t signed16(const hid::Report& report, std::size_t offset) {
    const auto bits = static_cast<std::uint16_t>(report[offset] | (report[offset + 1] << 8));
    return static_cast<std::int16_t>(bits);
}

}  // namespace

bool isTestReport(const hid::Report& report) {
    return report[vendor::kLeadOffset] == vendor::kLeadByte &&
           report[vendor::kCommandOffset] ==
               static_cast<std::uint8_t>(vendor::Command::StartTest) &&
           report[vendor::kTrailOffset] == vendor::kTrailByte;
}

std::optional<std::string_view> producedButton(const hid::Report& report, HostMode mode) {
    return mode == HostMode::PC ? firstMatch(report, kPcRules) : firstMatch(report, kNsRules);
}

StickRaw stickRaw(const hid::Report& report, HostMode mode, StickSide side) {
    const bool left = side == StickSide::Left;
    if (mode == HostMode::PC) {
        return left ? StickRaw{signed16(report, 15), signed16(report, 17)}
                    : StickRaw{signed16(report, 19), signed16(report, 21)};
    }
    return left ? StickRaw{report[12], report[13]} : StickRaw{report[14], report[15]};
}

StickPoint stickPosition(StickRaw raw, HostMode mode) {
    const bool pc = mode == HostMode::PC;
    // |-32768| is 32768, which scales to 56 like 32767 does.
    const std::int32_t dx = pc ? std::abs(raw.x) : std::abs(raw.x - kNsCentre);
    const std::int32_t dy = pc ? std::abs(raw.y) : std::abs(raw.y - kNsCentre);
    const std::int32_t full = pc ? kPcMaxDeflection : kNsMaxDeflection;
    std::int32_t a = dx * kFieldRadius / full;
    std::int32_t b = dy * kFieldRadius / full;
    const auto r = static_cast<std::int32_t>(std::sqrt(static_cast<double>(a * a + b * b)));
    if (r > kFieldRadius) {
        a = a * kFieldRadius / r;
        b = b * kFieldRadius / r;
    }
    const bool pointsRight = pc ? raw.x >= 0 : raw.x >= kNsCentre;
    const bool pointsDown = pc ? raw.y < 0 : raw.y >= kNsCentre;  // PC Y is up-positive
    StickPoint point{pointsRight ? kFieldRadius + a : kFieldRadius - a,
                     pointsDown ? kFieldRadius + b : kFieldRadius - b};
    // The field's first unit is 1.
    if (point.x == 0) {
        point.x = 1;
    }
    if (point.y == 0) {
        point.y = 1;
    }
    return point;
}

}  // namespace orv::testreport
