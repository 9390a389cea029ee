// test: the live test of every button and both sticks (the window's "all inputs" test),
// printed until Ctrl+C. The session's end takes the controller out of test mode.

#include <ostream>

#include "cli/Commands.h"
#include "device/ControllerDiscovery.h"
#include "device/PressHistory.h"
#include "device/TestReport.h"
#include "device/VendorProtocol.h"

namespace orv::cli {

namespace {

// One read waits at most this long, so Ctrl+C is seen promptly even when nothing streams.
constexpr std::chrono::milliseconds kTestReadTimeout{50};
// Reads in a row that fail before the controller counts as gone.
constexpr int kFailedReadsAllowed = 40;

}  // namespace

int runLiveTest(const Invocation& invocation, Session& session) {
    bool buttons = true;
    bool sticks = true;
    if (invocation.arguments.size() > 1 ||
        (invocation.arguments.size() == 1 && invocation.arguments[0] != "buttons" &&
         invocation.arguments[0] != "sticks")) {
        return session.fail(kUsageError,
                            "test takes buttons, sticks or nothing; see `orvctl help`");
    }
    if (invocation.arguments.size() == 1) {
        buttons = invocation.arguments[0] == "buttons";
        sticks = !buttons;
    }
    const HostMode mode = invocation.mode.value_or(HostMode::NS);
    const std::uint32_t number = invocation.profile.value_or(1);
    if (const int connected = session.connect(false); connected != kSuccess) {
        return connected;
    }
    if (!session.enterProfile(mode, number)) {
        return kDeviceError;
    }
    DeviceLink& link = session.context.device;
    const auto modeByte = static_cast<std::uint8_t>(mode);
    const auto index = static_cast<std::uint8_t>(number - 1);
    // As the window's test of all inputs: the image under test first, then test mode.
    if (!WriteProfile(link, session.context.images.workingBlock, modeByte, index)) {
        return session.deviceFailure("the controller did not take the profile to test");
    }
    session.noteTestMode();
    if (!StartTest(link, modeByte, index, vendor::kTestTargetAll, vendor::kTestShortPress)) {
        return session.deviceFailure("the controller did not start the test");
    }
    const Environment& environment = session.environment;
    std::ostream& out = *environment.out;
    if (environment.err != nullptr) {
        *environment.err << "Testing " << (mode == HostMode::PC ? "PC" : "NS") << " profile "
                         << number << "; press Ctrl+C to stop.\n"
                         << std::flush;
    }
    PressHistory history;
    std::optional<std::pair<testreport::StickRaw, testreport::StickRaw>> lastSticks;
    int failedReads = 0;
    while (!environment.stopRequested()) {
        hid::Report report{};
        if (!readReport(link, report, kTestReadTimeout)) {
            if (!link.hidDevice || ++failedReads > kFailedReadsAllowed) {
                return session.deviceFailure("the controller stopped sending test reports");
            }
            continue;
        }
        failedReads = 0;
        if (!testreport::isTestReport(report)) {
            continue;
        }
        if (buttons) {
            const std::optional<std::string_view> name = testreport::producedButton(report, mode);
            if (!name) {
                history.release();
            } else if (!history.latched()) {
                history.push(*name);
                out << "button " << *name << '\n' << std::flush;
            }
        }
        if (sticks) {
            const auto left = testreport::stickRaw(report, mode, StickSide::Left);
            const auto right = testreport::stickRaw(report, mode, StickSide::Right);
            if (!lastSticks || lastSticks->first != left || lastSticks->second != right) {
                lastSticks = std::make_pair(left, right);
                out << "sticks L " << left.x << ' ' << left.y << "  R " << right.x << ' ' << right.y
                    << '\n'
                    << std::flush;
            }
        }
    }
    session.end();
    if (environment.err != nullptr) {
        *environment.err << "Test stopped.\n";
    }
    return kSuccess;
}

}  // namespace orv::cli
