// The desktop's own file chooser through the XDG desktop portal
// (org.freedesktop.portal.FileChooser on the session bus). Internal to the toolkit.
#pragma once

#include <optional>
#include <string>

#include "ui/kit/FileDialog.h"

class QWidget;

namespace orv::kit {

struct PortalAnswer {
    bool portalAnswered = false;      // false: no portal runs; show Qt's own dialog instead
    std::optional<std::string> path;  // the chosen local file; nothing when cancelled
};

// Asks the portal when one is running on the session bus (the bus is only looked at when the
// session names one, so nothing is ever started for it). `parent` becomes the chooser's parent
// window on X11. Waits in a local event loop until the user answers; windows keep painting.
PortalAnswer AskPortalFileChooser(const FileDialogRequest& request, QWidget* parent);

}  // namespace orv::kit
