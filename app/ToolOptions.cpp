#include "app/ToolOptions.h"

#include <string_view>

#include "sim/Simulation.h"

namespace orv {

ToolOptions ToolOptions::parse(int argc, char** argv) {
    constexpr std::string_view kScreenshot = "--screenshot=";
    ToolOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (auto stateFile = sim::simulateArgument(argument)) {
            options.simulationStateFile = std::move(*stateFile);
        } else if (argument.starts_with(kScreenshot) && argument.size() > kScreenshot.size()) {
            options.screenshotFile = std::string(argument.substr(kScreenshot.size()));
        } else {
            options.unknown.emplace_back(argument);
        }
    }
    return options;
}

}  // namespace orv
