#include "device/ConnectionWorker.h"

#include <thread>

#include "device/ControllerDiscovery.h"
#include "device/VendorProtocol.h"

namespace orv {

namespace {

bool readMode(DeviceLink& link, ProfileImages& images, HostMode mode) {
    const auto modeByte = static_cast<std::uint8_t>(mode);
    if (!Select(link, modeByte, vendor::kNoSelection)) {
        return false;
    }
    link.clock->sleepFor(kSelectPause);
    for (std::uint8_t profile = 0; profile < 6; ++profile) {
        if (!ReadProfile(link, modeByte, profile)) {
            return false;
        }
        images.workingBlock = link.receivedBlock;
        images.profiles(mode).push_back(images.workingBlock);
        const SwitchModeList pairs = images.workingBlock.switchModePairs();
        images.switchModes(mode).push_back(pairs);
        images.savedSwitchModes(mode).push_back(pairs);
    }
    return true;
}

}  // namespace

bool readAllProfiles(DeviceLink& link, ProfileImages& images) {
    std::lock_guard<std::recursive_mutex> lock(link.commandLock);
    if (!link.hidDevice) {
        link.lastError = "no controller open";
        return false;
    }
    images.nsProfiles.clear();
    images.pcProfiles.clear();
    for (HostMode mode : {HostMode::NS, HostMode::PC}) {
        images.switchModes(mode).clear();
        images.savedSwitchModes(mode).clear();
    }
    if (!readMode(link, images, HostMode::NS) || !readMode(link, images, HostMode::PC)) {
        return false;
    }
    if (!Select(link, static_cast<std::uint8_t>(HostMode::NS), vendor::kNoSelection)) {
        return false;
    }
    link.clock->sleepFor(kSelectPause);
    return true;
}

ConnectionWorker::ConnectionWorker(DeviceLink& link, ProfileImages& images,
                                   MessageTarget& mainWindow)
    : link_(link), images_(images), mainWindow_(mainWindow) {}

void ConnectionWorker::finish(ConnectResult result) {
    mainWindow_.post(ConnectResultMessage, static_cast<std::uintptr_t>(result), 0);
}

void ConnectionWorker::run() {
    mainWindow_.post(MainWindowMessage, kShowLoadingWindowCode, 0);
    link_.connected = 0;
    ProductIdentity found = findController(link_);
    link_.probeResult = static_cast<std::uint32_t>(found);

    if (found == ProductIdentity::Ordinary) {
        link_.probeResult = kProbeSwitching;
        // findController only returns Ordinary with the handle open; the check keeps the read
        // below from running on nothing should that ever change.
        if (link_.hidDevice) {
            sendSwitchRequest(link_);
            found = ProductIdentity::None;
            for (int search = 0; search < kSwitchSearches; ++search) {
                link_.clock->sleepFor(kSwitchSearchWait);
                found = findController(link_);
                link_.probeResult = static_cast<std::uint32_t>(found);
                if (found == ProductIdentity::Configuration) {
                    break;
                }
            }
            if (found != ProductIdentity::Configuration) {
                link_.probeResult = static_cast<std::uint32_t>(ProductIdentity::None);
                found = ProductIdentity::None;
            }
        }
    }
    if (found == ProductIdentity::None) {
        finish(ConnectResult::NotFound);
        return;
    }
    if (found == ProductIdentity::Rejected) {
        finish(ConnectResult::Rejected);
        return;
    }
    if (readAllProfiles(link_, images_)) {
        // Set before posting: the device-change handler may run as soon as the message is out.
        link_.connected = 1;
        finish(ConnectResult::Connected);
    } else {
        finish(ConnectResult::ReadFailed);
    }
}

void ConnectionWorker::startDetached(DeviceLink& link, ProfileImages& images,
                                     std::shared_ptr<MessageTarget> mainWindow) {
    std::thread([&link, &images, mainWindow] {
        ConnectionWorker(link, images, *mainWindow).run();
    }).detach();
}

}  // namespace orv
