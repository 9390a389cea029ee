#pragma once
// The main window connected to a simulated controller and in its overview, with helpers to
// play the answers of the dialogs (the codes of MainWindowMessage) and to look at what the
// window asked for.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ShellHarness.h"
#include "sim/SimulatedController.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {

class FlowHarness : public ShellHarness {
protected:
    FlowHarness();
    ~FlowHarness() override;

    // Waits for the overview after the connection; false when it did not come.
    bool reachOverview(kit::testing::Driver& d);
    // Sends MainWindowMessage with `code`: the reaction has run when this returns.
    void send(kit::testing::Driver& d, MainWindowCode code);
    // Clicks tab n and answers the profile dialog with "EditProfileBtn".
    bool editProfile(kit::testing::Driver& d, kit::WindowHandle main, std::uint32_t n);
    // Clicks `button` of the main window and `promptButton` of the prompt titled `prompt` it
    // opens; true once the prompt is gone.
    bool answer(kit::testing::Driver& d, kit::WindowHandle main, const char* button,
                const char* prompt, const char* promptButton);
    // How often the window asked for the child window titled `windowTitle`.
    std::size_t requestsOf(kit::testing::Driver& d, const std::string& windowTitle);
    // Runs `action` on the UI thread against the live window.
    void onWindow(kit::testing::Driver& d, const std::function<void(MainWindow&)>& action);

    std::shared_ptr<sim::SimulatedController> controller;
    // Private resource folder (the fixture skins and the shipped menus) and home folder.
    std::filesystem::path scratch;
};

}  // namespace orv::testing
