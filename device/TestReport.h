#pragma once
// Decoding the reports a controller sends in test mode (after StartTest): a frame of command
// 0x07 whose bytes 9..22 carry the output the setting under test produces, in the layout of
// the host mode.
//
// NS layout: byte 9 Y B A X L R ZL ZR (bits 0x01..0x80), byte 10 Minus Plus LSB RSB Home
// Capture (0x01..0x20), byte 11 low nibble the hat (0 up, 2 right, 4 down, 6 left, anything
// else none), bytes 12..15 left X, left Y, right X, right Y (0..255, centre 128, down larger).
// PC layout: byte 11 low nibble up 0x01 down 0x02 left 0x04 right 0x08 (compared as a whole),
// then START 0x10 BACK 0x20 LSB 0x40 RSB 0x80; byte 12 LB 0x01 RB 0x02 A 0x10 B 0x20 X 0x40
// Y 0x80; byte 13 left trigger, byte 14 right trigger; bytes 15..22 left X, left Y, right X,
// right Y as signed 16-bit values, low byte first, Y up positive.

#include <cstdint>
#include <optional>
#include <string_view>

#include "device/SettingRecords.h"
#include "device/hid/HidDevice.h"

namespace orv::testreport {

// Bytes 1..3 are 0xAA, 0x07, 0x55 (bytes 4..8 are not examined).
bool isTestReport(const hid::Report& report);

// The one button name the report shows, by a fixed priority per host mode (the first match
// wins, so of buttons held together only the highest-ranked one is named); nullopt when the
// report shows no button (a release). The left trigger counts only with bit 0x40 of byte 13
// set, the right trigger at any value but 0. Names are UTF-8 ("A", "LB", "HOME", "\u25B3").
std::optional<std::string_view> producedButton(const hid::Report& report, HostMode mode);

// Raw position of one stick: NS 0..255 (centre 128), PC -32768..32767 (centre 0).
struct StickRaw {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool operator==(const StickRaw&) const = default;
};
StickRaw stickRaw(const hid::Report& report, HostMode mode, StickSide side);

// Where an indicator in a circular field 112 units across shows a stick: x and y in 1..112,
// 56 the centre, x larger to the right, y larger downwards. Deflections are scaled to 0..56
// per axis in integers (truncating) and pulled back onto the circle of radius 56 when they
// leave it, so a full diagonal stays on the rim.
struct StickPoint {
    int x = 0;
    int y = 0;
    bool operator==(const StickPoint&) const = default;
};
StickPoint stickPosition(StickRaw raw, HostMode mode);

}  // namespace orv::testreport
