#include "sim/TestOutputModel.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>

#include "device/VendorProtocol.h"

namespace orv::sim {

namespace {

using namespace std::chrono_literals;
constexpr Clock::Duration kTenth = 100ms;

enum Function : FunctionCode {
    Up = 0,
    Down,
    Left,
    Right,
    Y,
    B,
    A,
    X,
    L,
    R,
    ZL,
    ZR,
    Minus,
    Plus,
    LeftStickClick,
    RightStickClick,
    Home,
    Capture
};

struct Output {
    bool up = false, down = false, left = false, right = false;
    std::uint32_t functions = 0;         // bit per FunctionCode 4..17
    int stick[2][2] = {{0, 0}, {0, 0}};  // [left/right][x/y], -128..127, y down positive
};

std::uint8_t nsHat(const Output& out) {
    const int dx = (out.right ? 1 : 0) - (out.left ? 1 : 0);
    const int dy = (out.down ? 1 : 0) - (out.up ? 1 : 0);
    if (dx == 0 && dy == 0) {
        return 8;  // no direction
    }
    // 0 up, then clockwise in steps of 45 degrees.
    static constexpr std::uint8_t kHat[3][3] = {{7, 0, 1}, {6, 8, 2}, {5, 4, 3}};
    return kHat[dy + 1][dx + 1];
}

std::uint8_t toUnsigned(int value) {
    return static_cast<std::uint8_t>(std::clamp(value, -128, 127) + 128);
}

void putSigned16(hid::Report& report, std::size_t offset, int value) {
    const int wide = std::clamp(value * 256, -32768, 32767);
    const auto bits = static_cast<std::uint16_t>(static_cast<std::int16_t>(wide));
    report[offset] = static_cast<std::uint8_t>(bits & 0xFF);
    report[offset + 1] = static_cast<std::uint8_t>(bits >> 8);
}

void applyStick(Output& out, const StickSetting& setting, int x, int y) {
    if (setting.mode != 1 && setting.mode != 2) {
        return;
    }
    double dx = x - 128;
    double dy = y - 128;
    if (std::hypot(dx, dy) < 128.0 * setting.deadzone / 100.0) {
        return;
    }
    double rx = dx;
    double ry = dy;
    switch (setting.rotate) {
        case 1:  // left 90: up becomes left
            rx = dy;
            ry = -dx;
            break;
        case 2:  // right 90: up becomes right
            rx = -dy;
            ry = dx;
            break;
        case 3:
            rx = -dx;
            ry = -dy;
            break;
        default:
            break;
    }
    const double scale = setting.sen / 100.0;
    const std::size_t side = setting.mode == 1 ? 0 : 1;
    out.stick[side][0] += static_cast<int>(std::lround(rx * scale));
    out.stick[side][1] += static_cast<int>(std::lround(ry * scale));
}

struct Bit {
    Function function;
    unsigned mask;
};

std::uint8_t pack(const Output& out, std::initializer_list<Bit> bits) {
    unsigned value = 0;
    for (const Bit& bit : bits) {
        if ((out.functions >> bit.function) & 1u) {
            value |= bit.mask;
        }
    }
    return static_cast<std::uint8_t>(value);
}

hid::Report encode(const Output& out, const TestSession& session) {
    hid::Report report = vendor::makeFrame(vendor::Command::StartTest, session.mode,
                                           session.profile, session.target, session.kind);
    if (session.mode == static_cast<std::uint8_t>(HostMode::PC)) {
        const unsigned pad = (out.up ? 0x01u : 0u) | (out.down ? 0x02u : 0u) |
                             (out.left ? 0x04u : 0u) | (out.right ? 0x08u : 0u);
        report[11] = static_cast<std::uint8_t>(
            pad |
            pack(out,
                 {{Plus, 0x10}, {Minus, 0x20}, {LeftStickClick, 0x40}, {RightStickClick, 0x80}}));
        report[12] = pack(out, {{L, 0x01}, {R, 0x02}, {A, 0x10}, {B, 0x20}, {X, 0x40}, {Y, 0x80}});
        report[13] = pack(out, {{ZL, 0xFF}});  // triggers fully pressed
        report[14] = pack(out, {{ZR, 0xFF}});
        putSigned16(report, 15, out.stick[0][0]);
        putSigned16(report, 17, -out.stick[0][1]);  // up is positive
        putSigned16(report, 19, out.stick[1][0]);
        putSigned16(report, 21, -out.stick[1][1]);
        return report;
    }
    report[9] = pack(
        out,
        {{Y, 0x01}, {B, 0x02}, {A, 0x04}, {X, 0x08}, {L, 0x10}, {R, 0x20}, {ZL, 0x40}, {ZR, 0x80}});
    report[10] = pack(out, {{Minus, 0x01},
                            {Plus, 0x02},
                            {LeftStickClick, 0x04},
                            {RightStickClick, 0x08},
                            {Home, 0x10},
                            {Capture, 0x20}});
    report[11] = nsHat(out);
    report[12] = toUnsigned(out.stick[0][0]);
    report[13] = toUnsigned(out.stick[0][1]);
    report[14] = toUnsigned(out.stick[1][0]);
    report[15] = toUnsigned(out.stick[1][1]);
    return report;
}

}  // namespace

TestOutputModel::TestOutputModel(const TestSession& session, const DeviceSettingsBlock& image)
    : session_(session), image_(image) {}

TestOutputModel::Behaviour TestOutputModel::behaviourOf(std::size_t slot) const {
    if (slot == session_.target) {
        switch (session_.kind) {
            case vendor::kTestShortPress:
                return Behaviour::ShortPress;
            case vendor::kTestLongPress:
                return Behaviour::LongPress;
            case vendor::kTestTurbo:
                return Behaviour::Turbo;
            case vendor::kTestContinuousDisable:
                return Behaviour::ContinuousDisable;
            case vendor::kTestLongPressSwitch:
                return Behaviour::Switch;
            default:
                break;
        }
    }
    const ButtonSetting record = image_.button(slot);
    if (record.LSwitchFlag == 1) {
        return Behaviour::Switch;
    }
    if (record.ConDisable == 1) {
        return Behaviour::ContinuousDisable;
    }
    return Behaviour::ShortPress;
}

FunctionCode TestOutputModel::produced(std::size_t slot, Clock::Duration heldFor) {
    const ButtonSetting record = image_.button(slot);
    switch (behaviourOf(slot)) {
        case Behaviour::ShortPress:
            return record.SDownPos;
        case Behaviour::LongPress:
            return heldFor < record.LDownTime * kTenth ? record.SDownPos : record.LDownPos;
        case Behaviour::Turbo: {
            const Clock::Duration period = std::max<int>(record.TurboTime, 1) * kTenth;
            return heldFor % period < period / 2 ? record.TurboPos : kFunctionNone;
        }
        case Behaviour::ContinuousDisable:
            return heldFor < record.ConDisableTime * kTenth ? record.SDownPos : kFunctionNone;
        case Behaviour::Switch: {
            const std::array<std::uint8_t, 5> positions = {record.LSwitchPos1, record.LSwitchPos2,
                                                           record.LSwitchPos3, record.LSwitchPos4,
                                                           record.LSwitchPos5};
            std::size_t& position = switchPosition_[slot];
            if (!steppedThisHold_[slot] && heldFor >= record.LSwitchTime * kTenth) {
                steppedThisHold_[slot] = true;
                for (std::size_t step = 1; step <= positions.size(); ++step) {
                    const std::size_t candidate = (position + step) % positions.size();
                    if (positions[candidate] != kFunctionNone) {
                        position = candidate;
                        break;
                    }
                }
            }
            return positions[position];
        }
    }
    return kFunctionNone;
}

hid::Report TestOutputModel::next(const PhysicalInput& input, Clock::TimePoint now) {
    Output out;
    for (std::size_t slot = 0; slot < kButtonSlotCount; ++slot) {
        if (!input.held(slot)) {
            pressedAt_[slot].reset();
            steppedThisHold_[slot] = false;
            continue;
        }
        if (!pressedAt_[slot]) {
            pressedAt_[slot] = now;
        }
        const FunctionCode function = produced(slot, now - *pressedAt_[slot]);
        switch (function) {
            case Up:
                out.up = true;
                break;
            case Down:
                out.down = true;
                break;
            case Left:
                out.left = true;
                break;
            case Right:
                out.right = true;
                break;
            default:
                if (function <= Capture) {
                    out.functions |= 1u << function;
                }
                break;
        }
    }
    applyStick(out, image_.stick(StickSide::Left), input.leftX, input.leftY);
    applyStick(out, image_.stick(StickSide::Right), input.rightX, input.rightY);
    return encode(out, session_);
}

}  // namespace orv::sim
