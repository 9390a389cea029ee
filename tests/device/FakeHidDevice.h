#pragma once
// A scripted HID handle for the protocol tests: records every write with its time on the test
// clock and hands out queued input reports; with nothing queued a read waits out its timeout.

#include <deque>
#include <utility>
#include <vector>

#include "device/Clock.h"
#include "device/hid/HidDevice.h"

namespace orv::test {

class FakeHidDevice final : public hid::Device {
public:
    explicit FakeHidDevice(Clock& clock) : clock_(clock) {}

    bool writeReport(const hid::Report& report) override {
        if (failWriteAt == writes.size()) {
            error_ = "write refused by the test";
            return false;
        }
        writes.emplace_back(clock_.now(), report);
        if (onWrite) {
            onWrite(report, *this);
        }
        return true;
    }
    hid::ReadStatus readReport(hid::Report& report, std::chrono::milliseconds timeout) override {
        ++reads;
        if (failReadAt == reads) {
            error_ = "read error injected by the test";
            return hid::ReadStatus::Error;
        }
        if (input.empty()) {
            clock_.sleepFor(timeout);
            return hid::ReadStatus::Timeout;
        }
        report = input.front();
        input.pop_front();
        return hid::ReadStatus::Ok;
    }
    bool indexedString(std::uint8_t index, std::span<std::uint8_t> buffer) override {
        stringRequests.emplace_back(index, std::vector<std::uint8_t>(buffer.begin(), buffer.end()));
        return false;
    }
    const std::string& lastError() const override { return error_; }

    std::vector<std::pair<Clock::TimePoint, hid::Report>> writes;
    std::deque<hid::Report> input;
    std::vector<std::pair<std::uint8_t, std::vector<std::uint8_t>>> stringRequests;
    std::size_t failWriteAt = static_cast<std::size_t>(-1);  // index of the write that fails
    std::size_t failReadAt = 0;                              // 1-based read that fails, 0 none
    std::size_t reads = 0;
    std::function<void(const hid::Report&, FakeHidDevice&)> onWrite;

private:
    Clock& clock_;
    std::string error_;
};

// A report with the given bytes set (index = report byte, 0 the report ID).
inline hid::Report reportWith(std::initializer_list<std::pair<std::size_t, std::uint8_t>> bytes) {
    hid::Report report{};
    for (const auto& [index, value] : bytes) {
        report[index] = value;
    }
    return report;
}

}  // namespace orv::test
