#include <algorithm>
#include <cstdint>
#include <string>

#include "profile/ProfileModel.h"

namespace orv {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

}  // namespace

std::uint8_t parseDecimalLow8(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos] == '-';
        ++pos;
    }
    // The stored files come from a platform whose long is 32 bits: wcstol saturates there, so
    // the magnitude is clamped to that range instead of wrapping.
    constexpr std::int64_t kMaxMagnitude = std::int64_t{1} << 31;
    std::int64_t magnitude = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[pos] - '0'), kMaxMagnitude);
    }
    std::int64_t value = negative ? -magnitude : std::min(magnitude, kMaxMagnitude - 1);
    return static_cast<std::uint8_t>(static_cast<std::uint64_t>(value) & 0xFFu);
}

std::string timeToText(std::uint8_t tenths) {
    std::string digits = std::to_string(tenths);
    if (digits.size() == 1) {
        digits.insert(0, "0.");
        return digits;
    }
    // The point goes before the last digit: for the editors' range (up to 99) that is after the
    // first digit, and a larger value read from the controller still shows its real time.
    digits.insert(digits.size() - 1, ".");
    return digits;
}

std::uint8_t textToTime(std::string_view text) {
    std::size_t start = 0;
    while (start < text.size() && isBlank(text[start])) {
        ++start;
    }
    // Only a leading "0." is the short form; "10.5" contains "0." too but means 105.
    if (text.substr(start, 2) == "0.") {
        return parseDecimalLow8(text.substr(start + 2));
    }
    std::string digits(text);
    const std::size_t space = digits.find(' ');
    const std::size_t point = digits.find('.');
    if (point != std::string::npos && point < space) {
        digits.erase(point, 1);
    }
    return parseDecimalLow8(digits);
}

}  // namespace orv
