#pragma once
// The main window's reactions to the connection worker's result and to device-change
// notifications: the decisions and state changes, with what the window must then do returned
// as a plain record. Both run on the UI thread.

#include <cstdint>
#include <functional>

#include "device/ControllerState.h"
#include "device/MessageTarget.h"

namespace orv {

// Texts of the rejected-identity message box.
inline constexpr int kRejectedMessageText = 82;
inline constexpr int kRejectedMessageCaption = 77;
inline constexpr std::chrono::milliseconds kReconnectPause{100};

struct ConnectResultReaction {
    bool closeLoadingWindow = false;  // post a close to "Tavi7316LoadingForm"
    // Result 1: hostMode is NS and probeResult 2 already; the window refreshes the overview,
    // shows the controller layout, marks "NSOption", paints the profile marks and starts its
    // 200 ms hover timer.
    bool showOverview = false;
    bool postConnectionPrompt = false;   // post MainWindowMessage code 18 to itself
    bool showRejectedAndQuit = false;    // box with texts 82 / 77, then the quit message
    bool openInitFailurePrompt = false;  // "InitFaileForm"
};

// Reaction to ConnectResultMessage with `wParam` (a ConnectResult; other values: nothing).
ConnectResultReaction handleConnectResult(DeviceLink& link, ProfileImages& images,
                                          std::uintptr_t wParam);

struct DeviceChangeReaction {
    bool closeConnectionPrompt = false;  // post a close to "ConnectionForm"
    bool startWorker = false;            // start a new ConnectionWorker, detached
    bool postConnectionPrompt = false;   // post MainWindowMessage code 18 to itself
};

// Reaction to a device-change notification `wParam` (hid::kDeviceArrival or
// hid::kDeviceRemoveComplete; other values: nothing). `connectionPromptOpen`: whether a window
// titled "ConnectionForm" exists. An arrival that restarts the worker clears
// reconnectPromptShown and waits 100 ms on the link's clock first; a removal while connected
// probes once and asks for the prompt only once until the next arrival.
DeviceChangeReaction handleDeviceChange(DeviceLink& link, std::uintptr_t wParam,
                                        bool connectionPromptOpen);

// Asks the backend to deliver device changes to `listener` (from any thread). False when the
// backend cannot watch.
bool registerDeviceNotifications(DeviceLink& link, std::function<void(std::uint32_t)> listener);

}  // namespace orv
