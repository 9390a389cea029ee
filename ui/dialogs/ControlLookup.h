#pragma once
// Looks up a window's named controls once, at start-up, and reports every missing name at
// once. A missing control is null and callers skip it; nothing dereferences a failed lookup.

#include <string>
#include <string_view>
#include <vector>

#include "ui/kit/Control.h"
#include "ui/kit/PaintManager.h"

namespace orv {

class ControlLookup {
public:
    explicit ControlLookup(const kit::PaintManager& manager) : manager_(manager) {}

    // The control named `name`, or nullptr (and the name noted as missing).
    kit::Control* find(std::string_view name);
    // The names asked for but not found, in the order asked.
    const std::vector<std::string>& missing() const { return missing_; }
    // Writes one line naming every missing control of `windowTitle` to stderr; nothing when
    // all were found. Returns whether all were found.
    bool report(const std::string& windowTitle) const;

private:
    const kit::PaintManager& manager_;
    std::vector<std::string> missing_;
};

// Sets an attribute when the control exists.
inline void setAttribute(kit::Control* control, std::string_view name, std::string_view value) {
    if (control != nullptr) {
        control->SetAttribute(name, value);
    }
}
inline void setText(kit::Control* control, std::string_view text) {
    setAttribute(control, "text", text);
}
inline void setVisible(kit::Control* control, bool visible) {
    if (control != nullptr) {
        control->SetVisible(visible);
    }
}
inline void setEnabled(kit::Control* control, bool enabled) {
    if (control != nullptr) {
        control->SetEnabled(enabled);
    }
}

}  // namespace orv
