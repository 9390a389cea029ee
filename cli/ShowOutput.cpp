#include "cli/ShowOutput.h"

#include <array>
#include <cstdio>

#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingAssignment.h"
#include "text/TextStore.h"

namespace orv::cli {

namespace {

const char* modeName(HostMode mode) {
    return mode == HostMode::PC ? "PC" : "NS";
}

std::array<std::uint8_t, 5> switchPositions(const ButtonSetting& record) {
    return {record.LSwitchPos1, record.LSwitchPos2, record.LSwitchPos3, record.LSwitchPos4,
            record.LSwitchPos5};
}

std::string padded(std::string text, std::size_t width) {
    // Width in characters, not bytes: labels hold arrows and Japanese text.
    std::size_t characters = 0;
    for (const char c : text) {
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    }
    if (characters < width) {
        text.append(width - characters, ' ');
    }
    return text;
}

std::string buttonLine(const ButtonSetting& record, std::size_t slot, HostMode mode,
                       const TextStore& texts) {
    auto label = [&](std::uint8_t code) { return functionLabel(code, mode, texts); };
    std::string line = "  " + padded(buttonNameOfSlot(slot, mode), 11);
    line += "short: " + padded(label(record.SDownPos), 15);
    line += "long: " +
            padded(label(record.LDownPos) + " after " + secondsText(record.LDownTime) + " s", 24);
    line += "turbo: " + padded(label(record.TurboPos) + ", " + timeToText(record.TurboTime), 20);
    line += "continuous-disable: " + padded(std::string(record.ConDisable == 1 ? "on" : "off") +
                                                ", " + secondsText(record.ConDisableTime) + " s",
                                            12);
    line += "switch: ";
    line += record.LSwitchFlag == 1 ? "on" : "off";
    std::string positions;
    for (const std::uint8_t position : switchPositions(record)) {
        positions += (positions.empty() ? "" : ", ") + label(position);
    }
    line += " (" + positions + ", every " + secondsText(record.LSwitchTime) + " s)";
    return line + "\n";
}

std::string stickLine(const StickSetting& stick, const char* name, const TextStore& texts) {
    return "  " + padded(name, 11) + "mode: " + padded(stickModeLabel(stick.mode, texts), 14) +
           "rotation: " + padded(rotationLabel(stick.rotate, texts), 20) +
           "sensitivity: " + padded(sensitivityLabel(stick.sen), 8) +
           "dead zone: " + deadzoneLabel(stick.deadzone, texts) + "\n";
}

std::string seconds(std::uint8_t tenths) {
    return secondsText(tenths);
}

std::string functionJson(std::uint8_t code, HostMode mode, const TextStore& texts) {
    const std::string item = itemNameOfCode(code, mode);
    return "{\"code\": " + std::to_string(code) +
           ", \"item\": " + (item.empty() ? std::string("null") : jsonString(item)) +
           ", \"label\": " + jsonString(functionLabel(code, mode, texts)) + "}";
}

std::string buttonJson(const ButtonSetting& record, std::size_t slot, HostMode mode,
                       const TextStore& texts) {
    std::string json = "{\"button\": " + jsonString(buttonNameOfSlot(slot, mode));
    json += ", \"short\": " + functionJson(record.SDownPos, mode, texts);
    json += ", \"long\": {\"function\": " + functionJson(record.LDownPos, mode, texts) +
            ", \"seconds\": " + seconds(record.LDownTime) + "}";
    json += ", \"turbo\": {\"function\": " + functionJson(record.TurboPos, mode, texts) +
            ", \"seconds\": " + seconds(record.TurboTime) + "}";
    json += ", \"condisable\": {\"on\": " + std::string(record.ConDisable == 1 ? "true" : "false") +
            ", \"seconds\": " + seconds(record.ConDisableTime) + "}";
    json += ", \"switch\": {\"on\": " + std::string(record.LSwitchFlag == 1 ? "true" : "false") +
            ", \"positions\": [";
    bool first = true;
    for (const std::uint8_t position : switchPositions(record)) {
        json += (first ? "" : ", ") + functionJson(position, mode, texts);
        first = false;
    }
    json += "], \"seconds\": " + seconds(record.LSwitchTime) + "}}";
    return json;
}

std::string valueJson(const std::string& value, const std::string& label, std::uint8_t raw) {
    return "{\"raw\": " + std::to_string(raw) +
           ", \"value\": " + (value.empty() ? std::string("null") : jsonString(value)) +
           ", \"label\": " + jsonString(label) + "}";
}

std::string stickJson(const StickSetting& stick, const char* name, const TextStore& texts) {
    const bool offeredDeadzone = stick.deadzone == 0 || stick.deadzone == 5 ||
                                 stick.deadzone == 10 || stick.deadzone == 25 ||
                                 stick.deadzone == 50;
    const bool offeredSensitivity = stick.sen >= 25 && stick.sen <= 200 && stick.sen % 25 == 0;
    return std::string("{\"stick\": ") + jsonString(name) + ", \"mode\": " +
           valueJson(stickModeWord(stick.mode), stickModeLabel(stick.mode, texts), stick.mode) +
           ", \"rotation\": " +
           valueJson(rotationWord(stick.rotate), rotationLabel(stick.rotate, texts), stick.rotate) +
           ", \"sensitivity\": " +
           valueJson(offeredSensitivity ? sensitivityLabel(stick.sen) : "",
                     sensitivityLabel(stick.sen), stick.sen) +
           ", \"deadzone\": " +
           valueJson(offeredDeadzone ? (stick.deadzone == 0 ? std::string("none")
                                                            : std::to_string(stick.deadzone) + "%")
                                     : "",
                     deadzoneLabel(stick.deadzone, texts), stick.deadzone) +
           "}";
}

}  // namespace

std::string jsonString(const std::string& text) {
    std::string json = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            json += '\\';
            json += c;
        } else if (byte < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
            json += escaped;
        } else {
            json += c;
        }
    }
    return json + "\"";
}

