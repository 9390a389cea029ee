#include "FlowHarness.h"

#include <cstdlib>
#include <random>

#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {

namespace {

std::filesystem::path makeScratchFolder() {
    std::random_device seed;
    const auto folder = std::filesystem::temp_directory_path() /
                        ("orv-flow-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(folder);
    return folder;
}

}  // namespace

FlowHarness::FlowHarness() : scratch(makeScratchFolder()) {
    const std::filesystem::path resources = scratch / "Resources";
    std::filesystem::copy(fixtureFolder("Resources"), resources,
                          std::filesystem::copy_options::recursive);
    const std::filesystem::path shipped = std::filesystem::path(ORV_TEST_OUTPUT_DIR) / "Resources";
    for (const char* menu : {"FileMenu_english.xml", "FileMenu_japanese.xml",
                             "HelpMenu_english.xml", "HelpMenu_japanese.xml", "Language.xml"}) {
        std::filesystem::copy_file(shipped / menu, resources / menu);
    }
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

void FlowHarness::post(kit::testing::Driver& d, MainWindowCode code, kit::LParam argument) {
    d.OnUi([&] {
        kit::PostMessage(mainHandle, MainWindowMessage, static_cast<kit::WParam>(code), argument);
    });
    // Posted messages are handled in order: once this marker ran, so did the code.
    d.Pump();
    d.OnUi([] {});
}

void FlowHarness::send(kit::testing::Driver& d, MainWindowCode code) {
    d.OnUi(
        [&] { kit::SendMessage(mainHandle, MainWindowMessage, static_cast<kit::WParam>(code)); });
}

bool FlowHarness::editProfile(kit::testing::Driver& d, kit::WindowHandle main, std::uint32_t n) {
    const std::size_t before = requestsOf(d, title::ProfileForm);
    d.Click(main, "ProFileIndex" + std::to_string(n));
    if (!d.WaitUntil([&] { return requestsOf(d, title::ProfileForm) == before + 1; })) {
        return false;
    }
    post(d, MainWindowCode::EditProfile);
    return d.WaitUntil([&] { return d.IsVisible(main, "SaveBtn"); });
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
