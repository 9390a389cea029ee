#pragma once
// A simulated bus with one controller, as the tool runs it with --simulate[=STATEFILE]: the
// controller powers on in its ordinary identity, so a run goes through the identity switch,
// and keeps committed images in STATEFILE when one is given. Real time, default bus delay.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "sim/SimulatedBackend.h"

namespace orv::sim {

struct Simulation {
    std::unique_ptr<SimulatedBackend> backend;
    std::shared_ptr<SimulatedController> controller;
};

Simulation startSimulation(const std::string& stateFile = {});

// The state file of a "--simulate" or "--simulate=FILE" argument ("" for the plain form);
// nullopt for any other argument.
std::optional<std::string> simulateArgument(std::string_view argument);

}  // namespace orv::sim
