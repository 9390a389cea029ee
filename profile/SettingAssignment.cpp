#include "profile/SettingAssignment.h"

#include <array>

#include "profile/ProfileModel.h"

namespace orv {

namespace {

struct ButtonName {
    std::string_view name;
    ButtonSlot slot;
};
constexpr std::array<ButtonName, 18> kNsButtonNames = {{
    {"Up", ButtonSlot::DpadUp},
    {"Down", ButtonSlot::DpadDown},
    {"Left", ButtonSlot::DpadLeft},
    {"Right", ButtonSlot::DpadRight},
    {"Y", ButtonSlot::Y},
    {"B", ButtonSlot::B},
    {"A", ButtonSlot::A},
    {"X", ButtonSlot::X},
    {"L", ButtonSlot::L},
    {"R", ButtonSlot::R},
    {"ZL", ButtonSlot::ZL},
    {"ZR", ButtonSlot::ZR},
    {"Minus", ButtonSlot::Minus},
    {"Plus", ButtonSlot::Plus},
    {"LStickBut", ButtonSlot::LeftStickClick},
    {"RStickBut", ButtonSlot::RightStickClick},
    {"Home", ButtonSlot::Home},
    {"Cap", ButtonSlot::Capture},
}};
constexpr std::array<ButtonName, 6> kPcButtonNames = {{
    {"LB", ButtonSlot::L},
    {"RB", ButtonSlot::R},
    {"LT", ButtonSlot::ZL},
    {"RT", ButtonSlot::ZR},
    {"BACK", ButtonSlot::Minus},
    {"START", ButtonSlot::Plus},
}};

constexpr std::array<std::string_view, 3> kModeWords = {"none", "left", "right"};
constexpr std::array<std::string_view, 4> kRotationWords = {"none", "left90", "right90", "180"};
constexpr std::array<std::uint8_t, 8> kSensitivities = {25, 50, 75, 100, 125, 150, 175, 200};
constexpr std::array<std::uint8_t, 5> kDeadzones = {0, 5, 10, 25, 50};

Status refuse(std::string_view name, std::string why) {
    return Status::failure(std::string(name) + ": " + why);
}

// Seconds with at most one decimal ("0.7", "2", "1.5") in tenths; nullopt when not that form.
std::optional<int> parseTenths(std::string_view text) {
    int whole = 0;
    std::size_t i = 0;
    std::size_t digits = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i, ++digits) {
        if (digits >= 4) {
            return std::nullopt;
        }
        whole = whole * 10 + (text[i] - '0');
    }
    int tenth = 0;
    if (i < text.size() && text[i] == '.') {
        ++i;
        if (i + 1 != text.size() || text[i] < '0' || text[i] > '9') {
            return std::nullopt;
        }
        tenth = text[i] - '0';
        ++i;
    } else if (digits == 0) {
        return std::nullopt;
    }
    if (i != text.size()) {
        return std::nullopt;
    }
    return whole * 10 + tenth;
}

std::string rangeText(TimeRange range) {
    return secondsText(range.minimum) + ".." + secondsText(range.maximum);
}

// "ITEM", "none" or "nothing" to its function code.
std::optional<FunctionCode> parseItem(std::string_view item) {
    if (item == "none" || item == "nothing") {
        return kFunctionNone;
    }
    const FunctionCode code = functionCodeFromItemName(item);
    if (code == kFunctionNone) {
        return std::nullopt;
    }
    return code;
}

std::string itemError(std::string_view item) {
    return "unknown item \"" + std::string(item) +
           "\" (an item name such as A, B, Up, L, LB, ZR, Plus, START, LStickBut, Home, Cap, "
           "or none)";
}

// Splits "VALUE@SECONDS" into its two parts.
std::pair<std::string_view, std::optional<std::string_view>> splitTime(std::string_view value) {
    const std::size_t at = value.find('@');
    if (at == std::string_view::npos) {
        return {value, std::nullopt};
    }
    return {value.substr(0, at), value.substr(at + 1)};
}

Status applyTime(std::string_view name, std::optional<std::string_view> text, TimeRange range,
                 std::uint8_t& field, std::string_view unit) {
    if (!text) {
        return Status::success();
    }
    const std::optional<int> tenths = parseTenths(*text);
    if (!tenths) {
        return refuse(name, "\"" + std::string(*text) + "\" is not a time in seconds (one " +
                                "decimal at most, such as 0.7); bounds " + rangeText(range) +
                                std::string(unit));
    }
    if (!range.contains(*tenths)) {
        return refuse(
            name, std::string(*text) + " is out of bounds " + rangeText(range) + std::string(unit));
    }
    field = static_cast<std::uint8_t>(*tenths);
    return Status::success();
}

Status applyButtonField(ButtonSetting& record, std::string_view name, std::string_view field,
                        std::string_view value) {
    if (field == "short") {
        const std::optional<FunctionCode> code = parseItem(value);
        if (!code) {
            return refuse(name, itemError(value));
        }
        record.SDownPos = *code;
        return Status::success();
    }
    if (field == "long" || field == "turbo") {
        const bool isLong = field == "long";
        std::uint8_t& position = isLong ? record.LDownPos : record.TurboPos;
        std::uint8_t& time = isLong ? record.LDownTime : record.TurboTime;
        const TimeRange range = isLong ? kLongPressTimeRange : kTurboTimeRange;
        const auto [item, seconds] = splitTime(value);
        std::optional<FunctionCode> code = item == "off" && !seconds
                                               ? std::optional<FunctionCode>(kFunctionNone)
                                               : parseItem(item);
        if (!code) {
            return refuse(name, itemError(item));
        }
        // The function editor disables the turbo assignment while continuous-disable is on.
        if (!isLong && record.ConDisable == 1 && *code != position) {
            return refuse(name,
                          "the turbo function cannot change while continuous-disable is "
                          "on; set condisable=off first");
        }
        if (Status timed = applyTime(name, seconds, range, time, " s"); !timed) {
            return timed;
        }
        position = *code;
        return Status::success();
    }
    if (field == "condisable") {
        const auto [state, seconds] = splitTime(value);
        if (state == "off" && !seconds) {
            record.ConDisable = 0;
            return Status::success();
        }
        if (state != "on") {
            return refuse(name, "expected on, on@SECONDS or off");
        }
        if (Status timed =
                applyTime(name, seconds, kConDisableTimeRange, record.ConDisableTime, " s");
            !timed) {
            return timed;
        }
        record.ConDisable = 1;
        return Status::success();
    }
    if (field == "switch") {
        const auto [items, seconds] = splitTime(value);
        if (items == "off" && !seconds) {
            record.LSwitchFlag = 0;
            return Status::success();
        }
        std::array<std::uint8_t, 5> positions;
        positions.fill(kFunctionNone);
        std::size_t count = 0;
        std::string_view rest = items;
        while (true) {
            const std::size_t comma = rest.find(',');
            const std::string_view item = rest.substr(0, comma);
            if (count == positions.size()) {
                return refuse(name, "a long-press switch has at most five positions");
            }
            const std::optional<FunctionCode> code = parseItem(item);
            if (!code) {
                return refuse(name, itemError(item));
            }
            positions[count++] = *code;
            if (comma == std::string_view::npos) {
                break;
            }
            rest = rest.substr(comma + 1);
        }
        if (Status timed = applyTime(name, seconds, kSwitchTimeRange, record.LSwitchTime, " s");
            !timed) {
            return timed;
        }
        record.LSwitchPos1 = positions[0];
        record.LSwitchPos2 = positions[1];
        record.LSwitchPos3 = positions[2];
        record.LSwitchPos4 = positions[3];
        record.LSwitchPos5 = positions[4];
        record.LSwitchFlag = 1;
        return Status::success();
    }
    return refuse(name, "unknown field \"" + std::string(field) +
                            "\" (short, long, turbo, condisable or switch)");
}

std::optional<std::uint8_t> percentValue(std::string_view value) {
    if (value.empty() || value.back() != '%') {
        return std::nullopt;
    }
    const std::optional<int> tenths = parseTenths(value.substr(0, value.size() - 1));
    if (!tenths || *tenths % 10 != 0 || *tenths / 10 > 255) {
        return std::nullopt;
    }
    return static_cast<std::uint8_t>(*tenths / 10);
}

Status applyStickField(StickSetting& stick, std::string_view name, std::string_view field,
                       std::string_view value) {
    if (const std::optional<StickChoice> item = stickChoiceFromItemName(value)) {
        const bool fits = (field == "mode" && item->field == StickField::Mode) ||
                          (field == "rotation" && item->field == StickField::Rotate) ||
                          (field == "sensitivity" && item->field == StickField::Sensitivity) ||
                          (field == "deadzone" && item->field == StickField::Deadzone);
        if (fits) {
            applyStickChoice(stick, *item);
            return Status::success();
        }
    }
    auto wordIndex = [&](auto const& words) -> std::optional<std::uint8_t> {
        for (std::size_t i = 0; i < words.size(); ++i) {
            if (words[i] == value) {
                return static_cast<std::uint8_t>(i);
            }
        }
        return std::nullopt;
    };
    if (field == "mode") {
        if (const auto index = wordIndex(kModeWords)) {
            stick.mode = *index;
            return Status::success();
        }
        return refuse(name, "expected none, left or right");
    }
    if (field == "rotation") {
        if (const auto index = wordIndex(kRotationWords)) {
            stick.rotate = *index;
            return Status::success();
        }
        return refuse(name, "expected none, left90, right90 or 180");
    }
    if (field == "sensitivity") {
        const std::optional<std::uint8_t> percent = percentValue(value);
        for (const std::uint8_t allowed : kSensitivities) {
            if (percent && *percent == allowed) {
                stick.sen = allowed;
                return Status::success();
            }
        }
        return refuse(name, "\"" + std::string(value) +
                                "\" is not offered; bounds 25%..200% in steps of 25%");
    }
    if (field == "deadzone") {
        const std::optional<std::uint8_t> percent =
            value == "none" ? std::optional<std::uint8_t>(0) : percentValue(value);
        for (const std::uint8_t allowed : kDeadzones) {
            if (percent && *percent == allowed) {
                stick.deadzone = allowed;
                return Status::success();
            }
        }
        return refuse(name, "\"" + std::string(value) +
                                "\" is not offered; expected none, 5%, 10%, 25% or 50%");
    }
    return refuse(name, "unknown field \"" + std::string(field) +
                            "\" (mode, rotation, sensitivity or deadzone)");
}

}  // namespace

