#include "ui/editors/MenuFileText.h"

namespace orv::editor {

void setMenuItemText(const std::string& /*menuFile*/, const std::string& /*item*/,
                     const std::string& /*text*/) {}

void fitCaptureItem(const std::string& /*menuFile*/, HostMode /*mode*/) {}

}  // namespace orv::editor
