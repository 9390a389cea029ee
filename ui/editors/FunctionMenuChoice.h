#pragma once
// The assignment menus of the two button editors: what a chosen item shows on the button and
// which item name it hands on (to the function code and to the main window's cell), and, the
// other way round, which item name a stored function code stands for.

#include <optional>
#include <string>
#include <string_view>

#include "device/SettingRecords.h"

namespace orv {
class TextStore;
}

namespace orv::editor {

struct FunctionMenuChoice {
    std::string buttonText;  // shown on the assignment button
    std::string value;       // item name handed on ("LB" for item "L" in PC mode, ...)
};

// How item "Cap" reads on the button: the function editor spells it out, the long-press
// switch editor's narrower position buttons abbreviate it.
enum class CaptureWording : std::uint8_t { Capture, Cap };

// nullopt for an item the menus do not offer.
std::optional<FunctionMenuChoice> functionMenuChoice(std::string_view itemName, HostMode mode,
                                                     const TextStore& texts,
                                                     CaptureWording wording);

// The value functionMenuChoice hands on for the item that produces `code` in `mode`
// ("LB"/"L" for 8, "START"/"Plus" for 13, "Up" for 0, "nothing" for 31); "" for a code no
// item produces.
std::string itemNameOfCode(FunctionCode code, HostMode mode);

}  // namespace orv::editor
