#pragma once
// The looks of a button cell as attribute values: which image shows a function code in the
// normal, selected and non-default look, in each host mode. Plain values; the panel sets them.
//
// File names are used exactly as the art has them, mixed case included ("_sel_PLUS.png" next
// to "_sel_Minus.png", "default_dowm.png").

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "device/SettingRecords.h"

namespace orv {

// (attribute, value) pairs in the order they are to be set.
using AttributeList = std::vector<std::pair<std::string, std::string>>;

// "profile" + the profile number in decimal ("profile3").
std::string profilePrefix(std::uint32_t profile);

enum class CellKind : std::uint8_t {
    Image,    // a function with its own picture
    Empty,    // nothing assigned (31 and values above; 17 in PC mode): the empty cell
    NoImage,  // 18..30: the text is cleared, the picture stays
};
CellKind cellKind(FunctionCode code, HostMode mode);

// The part of the image names that names the function ("Up", "PLUS", "LB"); "" unless Image.
std::string cellNamePart(FunctionCode code, HostMode mode);

// Attributes of the three looks. `emptyText` is the label of the empty cell (text 35).
AttributeList cellImageNormal(FunctionCode code, HostMode mode, std::uint32_t profile,
                              const std::string& emptyText);
AttributeList cellImageSelected(FunctionCode code, HostMode mode, std::uint32_t profile,
                                const std::string& emptyText);
AttributeList cellImageNonDefault(FunctionCode code, HostMode mode, std::uint32_t profile,
                                  const std::string& emptyText);

}  // namespace orv
