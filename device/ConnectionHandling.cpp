#include "device/ConnectionHandling.h"

#include "device/ControllerDiscovery.h"

namespace orv {

ConnectResultReaction handleConnectResult(DeviceLink& link, ProfileImages& images,
                                          std::uintptr_t wParam) {
    ConnectResultReaction reaction;
    switch (static_cast<ConnectResult>(wParam)) {
        case ConnectResult::Connected:
            reaction.closeLoadingWindow = true;
            images.hostMode = HostMode::NS;
            link.probeResult = static_cast<std::uint32_t>(ProductIdentity::Configuration);
            reaction.showOverview = true;
            break;
        case ConnectResult::NotFound:
            reaction.closeLoadingWindow = true;
            link.probeResult = static_cast<std::uint32_t>(ProductIdentity::None);
            reaction.postConnectionPrompt = true;
            break;
        case ConnectResult::Rejected:
            reaction.closeLoadingWindow = true;
            reaction.showRejectedAndQuit = true;
            break;
        case ConnectResult::ReadFailed:
            reaction.closeLoadingWindow = true;
            reaction.openInitFailurePrompt = true;
            break;
        default:
            break;
    }
    return reaction;
}

DeviceChangeReaction handleDeviceChange(DeviceLink& link, std::uintptr_t wParam,
                                        bool connectionPromptOpen) {
    DeviceChangeReaction reaction;
    if (wParam == hid::kDeviceArrival) {
        if (link.connected == 0 && connectionPromptOpen) {
            reaction.closeConnectionPrompt = true;
            link.reconnectPromptShown = 0;
            link.clock->sleepFor(kReconnectPause);
            reaction.startWorker = true;
        }
    } else if (wParam == hid::kDeviceRemoveComplete) {
        if (link.connected == 1) {
            const ProductIdentity found = probeController(link);
            link.probeResult = static_cast<std::uint32_t>(found);
            if (found != ProductIdentity::Configuration && link.reconnectPromptShown == 0) {
                link.connected = 0;
                reaction.postConnectionPrompt = true;
                link.reconnectPromptShown = 1;
            }
        }
    }
    return reaction;
}

bool registerDeviceNotifications(DeviceLink& link, std::function<void(std::uint32_t)> listener) {
    return link.backend != nullptr && link.backend->watchDeviceChanges(std::move(listener));
}

}  // namespace orv