std::string showText(const std::vector<ShownProfile>& profiles, const TextStore& texts) {
    std::string text;
    for (const ShownProfile& shown : profiles) {
        const DeviceSettingsBlock& image = *shown.image;
        if (!text.empty()) {
            text += "\n";
        }
        text += std::string(modeName(shown.mode)) + " profile " + std::to_string(shown.number) +
                ": " + readProfileName(image) + "\n";
        for (const std::size_t slot : buttonListingOrder()) {
            text += buttonLine(image.button(slot), slot, shown.mode, texts);
        }
        text += stickLine(image.stick(StickSide::Left), "LStick", texts);
        text += stickLine(image.stick(StickSide::Right), "RStick", texts);
    }
    return text;
}

std::string showJson(const std::vector<ShownProfile>& profiles, const TextStore& texts) {
    std::string json = "{\"profiles\": [";
    bool firstProfile = true;
    for (const ShownProfile& shown : profiles) {
        const DeviceSettingsBlock& image = *shown.image;
        const std::string name = readProfileName(image);
        json += firstProfile ? "\n" : ",\n";
        firstProfile = false;
        json +=
            "  {\"mode\": \"" + std::string(shown.mode == HostMode::PC ? "pc" : "ns") +
            "\", \"profile\": " + std::to_string(shown.number) + ", \"name\": " + jsonString(name) +
            ", \"customised\": " + (isCustomisedName(shown.number - 1, name) ? "true" : "false") +
            ",\n   \"buttons\": [";
        bool first = true;
        for (const std::size_t slot : buttonListingOrder()) {
            json += (first ? "\n    " : ",\n    ") +
                    buttonJson(image.button(slot), slot, shown.mode, texts);
            first = false;
        }
        json += "],\n   \"sticks\": [\n    " +
                stickJson(image.stick(StickSide::Left), "LStick", texts) + ",\n    " +
                stickJson(image.stick(StickSide::Right), "RStick", texts) + "]}";
    }
    json += "\n]}\n";
    return json;
}

}  // namespace orv::cli
