#pragma once
// The connection worker: finds the controller, switches it out of its ordinary identity, reads
// all twelve images into ProfileImages and reports the outcome to the main window by posted
// messages: MainWindowMessage 17 first, then exactly one ConnectResultMessage.
//
// It runs alone: while it runs the UI thread shows the modal loading window and touches
// neither the link nor the images; it reads them only after the result message. `connected` is
// 1 before the success message is posted. A run takes up to about five seconds when nothing is
// found, longer while an identity switch does not complete (50 further searches).

#include <memory>

#include "device/ControllerState.h"
#include "device/MessageTarget.h"

namespace orv {

inline constexpr int kSwitchSearches = 50;
inline constexpr std::chrono::milliseconds kSwitchSearchWait{100};
inline constexpr std::chrono::milliseconds kSelectPause{10};  // after each Select of the read

// Reads the six NS and the six PC images (Select 0, ReadProfile 0..5, Select 1, ReadProfile
// 0..5, Select 0, each Select followed by a 10 ms pause), appending each to its mode's list,
// to workingBlock and its switch-mode pairs to both switch-mode lists of its mode. The lists
// are emptied first; a failure part way leaves what was read. False without a handle or on
// any failed command. Leaves the controller in host mode NS.
bool readAllProfiles(DeviceLink& link, ProfileImages& images);

class ConnectionWorker {
public:
    ConnectionWorker(DeviceLink& link, ProfileImages& images, MessageTarget& mainWindow);

    // The body of the connection thread.
    void run();

    // Runs a worker on a new detached thread. The link and the images must live until the
    // process ends (they are parts of the process-wide context); the target is shared.
    static void startDetached(DeviceLink& link, ProfileImages& images,
                              std::shared_ptr<MessageTarget> mainWindow);

private:
    void finish(ConnectResult result);

    DeviceLink& link_;
    ProfileImages& images_;
    MessageTarget& mainWindow_;
};

}  // namespace orv