std::optional<std::size_t> buttonSlotFromName(std::string_view name, HostMode mode) {
    for (const ButtonName& entry : kNsButtonNames) {
        if (entry.name == name) {
            return static_cast<std::size_t>(entry.slot);
        }
    }
    if (mode == HostMode::PC) {
        for (const ButtonName& entry : kPcButtonNames) {
            if (entry.name == name) {
                return static_cast<std::size_t>(entry.slot);
            }
        }
    }
    return std::nullopt;
}

std::string buttonNameOfSlot(std::size_t slot, HostMode mode) {
    if (mode == HostMode::PC) {
        for (const ButtonName& entry : kPcButtonNames) {
            if (static_cast<std::size_t>(entry.slot) == slot) {
                return std::string(entry.name);
            }
        }
    }
    for (const ButtonName& entry : kNsButtonNames) {
        if (static_cast<std::size_t>(entry.slot) == slot) {
            return std::string(entry.name);
        }
    }
    return {};
}

const std::vector<std::size_t>& buttonListingOrder() {
    static const std::vector<std::size_t> order = [] {
        std::vector<std::size_t> slots;
        for (const ButtonName& entry : kNsButtonNames) {
            slots.push_back(static_cast<std::size_t>(entry.slot));
        }
        return slots;
    }();
    return order;
}

