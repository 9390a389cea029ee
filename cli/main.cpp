// Process entry of orvctl: the command line, the backend (the real one or the simulated
// controller), and signal handling that only raises a flag, so every command unwinds normally
// and the controller is left in its ordinary identity.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>

#include "cli/Commands.h"
#include "cli/Invocation.h"
#include "context/InstallPaths.h"
#include "device/hid/linux/LinuxHidBackend.h"
#include "sim/Simulation.h"

namespace {

volatile std::sig_atomic_t interrupted = 0;

extern "C" void onStopSignal(int) {
    interrupted = 1;
}

void installStopHandlers() {
    struct sigaction action {};
    action.sa_handler = onStopSignal;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking wait returns early and the command sees the flag.
    action.sa_flags = 0;
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> words(argv + 1, argv + argc);
    const orv::cli::ParseResult parsed = orv::cli::parseInvocation(words);
    if (!parsed.invocation) {
        std::cerr << "orvctl: " << parsed.error << "; see `orvctl help`\n";
        return orv::cli::kUsageError;
    }
    const orv::cli::Invocation& invocation = *parsed.invocation;
    installStopHandlers();

    std::unique_ptr<orv::sim::Simulation> simulation;
    std::unique_ptr<orv::hid::LinuxHidBackend> hidBackend;
    orv::cli::Environment environment;
    if (invocation.simulation) {
        simulation = std::make_unique<orv::sim::Simulation>(
            orv::sim::startSimulation(*invocation.simulation));
        environment.backend = simulation->backend.get();
        if (!simulation->controller->stateError().empty()) {
            std::cerr << "orvctl: simulated controller: " << simulation->controller->stateError()
                      << '\n';
        }
    } else if (invocation.command != orv::cli::Command::Help &&
               invocation.command != orv::cli::Command::Version) {
        hidBackend = std::make_unique<orv::hid::LinuxHidBackend>();
        if (!hidBackend->ready()) {
            std::cerr << "orvctl: " << hidBackend->lastError() << '\n';
            return orv::cli::kFailure;
        }
        environment.backend = hidBackend.get();
    }
    environment.out = &std::cout;
    environment.err = &std::cerr;
    environment.progress = isatty(STDERR_FILENO) != 0;
    environment.dataFolder = orv::paths::dataFolder();
    environment.interrupted = &interrupted;
    const int code = orv::cli::runCommand(invocation, environment);
    std::cout.flush();
    return code;
}
