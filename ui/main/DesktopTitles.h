#pragma once
// The titles the desktop shows for the tool's windows (task switcher, taskbar), in the current
// language. The windows keep their lookup titles ("ORVMainWindow", "SaveTipsFrom", ...) for
// finding each other; these are only what people read.

#include <string>

#include "text/TextStore.h"

namespace orv {

// Text number of the readable title of the window with this lookup title; 0 when it has none.
int desktopTitleText(const std::string& lookupTitle);
// The readable title in the store's current language; "" when there is none (the desktop then
// shows the lookup title).
std::string desktopTitle(const TextStore& texts, const std::string& lookupTitle);

}  // namespace orv
