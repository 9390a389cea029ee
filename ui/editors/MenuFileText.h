#pragma once
// The menu-file rewrites the editors make before a menu shows, over the menu files of the
// toolkit's resource folder. Failures are silent: the menu then shows the file as it is.

#include <string>

#include "device/SettingRecords.h"

namespace orv::editor {

// Sets the "text" of the first MenuElement named `item` in `menuFile` (a file name in the
// resource folder); UTF-8.
void setMenuItemText(const std::string& menuFile, const std::string& item, const std::string& text);
// Removes the "Cap" item in PC mode; adds it (text "Capture") in NS mode when missing.
void fitCaptureItem(const std::string& menuFile, HostMode mode);

}  // namespace orv::editor
