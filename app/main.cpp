// Process entry of the tool: one copy per user, the application font, the main window and the
// message loop. Everything else starts from the main window.

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include "context/DeviceContext.h"
#include "app/ToolOptions.h"
#include "context/InstallPaths.h"
#include "context/UserCopies.h"
#include "device/hid/linux/LinuxHidBackend.h"
#include "sim/KeyboardPlay.h"
#include "sim/Simulation.h"
#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/SingleInstanceLock.h"
#include "ui/kit/SystemServices.h"
#include "ui/kit/WindowImage.h"
#include "ui/kit/WindowSystem.h"
#include "ui/livetest/PlayKeys.h"
#include "ui/main/MainWindow.h"
#include "ui/main/ProcessStartup.h"
#include "ui/main/WindowMessages.h"

namespace {

// A screenshot run that never reaches the overview (no controller, a failing read) still ends.
constexpr std::chrono::seconds kScreenshotDeadline{60};
constexpr int kScreenshotFailed = 1;

bool hasDisplay() {
    const char* x11 = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    return (x11 != nullptr && *x11 != '\0') || (wayland != nullptr && *wayland != '\0');
}

}  // namespace

int main(int argc, char** argv) {
    const orv::ToolOptions options = orv::ToolOptions::parse(argc, argv);
    for (const std::string& argument : options.unknown) {
        std::fprintf(stderr, "orvtool: ignoring the argument %s\n", argument.c_str());
    }
    const bool screenshotRun = !options.screenshotFile.empty();
    if (screenshotRun && !hasDisplay() && std::getenv("QT_QPA_PLATFORM") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }

    orv::kit::Application application(argc, argv);
    const std::uint16_t languageId = orv::kit::SystemLanguageId();

    orv::kit::SingleInstanceLock instanceLock(orv::kSingleInstanceName);
    if (!orv::claimSingleInstance(instanceLock, languageId)) {
        return 0;
    }

    const std::string folder = orv::paths::dataFolder();
    orv::prepareApplicationFont(folder);
    std::error_code ignored;
    std::filesystem::current_path(folder, ignored);
    orv::kit::PaintManager::SetInstancePath(folder);
    orv::kit::PaintManager::SetResourcePath(folder + "Resources/");
    // The shipped files are only read; the menus the editors rewrite are the user's own copies.
    orv::kit::PaintManager::SetMenuPath(orv::paths::userMenuFolder());
    orv::paths::refreshMenuCopies(folder + "Resources/", orv::paths::userMenuFolder());

    // The backends are never destroyed: a detached connection worker may still use them while
    // the process exits.
    orv::DeviceContext& context = orv::DeviceContext::instance();
    if (options.simulationStateFile) {
        static auto* simulation =
            new orv::sim::Simulation(orv::sim::startSimulation(*options.simulationStateFile));
        context.device.backend = simulation->backend.get();
        // While a live test screen is open, the keyboard plays the simulated controller.
        auto play = std::make_shared<orv::sim::KeyboardPlay>();
        auto controller = simulation->controller;
        orv::installPlayKeys({[play, controller](unsigned key, bool down) {
                                  const bool bound = play->key(key, down);
                                  if (bound) {
                                      controller->setInput(play->input());
                                  }
                                  return bound;
                              },
                              [play, controller] {
                                  *play = orv::sim::KeyboardPlay{};
                                  controller->setInput(play->input());
                              },
                              orv::sim::KeyboardPlay::keyMapText()});
    } else {
        static auto* hidBackend = new orv::hid::LinuxHidBackend();
        if (!hidBackend->ready()) {
            std::fprintf(stderr, "orvtool: %s\n", hidBackend->lastError().c_str());
        }
        context.device.backend = hidBackend;
    }

    orv::MainWindowSetup setup;
    setup.context = &context;
    setup.dataFolder = folder;
    setup.systemLanguageId = languageId;
    setup.simulatedController = options.simulationStateFile.has_value();
    if (screenshotRun) {
        setup.onOverviewShown = [file = options.screenshotFile](orv::kit::WindowHandle window) {
            if (orv::kit::SaveWindowImage(window, file)) {
                std::printf("orvtool: screenshot of the overview: %s\n", file.c_str());
                orv::kit::PostQuitMessage(0);
            } else {
                std::fprintf(stderr, "orvtool: cannot write %s\n", file.c_str());
                orv::kit::PostQuitMessage(kScreenshotFailed);
            }
        };
        std::thread([] {
            std::this_thread::sleep_for(kScreenshotDeadline);
            std::fprintf(stderr, "orvtool: the overview did not show; no screenshot\n");
            orv::kit::PostQuitMessage(kScreenshotFailed);
        }).detach();
    }

    auto* mainWindow = new orv::MainWindow(std::move(setup));
    const orv::kit::WindowHandle window =
        mainWindow->Create(orv::kit::kNoWindow, orv::title::MainWindow,
                           orv::kit::style::Visible | orv::kit::style::OverlappedWindow,
                           orv::kit::exstyle::WindowEdge);
    if (window == orv::kit::kNoWindow) {
        std::fprintf(stderr, "orvtool: %s\n", mainWindow->GetCreateError().c_str());
        return screenshotRun ? kScreenshotFailed : 0;
    }
    orv::kit::SetApplicationIcon(folder + "Resources/AppIcon.png");
    const int exitCode = application.MessageLoop();
    // A user run always ends with 0; a screenshot run says whether it got its picture.
    return screenshotRun ? exitCode : 0;
}
