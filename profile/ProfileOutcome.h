#pragma once
// What the profile operations hand back to the main window: the context parts they work on,
// the window's editing flags, and what the window must show afterwards. The operations change
// only the model and the controller; every visible effect is the window's, told here.

#include <cstdint>
#include <optional>
#include <string>

#include "device/ControllerState.h"
#include "profile/ProfileState.h"
#include "profile/SettingsFiles.h"

namespace orv {

// The parts of the process-wide context a profile operation uses.
struct ProfileContext {
    ProfileImages& images;
    ProfileState& profile;
    DeviceLink& device;
    const SettingsFiles& files;
};

// The main window's four editing flags, all clear when a profile is activated or created.
struct EditingFlags {
    bool slotReplaced = false;       // the stored image of the current profile was replaced
    bool savedToDevice = false;      // the working image was written to the controller
    bool newProfileMade = false;     // editing began by creating the profile
    bool importBackupTaken = false;  // an import already took the backup
    bool operator==(const EditingFlags&) const = default;
};

enum class MessageIcon : std::uint8_t { Warning, Exclamation };

// A message box owned by the main window: message and caption are text numbers.
struct MessageNotice {
    int text = 0;
    int caption = 0;
    MessageIcon icon = MessageIcon::Warning;
    bool operator==(const MessageNotice&) const = default;
};

// Text numbers the profile operations ask for.
inline constexpr int kCaptionText = 77;           // caption of the profile warnings
inline constexpr int kNewProfileFailedText = 78;  // the new profile could not be made
inline constexpr int kNoProfileChosenText = 79;   // import/export without a chosen profile
inline constexpr int kSaveFailedText = 111;       // saving to the controller failed
inline constexpr int kImportRefusedText = 112;    // the chosen file is not a settings file

struct ProfileOutcome {
    bool succeeded = false;
    // Text for the current profile's name button, when it changes.
    std::optional<std::string> nameButtonText;
    // Redraw the button panel from workingBlock, clear nonDefaultCells and re-enable the
    // panel's controls.
    bool refreshPanel = false;
    // PC mode after a factory reset: draw the Home cell as the empty cell.
    bool drawHomeCellEmpty = false;
    // Show "ResetBtn", "SaveBtn", "RestoreLastTimeBtn" and "TestPlayBtn".
    bool showEditingButtons = false;
    // Repaint the profile tab marks (after a successful save).
    bool repaintProfileMarks = false;
    // Record the current profile's customised-name mark with this value.
    std::optional<bool> customisedMark;
    // A message box to show, if any.
    std::optional<MessageNotice> message;
    // Why the operation failed (for logs and tests; never shown as such).
    std::string detail;
};

}  // namespace orv
