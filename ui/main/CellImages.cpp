#include "ui/main/CellImages.h"

#include <array>
#include <string_view>

namespace orv {

namespace {

struct CodeImages {
    std::string_view nsImage;
    std::string_view pcImage;
    std::string_view nsPart;
    std::string_view pcPart;
};

// Codes 0..17; code 17 has no picture in PC mode (the empty cell).
constexpr std::array<CodeImages, 18> kCodeImages = {{
    {"default_up.png", "default_up.png", "Up", "Up"},
    {"default_dowm.png", "default_dowm.png", "Down", "Down"},
    {"default_left.png", "default_left.png", "Left", "Left"},
    {"default_right.png", "default_right.png", "Right", "Right"},
    {"default_y.png", "default_y.png", "Y", "Y"},
    {"default_b.png", "default_b.png", "B", "B"},
    {"default_a.png", "default_a.png", "A", "A"},
    {"default_x.png", "default_x.png", "X", "X"},
    {"default_L.png", "default_LB.png", "L", "LB"},
    {"default_r.png", "default_RB.png", "R", "RB"},
    {"default_zl.png", "default_LT.png", "ZL", "LT"},
    {"default_zr.png", "default_RT.png", "ZR", "RT"},
    {"default_minus.png", "default_BACK.png", "Minus", "BACK"},
    {"default_plus.png", "default_START.png", "PLUS", "START"},
    {"default_lsb.png", "default_lsb.png", "LSB", "LSB"},
    {"default_rsb.png", "default_rsb.png", "RSB", "RSB"},
    {"default_home.png", "default_home.png", "HOME", "HOME"},
    {"default_cap.png", "", "Cap", ""},
}};

constexpr FunctionCode kCaptureCode = 17;

bool isPcCapture(FunctionCode code, HostMode mode) {
    return code == kCaptureCode && mode == HostMode::PC;
}

enum class Look { Normal, Selected, NonDefault };

AttributeList emptyCell(Look look, FunctionCode code, HostMode mode, const std::string& prefix,
                        const std::string& emptyText) {
    const bool pcCapture = isPcCapture(code, mode);
    AttributeList attributes;
    if (!(look == Look::Selected && pcCapture)) {
        attributes.emplace_back("font", "3");
    }
    attributes.emplace_back("text", emptyText);
    switch (look) {
        case Look::Normal:
            attributes.emplace_back("normalimage", pcCapture ? "file='Resources/default_empty.png'"
                                                             : "default_empty.png");
            attributes.emplace_back("hotimage", prefix + "_empty_sel.png");
            break;
        case Look::Selected:
            attributes.emplace_back("normalimage", prefix + "_empty_sel.png");
            break;
        case Look::NonDefault:
            attributes.emplace_back("normalimage", prefix + "_empty_hot.png");
            if (!pcCapture) {
                attributes.emplace_back("hotimage", prefix + "_empty_sel.png");
            }
            break;
    }
    return attributes;
}

AttributeList cellLook(Look look, FunctionCode code, HostMode mode, std::uint32_t profile,
                       const std::string& emptyText) {
    const std::string prefix = profilePrefix(profile);
    switch (cellKind(code, mode)) {
        case CellKind::NoImage:
            return {{"text", ""}};
        case CellKind::Empty:
            return emptyCell(look, code, mode, prefix, emptyText);
        case CellKind::Image:
            break;
    }
    const std::string part = cellNamePart(code, mode);
    AttributeList attributes{{"text", ""}};
    switch (look) {
        case Look::Normal: {
            const CodeImages& images = kCodeImages[code];
            attributes.emplace_back("normalimage",
                                    mode == HostMode::PC ? images.pcImage : images.nsImage);
            attributes.emplace_back("hotimage", prefix + "_sel_" + part + ".png");
            break;
        }
        case Look::Selected:
            attributes.emplace_back("normalimage", prefix + "_sel_" + part + ".png");
            break;
        case Look::NonDefault:
            attributes.emplace_back("normalimage", prefix + "_hot_" + part + ".png");
            break;
    }
    return attributes;
}

}  // namespace

std::string profilePrefix(std::uint32_t profile) {
    return "profile" + std::to_string(profile);
}

CellKind cellKind(FunctionCode code, HostMode mode) {
    if (code < kCodeImages.size()) {
        return isPcCapture(code, mode) ? CellKind::Empty : CellKind::Image;
    }
    // Values above 31 are carried unchanged and shown like "nothing".
    return code >= kFunctionNone ? CellKind::Empty : CellKind::NoImage;
}

std::string cellNamePart(FunctionCode code, HostMode mode) {
    if (cellKind(code, mode) != CellKind::Image) {
        return {};
    }
    const CodeImages& images = kCodeImages[code];
    return std::string(mode == HostMode::PC ? images.pcPart : images.nsPart);
}

AttributeList cellImageNormal(FunctionCode code, HostMode mode, std::uint32_t profile,
                              const std::string& emptyText) {
    return cellLook(Look::Normal, code, mode, profile, emptyText);
}

AttributeList cellImageSelected(FunctionCode code, HostMode mode, std::uint32_t profile,
                                const std::string& emptyText) {
    return cellLook(Look::Selected, code, mode, profile, emptyText);
}

AttributeList cellImageNonDefault(FunctionCode code, HostMode mode, std::uint32_t profile,
                                  const std::string& emptyText) {
    return cellLook(Look::NonDefault, code, mode, profile, emptyText);
}

}  // namespace orv
