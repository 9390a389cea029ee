// orv_usb_device: the simulated controller as a USB device on the kernel's virtual host
// controller (vhci-hcd), so the real HID stack (usbhid, hidraw, udev, libusb) talks to it.
//
//   orv_usb_device [--state=FILE] [--product=0x0A10] [--unplug-at-report=N]
//                  [--replug-after=MS] [--unplug-stamp=FILE] [--port=N] [--vhci=FOLDER]
//                  [--verbose]
//
// --unplug-stamp: each time the controller leaves the bus by unplugging, the monotonic clock
// (CLOCK_MONOTONIC nanoseconds, shared by every process of the machine) is written to FILE,
// so a check can measure how long the host took to notice.
//
// SIGUSR1 unplugs the controller (power gone: uncommitted images are lost), SIGUSR2 plugs it
// in again; SIGTERM and SIGINT detach it and end the program. Needs root (the sysfs files of
// vhci-hcd) and the vhci-hcd module loaded.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "device/Clock.h"
#include "device/ControllerState.h"
#include "sim/SimulatedController.h"
#include "sim/usbip/UsbDeviceSession.h"
#include "sim/usbip/VhciAttachment.h"

namespace {

using namespace orv;
using namespace orv::sim;
using namespace orv::sim::usbip;

volatile std::sig_atomic_t unplugRequests = 0;
volatile std::sig_atomic_t plugRequests = 0;
volatile std::sig_atomic_t stopRequested = 0;

constexpr std::chrono::milliseconds kSupervisorTick{2};

struct Options {
    std::string stateFile;
    std::uint16_t productId = kOrdinaryProductId;
    std::size_t unplugAtReport = 0;
    long replugAfterMs = -1;  // < 0: stay unplugged
    std::string unplugStamp;
    int port = 0;
    std::string vhci = kVhciFolder;
    bool verbose = false;
};

bool value(std::string_view argument, std::string_view name, std::string& out) {
    if (argument.substr(0, name.size()) != name) {
        return false;
    }
    out = std::string(argument.substr(name.size()));
    return true;
}

bool parse(int argc, char** argv, Options& options) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        std::string text;
        if (value(argument, "--state=", text)) {
            options.stateFile = text;
        } else if (value(argument, "--product=", text)) {
            options.productId = static_cast<std::uint16_t>(std::strtoul(text.c_str(), nullptr, 0));
        } else if (value(argument, "--unplug-at-report=", text)) {
            options.unplugAtReport = std::strtoul(text.c_str(), nullptr, 0);
        } else if (value(argument, "--replug-after=", text)) {
            options.replugAfterMs = std::strtol(text.c_str(), nullptr, 0);
        } else if (value(argument, "--unplug-stamp=", text)) {
            options.unplugStamp = text;
        } else if (value(argument, "--port=", text)) {
            options.port = std::atoi(text.c_str());
        } else if (value(argument, "--vhci=", text)) {
            options.vhci = text;
        } else if (argument == "--verbose") {
            options.verbose = true;
        } else {
            std::fprintf(stderr, "orv_usb_device: unknown argument %s\n", argv[i]);
            return false;
        }
    }
    return true;
}

void log(const Options& options, const std::string& text) {
    if (options.verbose) {
        std::fprintf(stderr, "orv_usb_device: %s\n", text.c_str());
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (!parse(argc, argv, options)) {
        return 2;
    }
    std::signal(SIGUSR1, [](int) { unplugRequests = unplugRequests + 1; });
    std::signal(SIGUSR2, [](int) { plugRequests = plugRequests + 1; });
    std::signal(SIGTERM, [](int) { stopRequested = 1; });
    std::signal(SIGINT, [](int) { stopRequested = 1; });

    ControllerOptions controllerOptions = ControllerOptions::poweringOnAs(options.productId);
    controllerOptions.stateFile = options.stateFile;
    SimulatedController controller(SystemClock::instance(), controllerOptions);
    SimFaults faults;
    faults.unplugAtReport = options.unplugAtReport;
    // The kernel's bus carries the reports here; the model adds no time of its own.
    faults.reportDelay = std::chrono::microseconds(0);
    controller.setFaults(faults);
    controller.setListener([&options, &controller](std::uint32_t event) {
        // An identity switch also leaves the bus, but with power on; only unplugs count.
        if (event != hid::kDeviceRemoveComplete || options.unplugStamp.empty() ||
            controller.plugged()) {
            return;
        }
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        if (std::FILE* file = std::fopen(options.unplugStamp.c_str(), "w")) {
            std::fprintf(file, "%lld\n",
                         static_cast<long long>(
                             std::chrono::duration_cast<std::chrono::nanoseconds>(now).count()));
            std::fclose(file);
        }
    });

    VhciAttachment vhci(options.vhci, options.port);
    std::unique_ptr<UsbDeviceSession> session;
    std::uint64_t deadConnection = 0;  // a connection the host dropped on its own
    std::uint32_t devid = 0x00010001;
    bool replugPending = false;
    std::chrono::steady_clock::time_point replugAt{};
    int handledUnplugs = 0;
    int handledPlugs = 0;
    int status = 0;

    const auto detach = [&](const char* why) {
        if (!session) {
            return;
        }
        std::string error;
        if (session->running() && !vhci.detach(error)) {
            std::fprintf(stderr, "orv_usb_device: %s\n", error.c_str());
        }
        session.reset();
        log(options, std::string("detached (") + why + ")");
    };

    while (stopRequested == 0) {
        if (unplugRequests != handledUnplugs) {
            handledUnplugs = unplugRequests;
            controller.unplug();
            log(options, "unplugged on request");
        }
        if (plugRequests != handledPlugs) {
            handledPlugs = plugRequests;
            controller.plug();
            log(options, "plugged in on request");
        }
        const std::optional<std::uint16_t> productId = controller.productId();
        const std::uint64_t connection = controller.connection();
        if (!controller.plugged() && !replugPending && options.replugAfterMs >= 0) {
            replugPending = true;
            replugAt = std::chrono::steady_clock::now() +
                       std::chrono::milliseconds(options.replugAfterMs);
        }
        if (replugPending && std::chrono::steady_clock::now() >= replugAt) {
            replugPending = false;
            controller.plug();
            log(options, "plugged in again");
            continue;
        }
        if (session && (!productId || session->connection() != connection)) {
            detach(productId ? "new connection" : "off the bus");
        }
        if (session && !session->running()) {
            log(options, "host ended the connection: " + session->endReason());
            deadConnection = session->connection();
            session.reset();
        }
        if (!session && productId && connection != deadConnection) {
            std::string error;
            const int fd = vhci.attach(devid++, error);
            if (fd < 0) {
                std::fprintf(stderr, "orv_usb_device: %s\n", error.c_str());
                status = 1;
                break;
            }
            char id[8];
            std::snprintf(id, sizeof id, "%04x", *productId);
            log(options, std::string("attached as 7a31:") + id);
            session = std::make_unique<UsbDeviceSession>(controller, *productId, connection, fd);
        }
        std::this_thread::sleep_for(kSupervisorTick);
    }
    detach("exit");
    if (!controller.stateError().empty()) {
        std::fprintf(stderr, "orv_usb_device: %s\n", controller.stateError().c_str());
        status = 1;
    }
    return status;
}
