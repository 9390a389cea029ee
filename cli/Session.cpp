#include "cli/Session.h"

#include <ostream>

#include "device/ConnectionHandling.h"
#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "device/VendorProtocol.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingsDatabase.h"

namespace orv::cli {

namespace {

// Receives the connection worker's messages; the worker runs on the calling thread here.
class ResultRecorder final : public MessageTarget {
public:
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override {
        if (message == ConnectResultMessage) {
            result = static_cast<ConnectResult>(wParam);
            received = true;
        }
    }
    ConnectResult result = ConnectResult::NotFound;
    bool received = false;
};

}  // namespace

bool isPermissionFailure(const std::string& error) {
    return error.compare(0, hid::kPermissionFailurePrefix.size(), hid::kPermissionFailurePrefix) ==
           0;
}

Session::Session(const Environment& runEnvironment)
    : files(SettingsFiles::beside(runEnvironment.dataFolder)), environment(runEnvironment) {
    context.device.backend = runEnvironment.backend;
    context.device.clock = runEnvironment.clock;
}

Session::~Session() {
    end();
}

void Session::progress(const std::string& line) const {
    if (environment.progress && environment.err != nullptr) {
        *environment.err << line << '\n' << std::flush;
    }
}

int Session::fail(int code, const std::string& what) const {
    if (environment.err != nullptr) {
        *environment.err << "orvctl: " << what << '\n' << std::flush;
    }
    return code;
}

int Session::deviceFailure(const std::string& what) const {
    const std::string reason =
        context.device.lastError.empty() ? what : what + ": " + context.device.lastError;
    return fail(kDeviceError, reason + "; check the cable and run the command again");
}

int Session::connect(bool stopEndsCommand) {
    if (!context.text.open(std::filesystem::path(environment.dataFolder) / "MultiLingual.db")) {
        return fail(kFailure, "cannot read the tool's texts: " + context.text.lastError() +
                                  "; reinstall the tool");
    }
    if (environment.backend == nullptr) {
        return fail(kFailure, "no HID backend");
    }
    progress("Looking for the controller...");
    ResultRecorder recorder;
    ConnectionWorker(context.device, context.images, recorder).run();
    // The same state changes the window makes on the result (host mode NS, probe result).
    handleConnectResult(context.device, context.images,
                        static_cast<std::uintptr_t>(recorder.result));
    switch (recorder.result) {
        case ConnectResult::Connected:
            if (stopEndsCommand && environment.stopRequested()) {
                return fail(kInterrupted, "interrupted; nothing was written");
            }
            progress("Read all twelve profiles.");
            return kSuccess;
        case ConnectResult::Rejected:
            return fail(kDeviceError,
                        "the controller shows an identity this tool cannot configure; plug it "
                        "in again and retry");
        case ConnectResult::ReadFailed:
            return deviceFailure("reading the profiles failed");
        case ConnectResult::NotFound:
            break;
    }
    // The search keeps only its last probe's reason; a controller that is present but may not
    // be opened is told apart here, so the user learns about the udev rule.
    for (const hid::DeviceInfo& info : environment.backend->enumerate()) {
        if (info.vendorId != kVendorId) {
            continue;
        }
        std::string error;
        if (!environment.backend->open(info, error) && isPermissionFailure(error)) {
            return fail(kPermissionDenied, error);
        }
    }
    return fail(kNoController,
                "no controller found; plug it in (see `orvctl list`) and run the command again");
}

bool Session::enterProfile(HostMode mode, std::uint32_t number) {
    ProfileImages& images = context.images;
    if (!Select(context.device, static_cast<std::uint8_t>(mode), vendor::kNoSelection)) {
        deviceFailure("the controller did not switch to host mode " +
                      std::string(mode == HostMode::PC ? "PC" : "NS"));
        return false;
    }
    images.hostMode = mode;
    // The factory image of the mode, as the window loads it on a mode change; only a reset
    // needs it, and the reset reports a missing file itself.
    static_cast<void>(loadFactoryImage(context.profile, images, files, mode));
    images.currentProfile = number;
    flags = EditingFlags{};
    ProfileContext parts = profileContext();
    const ProfileOutcome outcome = activateProfileForEditing(parts);
    if (!outcome.succeeded) {
        deviceFailure("the controller did not select profile " + std::to_string(number));
        return false;
    }
    return true;
}

void Session::end() {
    if (ended_) {
        return;
    }
    ended_ = true;
    DeviceLink& link = context.device;
    if (!link.hidDevice) {
        return;
    }
    if (link.probeResult == static_cast<std::uint32_t>(ProductIdentity::Configuration)) {
        if (testMode_) {
            // Any frame ends test mode; a Select that keeps both settings changes nothing else.
            static_cast<void>(Select(link, vendor::kNoSelection, vendor::kNoSelection));
        }
        // Only the configuration identity is switched: the same request would move an
        // ordinary controller into configuration.
        sendSwitchRequest(link);
    }
    link.hidDevice.reset();
}

}  // namespace orv::cli
