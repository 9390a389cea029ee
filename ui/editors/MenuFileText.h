#pragma once
// The menu-file rewrites the editors make before a menu shows, on the menu files of the
// toolkit's resource folder. Failures are silent: the menu then shows the file as it is.

#include <string>
#include <utility>
#include <vector>

#include "device/SettingRecords.h"

namespace orv::editor {

// (item name, text), UTF-8.
using MenuItemTexts = std::vector<std::pair<std::string, std::string>>;

// Sets the "text" of the first MenuElement of each name in `menuFile` (a file name in the
// resource folder), in order, with one read and one write of the file.
void setMenuItemTexts(const std::string& menuFile, const MenuItemTexts& texts);
// Removes the "Cap" item in PC mode; adds it (text "Capture") in NS mode when missing.
void fitCaptureItem(const std::string& menuFile, HostMode mode);

}  // namespace orv::editor
