#pragma once
// The tool's command line: none for a user; --simulate[=STATEFILE] runs against the simulated
// controller, --screenshot=FILE saves the main window once the overview shows and exits.

#include <optional>
#include <string>
#include <vector>

namespace orv {

struct ToolOptions {
    std::optional<std::string> simulationStateFile;  // set: simulated controller ("" no file)
    std::string screenshotFile;                      // "" none
    std::vector<std::string> unknown;                // arguments not understood (ignored)

    static ToolOptions parse(int argc, char** argv);
};

}  // namespace orv
