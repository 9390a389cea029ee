#include "FlowHarness.h"

#include <cstdlib>
#include <random>

#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {

namespace {

std::filesystem::path makeScratchFolder() {
    std::random_device entropy;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orv-flow-" + std::to_string(entropy()) + std::to_string(entropy()));
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

FlowHarness::FlowHarness() : scratch(makeScratchFolder()) {
    // The shipped skins, menus and art, in a folder of the test's own (menus get rewritten).
    const std::filesystem::path resources = scratch / "Resources";
    std::filesystem::copy(std::filesystem::path(ORV_TEST_DATA_DIR) / "Resources", resources,
                          std::filesystem::copy_options::recursive);
    kit::PaintManager::SetResourcePath(resources.string() + "/");
    // The profile folders live on the desktop of this home.
    setenv("HOME", (scratch / "home").c_str(), 1);
    unsetenv("XDG_CONFIG_HOME");
    controller = bus().addController(sim::ControllerOptions::poweringOnAs(kConfigurationProductId));
}

FlowHarness::~FlowHarness() {
    std::error_code ignored;
    std::filesystem::remove_all(scratch, ignored);
}

bool FlowHarness::reachOverview(kit::testing::Driver& d) {
    return d.WaitUntil([&] { return overviewCount(d) == 1; }) &&
           d.WaitForWindowGone(title::LoadingForm);
}

void FlowHarness::send(kit::testing::Driver& d, MainWindowCode code) {
    d.OnUi(
        [&] { kit::SendMessage(mainHandle, MainWindowMessage, static_cast<kit::WParam>(code)); });
}

bool FlowHarness::editProfile(kit::testing::Driver& d, kit::WindowHandle main, std::uint32_t n) {
    d.Click(main, "ProFileIndex" + std::to_string(n));
    const kit::WindowHandle dialog = d.WaitForWindow(title::ProfileForm);
    if (dialog == kit::kNoWindow) {
        return false;
    }
    d.Click(dialog, "EditProfileBtn");
    return d.WaitForWindowGone(dialog) && d.WaitUntil([&] { return d.IsVisible(main, "SaveBtn"); });
}

bool FlowHarness::answer(kit::testing::Driver& d, kit::WindowHandle main, const char* button,
                         const char* prompt, const char* promptButton) {
    d.Click(main, button);
    const kit::WindowHandle window = d.WaitForWindow(prompt);
    if (window == kit::kNoWindow) {
        return false;
    }
    d.Click(window, promptButton);
    return d.WaitForWindowGone(window);
}

std::size_t FlowHarness::requestsOf(kit::testing::Driver& d, const std::string& windowTitle) {
    std::size_t count = 0;
    d.OnUi([&] {
        if (MainWindow* w = mainWindow()) {
            for (const std::string& requested : w->childWindowRequests()) {
                count += requested == windowTitle ? 1u : 0u;
            }
        }
    });
    return count;
}

void FlowHarness::onWindow(kit::testing::Driver& d,
                           const std::function<void(MainWindow&)>& action) {
    d.OnUi([&] {
        if (MainWindow* w = mainWindow()) {
            action(*w);
        }
    });
}

}  // namespace orv::testing
