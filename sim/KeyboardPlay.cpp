#include "sim/KeyboardPlay.h"

#include <algorithm>

namespace orv::sim {

namespace {

using Direction = KeyboardPlay::StickDirection;

constexpr unsigned kArrowLeft = 0x25;
constexpr unsigned kArrowUp = 0x26;
constexpr unsigned kArrowRight = 0x27;
constexpr unsigned kArrowDown = 0x28;
constexpr std::uint8_t kStickLow = 0;
constexpr std::uint8_t kStickCentre = 128;
constexpr std::uint8_t kStickHigh = 255;

KeyboardPlay::Binding button(unsigned key, const char* name, ButtonSlot slot) {
    KeyboardPlay::Binding b;
    b.key = key;
    b.keyName = name;
    b.button = slot;
    return b;
}

KeyboardPlay::Binding stick(unsigned key, const char* name, StickSide side, Direction d) {
    KeyboardPlay::Binding b;
    b.key = key;
    b.keyName = name;
    b.stick = side;
    b.direction = d;
    return b;
}

}  // namespace

const std::vector<KeyboardPlay::Binding>& KeyboardPlay::bindings() {
    using S = ButtonSlot;
    static const std::vector<Binding> map = {
        stick('E', "E", StickSide::Left, Direction::Up),
        stick('S', "S", StickSide::Left, Direction::Left),
        stick('D', "D", StickSide::Left, Direction::Down),
        stick('F', "F", StickSide::Left, Direction::Right),
        button('C', "C", S::LeftStickClick),
        stick('I', "I", StickSide::Right, Direction::Up),
        stick('J', "J", StickSide::Right, Direction::Left),
        stick('K', "K", StickSide::Right, Direction::Down),
        stick('L', "L", StickSide::Right, Direction::Right),
        button('M', "M", S::RightStickClick),
        button(kArrowUp, "\u2191", S::DpadUp),
        button(kArrowLeft, "\u2190", S::DpadLeft),
        button(kArrowDown, "\u2193", S::DpadDown),
        button(kArrowRight, "\u2192", S::DpadRight),
        button('A', "A", S::A),
        button('B', "B", S::B),
        button('X', "X", S::X),
        button('Y', "Y", S::Y),
        button('1', "1", S::ZL),
        button('2', "2", S::L),
        button('9', "9", S::R),
        button('0', "0", S::ZR),
        button('3', "3", S::Minus),
        button('4', "4", S::Capture),
        button('7', "7", S::Home),
        button('8', "8", S::Plus),
    };
    return map;
}

std::string KeyboardPlay::keyMapText() {
    return "L stick E S D F, click C \u00b7 R stick I J K L, click M \u00b7 "
           "D-pad \u2191 \u2190 \u2193 \u2192 \u00b7 A B X Y \u00b7 "
           "ZL 1, L 2, R 9, ZR 0 \u00b7 \u2212 3, Capture 4, Home 7, + 8";
}

bool KeyboardPlay::key(unsigned keyCode, bool down) {
    const auto& map = bindings();
    const bool bound = std::any_of(map.begin(), map.end(),
                                   [&](const Binding& b) { return b.key == keyCode; });
    if (!bound) {
        return false;
    }
    const auto at = std::find(held_.begin(), held_.end(), keyCode);
    if (down && at == held_.end()) {
        held_.push_back(keyCode);
    } else if (!down && at != held_.end()) {
        held_.erase(at);
    }
    return true;
}

PhysicalInput KeyboardPlay::input() const {
    PhysicalInput input;
    // Opposite directions held together cancel out, like a real stick can only lean one way.
    int axis[2][2] = {{0, 0}, {0, 0}};  // [stick][x, y]
    for (const Binding& b : bindings()) {
        if (std::find(held_.begin(), held_.end(), b.key) == held_.end()) {
            continue;
        }
        if (b.button) {
            input.buttons |= 1u << static_cast<unsigned>(*b.button);
            continue;
        }
        int* a = axis[static_cast<int>(b.stick)];
        switch (b.direction) {
            case Direction::Up: a[1] -= 1; break;
            case Direction::Down: a[1] += 1; break;
            case Direction::Left: a[0] -= 1; break;
            case Direction::Right: a[0] += 1; break;
        }
    }
    const auto position = [](int lean) {
        return lean < 0 ? kStickLow : lean > 0 ? kStickHigh : kStickCentre;
    };
    input.leftX = position(axis[0][0]);
    input.leftY = position(axis[0][1]);
    input.rightX = position(axis[1][0]);
    input.rightY = position(axis[1][1]);
    return input;
}

}  // namespace orv::sim
