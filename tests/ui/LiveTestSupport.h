#pragma once
// Runs the live tests offscreen: a fresh context with the built texts and skins, a stand-in
// for the window a test screen opens over, and either the simulated controller or a scripted
// HID handle that streams exactly the reports a test sets.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <functional>
#include <initializer_list>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "context/DeviceContext.h"
#include "device/ManualClock.h"
#include "sim/SimulatedBackend.h"
#include "ui/kit/testing/Driver.h"
#include "ui/livetest/LaunchTest.h"

namespace orv::testing {

using ReportBytes = std::initializer_list<std::pair<std::size_t, std::uint8_t>>;

// A test report (header 0xAA 0x07 0x55) in the NS layout: no buttons, hat centred, sticks
// centred; then `bytes` set.
hid::Report nsReport(ReportBytes bytes = {});
// A test report in the PC layout: all zero but the header; then `bytes` set.
hid::Report pcReport(ReportBytes bytes = {});
// Puts a signed 16-bit value, low byte first, at `offset`.
void putSigned16(hid::Report& report, std::size_t offset, std::int16_t value);

// A HID handle that streams like a controller in test mode: each read returns the next queued
// report, else the steady report; without either the read waits out its timeout (a
// controller that stopped sending). Any StartTest frame written is answered. Thread-safe.
class ScriptedDevice final : public hid::Device {
public:
    bool writeReport(const hid::Report& report) override;
    hid::ReadStatus readReport(hid::Report& report, std::chrono::milliseconds timeout) override;
    bool indexedString(std::uint8_t, std::span<std::uint8_t>) override { return false; }
    const std::string& lastError() const override { return error_; }

    void setSteady(std::optional<hid::Report> report);
    void queue(std::vector<hid::Report> reports);
    std::size_t reads() const;
    std::size_t queued() const;
    // The longest timeout a read was given since the last forgetTimeouts().
    std::chrono::milliseconds longestTimeout() const;
    void forgetTimeouts();

private:
    mutable std::mutex mutex_;
    std::optional<hid::Report> steady_;
    std::deque<hid::Report> queue_;
    std::size_t reads_ = 0;
    std::chrono::milliseconds longestTimeout_{0};
    std::string error_ = "nothing arrived";
};

class LiveTestHarness : public ::testing::Test {
protected:
    LiveTestHarness();
    ~LiveTestHarness() override;

    // The simulated controller in its configuration identity, opened; `mode`, profile 1 and
    // its factory image as the working image, `slot` selected.
    void connectSimulated(HostMode mode, std::uint32_t slot);
    // The scripted handle instead of a controller.
    ScriptedDevice& connectScripted(HostMode mode, std::uint32_t slot);

    // Runs launchTest(code) on the UI thread over a stand-in window titled `parentTitle`
    // (none when empty; the stand-in is also passed as the main window) while `script` drives
    // it from a helper thread. Returns launchTest's outcome.
    LaunchOutcome launch(std::uint32_t code, const std::string& parentTitle,
                         const std::function<void(kit::testing::Driver&)>& script);

    // Waits for the named control's text / attribute to become `expected`.
    static bool waitText(kit::testing::Driver& d, kit::WindowHandle window,
                         const std::string& control, const std::string& expected);
    static bool waitAttribute(kit::testing::Driver& d, kit::WindowHandle window,
                              const std::string& control, const std::string& attribute,
                              const std::string& expected);
    // Waits until the scripted handle served `count` more reads than now.
    bool waitReads(kit::testing::Driver& d, std::size_t count);

    std::unique_ptr<DeviceContext> context = std::make_unique<DeviceContext>();
    ManualClock clock;  // the link's and the bus's: pacing and drain pauses take no time
    sim::SimulatedBackend bus{clock};
    std::shared_ptr<sim::SimulatedController> controller;
    ScriptedDevice* scripted = nullptr;  // owned by the link
};

}  // namespace orv::testing
