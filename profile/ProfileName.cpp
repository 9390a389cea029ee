#include <algorithm>
#include <cstring>

#include "profile/ProfileModel.h"
#include "text/Utf8.h"

namespace orv {

namespace {

// UTF-8 of `codePoints`, ending after the last whole character that fits in a name field.
std::string fieldText(std::u32string_view codePoints) {
    std::string out;
    for (const char32_t c : codePoints) {
        if (out.size() + utf8::encodedSize(c) > block::kNamePartSize) {
            break;
        }
        utf8::append(out, c);
    }
    return out;
}

void writeField(std::span<std::uint8_t, block::kNamePartSize> field, const std::string& text) {
    std::fill(field.begin(), field.end(), std::uint8_t{0});
    std::memcpy(field.data(), text.data(), std::min(text.size(), field.size()));
}

}  // namespace

void writeProfileName(DeviceSettingsBlock& block, std::string_view utf8Name) {
    const std::u32string name = utf8::decode(utf8Name);
    // Part one takes whole characters up to 10 UTF-16 units; a character of two units that
    // would straddle the boundary goes to part two whole.
    std::size_t split = 0;
    std::size_t units = 0;
    while (split < name.size() && units + utf8::utf16Units(name[split]) <= kNamePartOneUnits) {
        units += utf8::utf16Units(name[split]);
        ++split;
    }
    const std::u32string_view all(name);
    writeField(block.namePartOne(), fieldText(all.substr(0, split)));
    writeField(block.namePartTwo(), fieldText(all.substr(split)));
}

std::string decodeNameField(std::span<const std::uint8_t, block::kNamePartSize> field) {
    const auto end = std::find(field.begin(), field.end(), std::uint8_t{0});
    const auto length = static_cast<std::size_t>(end - field.begin());
    return utf8::sanitize(std::string_view(reinterpret_cast<const char*>(field.data()), length));
}

std::string readProfileName(const DeviceSettingsBlock& block) {
    return decodeNameField(block.namePartOne()) + decodeNameField(block.namePartTwo());
}

std::string factoryProfileName(std::uint32_t profileNumber) {
    return "PROFILE" + std::to_string(profileNumber);
}

}  // namespace orv
