#pragma once
// The menu-file rewrites the editors make before a menu shows, on the file the toolkit opens the
// menu from (kit::PaintManager::GetMenuFile: the user's copy when a menu folder is set).
// Failures are silent for the user: the menu then shows the file as it is. A file inside the
// shipped data folder is never written: the rewrite is refused (WriteFailed) and the file stays
// byte for byte as shipped.

#include <string>
#include <utility>
#include <vector>

#include "device/SettingRecords.h"
#include "text/MenuDefinition.h"

namespace orv::editor {

// (item name, text), UTF-8.
using MenuItemTexts = std::vector<std::pair<std::string, std::string>>;

// Sets the "text" of the first MenuElement of each name in `menuFile` (a menu file name of the
// resource folder), in order, with one read and one write of the file.
MenuRewrite setMenuItemTexts(const std::string& menuFile, const MenuItemTexts& texts);
// Removes the "Cap" item in PC mode; adds it (text "Capture") in NS mode when missing.
MenuRewrite fitCaptureItem(const std::string& menuFile, HostMode mode);

}  // namespace orv::editor
