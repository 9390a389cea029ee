// Decoding test-mode reports: the header check, the produced-button priorities of both host
// modes, the stick raw fields and the indicator position, and the press history.

#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <utility>

#include "device/PressHistory.h"
#include "device/TestReport.h"

namespace orv::testreport {
namespace {

using Bytes = std::initializer_list<std::pair<std::size_t, std::uint8_t>>;

// A test report (valid header) with the given payload bytes.
hid::Report testReport(Bytes bytes, bool nsHatCentred = true) {
    hid::Report report{};
    report[1] = 0xAA;
    report[2] = 0x07;
    report[3] = 0x55;
    if (nsHatCentred) {
        report[11] = 0x08;  // NS: no direction
    }
    for (const auto& [index, value] : bytes) {
        report[index] = value;
    }
    return report;
}

std::string nameOf(const hid::Report& report, HostMode mode) {
    const std::optional<std::string_view> name = producedButton(report, mode);
    return name ? std::string(*name) : std::string("<release>");
}

TEST(TestReportHeader, OnlyBytesOneToThreeDecide) {
    hid::Report report = testReport({{4, 0x12}, {8, 0x34}});
    EXPECT_TRUE(isTestReport(report));
    for (std::size_t index : {1u, 2u, 3u}) {
        hid::Report broken = report;
        broken[index] ^= 0x01;
        EXPECT_FALSE(isTestReport(broken)) << index;
    }
    report[0] = 0x09;
    EXPECT_TRUE(isTestReport(report)) << "the report ID is not examined";
}

struct NameCase {
    HostMode mode;
    Bytes bytes;
    const char* expected;
};

TEST(ProducedButton, EachNsButtonAndTheNsPriorities) {
    const NameCase cases[] = {
        {HostMode::NS, {}, "<release>"},
        {HostMode::NS, {{9, 0x01}}, "Y"},
        {HostMode::NS, {{9, 0x02}}, "B"},
        {HostMode::NS, {{9, 0x04}}, "A"},
        {HostMode::NS, {{9, 0x08}}, "X"},
        {HostMode::NS, {{9, 0x10}}, "L"},
        {HostMode::NS, {{9, 0x20}}, "R"},
        {HostMode::NS, {{9, 0x40}}, "ZL"},
        {HostMode::NS, {{9, 0x80}}, "ZR"},
        {HostMode::NS, {{10, 0x01}}, "-"},
        {HostMode::NS, {{10, 0x02}}, "+"},
        {HostMode::NS, {{10, 0x04}}, "LSB"},
        {HostMode::NS, {{10, 0x08}}, "RSB"},
        {HostMode::NS, {{10, 0x10}}, "HOME"},
        {HostMode::NS, {{10, 0x20}}, "CAP"},
        {HostMode::NS, {{11, 0x00}}, "\u25B3"},
        {HostMode::NS, {{11, 0x02}}, "\u25B7"},
        {HostMode::NS, {{11, 0x04}}, "\u25BD"},
        {HostMode::NS, {{11, 0x06}}, "\u25C1"},
        {HostMode::NS, {{11, 0xF6}}, "\u25C1"},     // only the low nibble is the hat
        {HostMode::NS, {{11, 0x01}}, "<release>"},  // a diagonal is no direction
        {HostMode::NS, {{11, 0x0F}}, "<release>"},
        // Held together, the earlier row wins.
        {HostMode::NS, {{9, 0x14}}, "L"},                // L + A
        {HostMode::NS, {{9, 0x05}}, "Y"},                // Y + A
        {HostMode::NS, {{9, 0xC0}, {10, 0x3F}}, "LSB"},  // face buttons beat ZL/ZR
        {HostMode::NS, {{10, 0x30}}, "CAP"},             // Capture before Home
        {HostMode::NS, {{9, 0x40}, {11, 0x00}}, "ZL"},   // ZL before the hat
        {HostMode::NS, {{12, 0xFF}, {13, 0x00}, {14, 0x10}}, "<release>"},  // sticks name nothing
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(nameOf(testReport(c.bytes), c.mode), c.expected) << c.expected;
    }
}

TEST(ProducedButton, EachPcButtonTheTriggersAndThePcPriorities) {
    const NameCase cases[] = {
        {HostMode::PC, {}, "<release>"},
        {HostMode::PC, {{11, 0x20}}, "BACK"},
        {HostMode::PC, {{11, 0x10}}, "START"},
        {HostMode::PC, {{11, 0x40}}, "LSB"},
        {HostMode::PC, {{11, 0x80}}, "RSB"},
        {HostMode::PC, {{11, 0x01}}, "\u25B3"},
        {HostMode::PC, {{11, 0x02}}, "\u25BD"},
        {HostMode::PC, {{11, 0x04}}, "\u25C1"},
        {HostMode::PC, {{11, 0x08}}, "\u25B7"},
        {HostMode::PC, {{11, 0x05}}, "<release>"},  // up+left: the nibble is compared whole
        {HostMode::PC, {{12, 0x01}}, "LB"},
        {HostMode::PC, {{12, 0x02}}, "RB"},
        {HostMode::PC, {{12, 0x10}}, "A"},
        {HostMode::PC, {{12, 0x20}}, "B"},
        {HostMode::PC, {{12, 0x40}}, "X"},
        {HostMode::PC, {{12, 0x80}}, "Y"},
        // Left trigger: only bit 0x40 counts.
        {HostMode::PC, {{13, 0x3F}}, "<release>"},
        {HostMode::PC, {{13, 0x40}}, "LT"},
        {HostMode::PC, {{13, 0xFF}}, "LT"},
        {HostMode::PC, {{13, 0x80}}, "<release>"},
        // Right trigger: any value but 0.
        {HostMode::PC, {{14, 0x01}}, "RT"},
        {HostMode::PC, {{14, 0xFF}}, "RT"},
        // Held together.
        {HostMode::PC, {{12, 0x11}}, "LB"},                  // LB + A
        {HostMode::PC, {{11, 0x20}, {13, 0xFF}}, "BACK"},    // BACK before LT
        {HostMode::PC, {{13, 0x40}, {12, 0x01}}, "LT"},      // LT before LB
        {HostMode::PC, {{11, 0x04}, {12, 0x80}}, "\u25C1"},  // pad before the face buttons
        {HostMode::PC, {{11, 0x10}, {14, 0x01}}, "RT"},      // RT before START
        {HostMode::PC, {{11, 0xC0}, {12, 0x02}}, "RB"},      // RB before the stick clicks
        // NS bytes mean nothing in PC mode, and the NS "up" (nibble 0) is none in PC.
        {HostMode::PC, {{9, 0xFF}, {10, 0xFF}}, "<release>"},
    };
    for (const NameCase& c : cases) {
        EXPECT_EQ(nameOf(testReport(c.bytes, false), c.mode), c.expected) << c.expected;
    }
}

TEST(StickRawValues, NsBytesAndPcSignedFields) {
    const hid::Report ns = testReport({{12, 1}, {13, 2}, {14, 3}, {15, 4}});
    EXPECT_EQ(stickRaw(ns, HostMode::NS, StickSide::Left), (StickRaw{1, 2}));
    EXPECT_EQ(stickRaw(ns, HostMode::NS, StickSide::Right), (StickRaw{3, 4}));

    const hid::Report pc = testReport({{15, 0xFF},
                                       {16, 0x7F},  // 32767
                                       {17, 0x00},
                                       {18, 0x80},  // -32768
                                       {19, 0x01},
                                       {20, 0x00},  // 1
                                       {21, 0xFF},
                                       {22, 0xFF}},  // -1
                                      false);
    EXPECT_EQ(stickRaw(pc, HostMode::PC, StickSide::Left), (StickRaw{32767, -32768}));
    EXPECT_EQ(stickRaw(pc, HostMode::PC, StickSide::Right), (StickRaw{1, -1}));
}

TEST(StickPosition, WorkedValues) {
    struct Case {
        HostMode mode;
        StickRaw raw;
        StickPoint expected;
    };
    const Case cases[] = {
        {HostMode::NS, {128, 128}, {56, 56}},
        {HostMode::NS, {255, 128}, {112, 56}},
        {HostMode::NS, {0, 128}, {1, 56}},
        {HostMode::NS, {255, 0}, {95, 17}},
        {HostMode::NS, {200, 100}, {87, 44}},
        {HostMode::PC, {0, 0}, {56, 56}},
        {HostMode::PC, {32767, 0}, {112, 56}},
        {HostMode::PC, {0, 32767}, {56, 1}},
        {HostMode::PC, {32767, 32767}, {95, 17}},
        // Further edges: full down, the most negative PC value, the other diagonals.
        {HostMode::NS, {128, 255}, {56, 112}},
        {HostMode::NS, {0, 255}, {17, 95}},
        {HostMode::PC, {-32768, 0}, {1, 56}},
        {HostMode::PC, {0, -32768}, {56, 112}},
        {HostMode::PC, {-32768, -32768}, {17, 95}},
        {HostMode::NS, {127, 129}, {56, 56}},  // one step off centre stays in the middle
    };
    for (const Case& c : cases) {
        EXPECT_EQ(stickPosition(c.raw, c.mode), c.expected)
            << (c.mode == HostMode::PC ? "PC " : "NS ") << c.raw.x << "," << c.raw.y;
    }
}

TEST(StickPosition, EveryNsPositionStaysInsideTheField) {
    for (int x = 0; x < 256; ++x) {
        for (int y = 0; y < 256; ++y) {
            const StickPoint p = stickPosition({x, y}, HostMode::NS);
            ASSERT_GE(p.x, 1);
            ASSERT_LE(p.x, 112);
            ASSERT_GE(p.y, 1);
            ASSERT_LE(p.y, 112);
            const int dx = p.x - 56;
            const int dy = p.y - 56;
            ASSERT_LE(dx * dx + dy * dy, 57 * 57) << x << "," << y;
        }
    }
}

}  // namespace
}  // namespace orv::testreport

namespace orv {
namespace {

TEST(PressHistory, LatchRecordsAHeldButtonOnceAndKeepsTheLastFive) {
    PressHistory history;
    EXPECT_EQ(history.label(), "     ");
    history.push("A");
    history.push("A");  // still held
    history.push("B");  // another button while latched: nothing
    EXPECT_EQ(history.label(), "    A ");
    history.release();
    history.push("A");
    EXPECT_EQ(history.label(), "   A A ");
    for (const char* name : {"1", "2", "3", "4"}) {
        history.release();
        history.push(name);
    }
    EXPECT_EQ(history.label(), "A 1 2 3 4 ") << "only the last five";
    history.release();
    history.push("\u25B3");
    EXPECT_EQ(history.entries().front(), "1");
    EXPECT_EQ(history.label(), "1 2 3 4 \u25B3 ");
    EXPECT_TRUE(history.latched());
}

}  // namespace
}  // namespace orv
