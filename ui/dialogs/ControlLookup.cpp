#include "ui/dialogs/ControlLookup.h"

#include <cstdio>

namespace orv {

kit::Control* ControlLookup::find(std::string_view name) {
    kit::Control* control = manager_.FindControl(name);
    if (control == nullptr) {
        missing_.emplace_back(name);
    }
    return control;
}

bool ControlLookup::report(const std::string& windowTitle) const {
    if (missing_.empty()) {
        return true;
    }
    std::string names;
    for (const std::string& name : missing_) {
        names += names.empty() ? "" : ", ";
        names += name;
    }
    std::fprintf(stderr, "%s: the skin lacks the controls %s\n", windowTitle.c_str(),
                 names.c_str());
    return false;
}

}  // namespace orv
