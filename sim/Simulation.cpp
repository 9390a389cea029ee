#include "sim/Simulation.h"

namespace orv::sim {

Simulation startSimulation(const std::string& stateFile) {
    Simulation simulation;
    simulation.backend = std::make_unique<SimulatedBackend>(SystemClock::instance());
    ControllerOptions options;
    options.stateFile = stateFile;
    simulation.controller = simulation.backend->addController(options);
    return simulation;
}

std::optional<std::string> simulateArgument(std::string_view argument) {
    constexpr std::string_view kOption = "--simulate";
    if (argument == kOption) {
        return std::string();
    }
    if (argument.size() > kOption.size() + 1 && argument.substr(0, kOption.size()) == kOption &&
        argument[kOption.size()] == '=') {
        return std::string(argument.substr(kOption.size() + 1));
    }
    return std::nullopt;
}

}  // namespace orv::sim