std::string stickModeWord(std::uint8_t mode) {
    return mode < kModeWords.size() ? std::string(kModeWords[mode]) : std::string();
}

std::string rotationWord(std::uint8_t rotate) {
    return rotate < kRotationWords.size() ? std::string(kRotationWords[rotate]) : std::string();
}

std::string secondsText(std::uint8_t tenths) {
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10);
}

Status applySetting(DeviceSettingsBlock& block, HostMode mode, std::string_view assignment) {
    const std::size_t equals = assignment.find('=');
    if (equals == std::string_view::npos) {
        return Status::failure("\"" + std::string(assignment) +
                               "\" is not SETTING=VALUE (such as A.short=B)");
    }
    const std::string_view name = assignment.substr(0, equals);
    const std::string_view value = assignment.substr(equals + 1);
    const std::size_t dot = name.find('.');
    if (dot == std::string_view::npos) {
        return refuse(name, "expected BUTTON.field or LStick./RStick.field");
    }
    const std::string_view owner = name.substr(0, dot);
    const std::string_view field = name.substr(dot + 1);
    if (owner == "LStick" || owner == "RStick") {
        const StickSide side = owner == "LStick" ? StickSide::Left : StickSide::Right;
        StickSetting stick = block.stick(side);
        Status status = applyStickField(stick, name, field, value);
        if (status) {
            block.setStick(side, stick);
        }
        return status;
    }
    const std::optional<std::size_t> slot = buttonSlotFromName(owner, mode);
    if (!slot) {
        return refuse(name, "unknown button \"" + std::string(owner) + "\" in " +
                                (mode == HostMode::PC ? "PC" : "NS") + " mode");
    }
    ButtonSetting record = block.button(*slot);
    Status status = applyButtonField(record, name, field, value);
    if (status) {
        block.setButton(*slot, record);
    }
    return status;
}

Status applySettings(DeviceSettingsBlock& block, HostMode mode,
                     const std::vector<std::string>& assignments) {
    DeviceSettingsBlock changed = block;
    for (const std::string& assignment : assignments) {
        if (Status status = applySetting(changed, mode, assignment); !status) {
            return status;
        }
    }
    block = changed;
    return Status::success();
}

}  // namespace orv
