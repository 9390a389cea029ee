// A hostile controller: every input report the tool reads is taken from the fuzz bytes, the
// rest is silence. The connection worker runs its whole search, identity switch and full read
// against it, then the commands the windows send (Select, WriteProfile, Commit, StartTest) and
// the test-report decoding of the live test screens. Whatever the bytes, nothing may crash,
// hang (the clock is a manual one, so every wait is bounded by the protocol's own limits), or
// report success for images the controller never sent in full.

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "device/ControllerState.h"
#include "device/ManualClock.h"
#include "device/MessageTarget.h"
#include "device/TestReport.h"
#include "device/VendorProtocol.h"

namespace {

using orv::hid::Report;

// Reads hand out fuzz bytes 65 at a time; a short tail is zero-filled; once the bytes are
// gone every read times out (after waiting its timeout on the manual clock). A few bytes of
// the input decide whether a read fails outright instead.
class HostileDevice final : public orv::hid::Device {
public:
    HostileDevice(FuzzedDataProvider& input, orv::Clock& clock, std::vector<Report>& handedOut)
        : input_(input), clock_(clock), handedOut_(handedOut) {}

    bool writeReport(const Report&) override { return true; }
    orv::hid::ReadStatus readReport(Report& report, std::chrono::milliseconds timeout) override {
        if (input_.remaining_bytes() == 0) {
            clock_.sleepFor(timeout);
            return orv::hid::ReadStatus::Timeout;
        }
        const std::uint8_t control = input_.ConsumeIntegral<std::uint8_t>();
        if (control == 0xFE) {
            error_ = "read error from the hostile device";
            return orv::hid::ReadStatus::Error;
        }
        if (control == 0xFD) {
            clock_.sleepFor(timeout);
            return orv::hid::ReadStatus::Timeout;
        }
        report.fill(0);
        const std::vector<std::uint8_t> bytes = input_.ConsumeBytes<std::uint8_t>(report.size());
        std::copy(bytes.begin(), bytes.end(), report.begin());
        handedOut_.push_back(report);
        return orv::hid::ReadStatus::Ok;
    }
    bool indexedString(std::uint8_t, std::span<std::uint8_t> buffer) override {
        const std::vector<std::uint8_t> bytes = input_.ConsumeBytes<std::uint8_t>(buffer.size());
        std::copy(bytes.begin(), bytes.end(), buffer.begin());
        return input_.ConsumeBool();
    }
    const std::string& lastError() const override { return error_; }

private:
    FuzzedDataProvider& input_;
    orv::Clock& clock_;
    std::vector<Report>& handedOut_;
    std::string error_;
};

// One controller, in the identity the first input byte picks; it re-enumerates after the
// switch knock as whatever the next bytes say.
class HostileBackend final : public orv::hid::Backend {
public:
    HostileBackend(FuzzedDataProvider& input, orv::Clock& clock) : input_(input), clock_(clock) {}

    std::vector<orv::hid::DeviceInfo> enumerate() override {
        static constexpr std::uint16_t kProducts[] = {orv::kConfigurationProductId,
                                                      orv::kOrdinaryProductId,
                                                      orv::kRejectedProductId, 0x1234};
        const auto pick = input_.remaining_bytes() > 0 ? input_.ConsumeIntegral<std::uint8_t>() : 0;
        if (pick >= 0xF0) {
            return {};  // unplugged for this search
        }
        return {{"hostile", orv::kVendorId, kProducts[pick % 4]}};
    }
    std::unique_ptr<orv::hid::Device> open(const orv::hid::DeviceInfo&, std::string&) override {
        return std::make_unique<HostileDevice>(input_, clock_, reportsHandedOut);
    }
    bool watchDeviceChanges(std::function<void(std::uint32_t)>) override { return false; }

    // Every report any opened handle gave the tool, in order.
    std::vector<Report> reportsHandedOut;

private:
    FuzzedDataProvider& input_;
    orv::Clock& clock_;
};

class RecordingTarget final : public orv::MessageTarget {
public:
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override {
        messages.emplace_back(message, wParam);
    }
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> messages;
};

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

void decodeAsTheTestScreensDo(const Report& report) {
    if (!orv::testreport::isTestReport(report)) {
        return;
    }
    for (const orv::HostMode mode : {orv::HostMode::NS, orv::HostMode::PC}) {
        const auto name = orv::testreport::producedButton(report, mode);
        if (name && name->empty()) {
            fail("a pressed button decoded to an empty name");
        }
        for (const orv::StickSide side : {orv::StickSide::Left, orv::StickSide::Right}) {
            const orv::testreport::StickPoint p =
                orv::testreport::stickPosition(orv::testreport::stickRaw(report, mode, side), mode);
            const int dx = p.x - 56;
            const int dy = p.y - 56;
            if (p.x < 0 || p.x > 112 || p.y < 0 || p.y > 112 || dx * dx + dy * dy > 57 * 57) {
                fail("a stick indicator left its circular field");
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    orv::ManualClock clock;
    HostileBackend backend(input, clock);
    orv::DeviceLink link;
    link.backend = &backend;
    link.clock = &clock;
    orv::ProfileImages images;
    RecordingTarget window;

    orv::ConnectionWorker(link, images, window).run();

    if (window.messages.empty() || window.messages.back().first != orv::ConnectResultMessage) {
        fail("the worker ended without a result message");
    }
    const auto result = static_cast<orv::ConnectResult>(window.messages.back().second);
    if (result == orv::ConnectResult::Connected) {
        if (images.nsProfiles.size() != 6 || images.pcProfiles.size() != 6 ||
            link.connected.load() != 1) {
            fail("a connection was reported without all twelve images");
        }
    } else if (link.connected.load() != 0) {
        fail("a failed connection left the link marked connected");
    }

    // What the windows do afterwards, on whatever the controller answers.
    if (link.hidDevice) {
        orv::Select(link, 0, 0);
        orv::WriteProfile(link, orv::DeviceSettingsBlock{}, 1, 5);
        orv::Commit(link, 1);
        const orv::DeviceSettingsBlock before = link.receivedBlock;
        if (!orv::ReadProfile(link, 0, 3) && !(link.receivedBlock == before)) {
            fail("a failed ReadProfile changed receivedBlock");
        }
        if (orv::StartTest(link, 0, 0, orv::vendor::kTestTargetAll, orv::vendor::kTestShortPress)) {
            Report report{};
            for (int i = 0; i < 64 && orv::readReport(link, report, std::chrono::milliseconds(5));
                 ++i) {
                decodeAsTheTestScreensDo(report);
            }
        }
    }
    // Every report that went by, decoded as a test report too.
    for (const Report& report : backend.reportsHandedOut) {
        decodeAsTheTestScreensDo(report);
    }
    return 0;
}
