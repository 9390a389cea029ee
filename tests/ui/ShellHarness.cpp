#include "ShellHarness.h"

#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"
#include "ui/main/WindowMessages.h"

namespace orv::testing {

namespace {

// One toolkit application for the whole test program.
class KitEnvironment : public ::testing::Environment {
public:
    void SetUp() override { application_ = std::make_unique<kit::Application>(argc_, argv_); }
    void TearDown() override { application_.reset(); }

private:
    int argc_ = 1;
    char name_[16] = "orv_ui_tests";
    char* args_[2] = {name_, nullptr};
    char** argv_ = args_;
    std::unique_ptr<kit::Application> application_;
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new KitEnvironment);

}  // namespace

Clock::TimePoint SteppedClock::now() const {
    std::lock_guard lock(mutex_);
    return TimePoint(now_);
}

void SteppedClock::sleepFor(Duration duration) {
    std::unique_lock lock(mutex_);
    const Duration until = now_ + std::max(duration, Duration(0));
    moved_.wait(lock, [&] { return limit_ >= until; });
    now_ = std::max(now_, until);
}

void SteppedClock::allowUntil(Duration limit) {
    {
        std::lock_guard lock(mutex_);
        limit_ = limit;
    }
    moved_.notify_all();
}

ShellHarness::ShellHarness() {
    kit::Clock::Install(&uiClock);
    kit::PaintManager::SetInstancePath(std::string(ORV_TEST_DATA_DIR) + "/");
    kit::PaintManager::SetResourcePath(fixtureFolder("Resources"));
    setup.context = context.get();
    setup.dataFolder = std::string(ORV_TEST_DATA_DIR) + "/";
    setup.systemLanguageId = 1033;
}

ShellHarness::~ShellHarness() {
    steppedClock.allowAll();
    // A window a quit left behind goes now, while its context still exists.
    for (kit::WindowHandle window : kit::LiveWindows()) {
        if (kit::WindowImplBase* w = kit::WindowFromHandle(window)) {
            w->DestroyWindow();
        }
    }
    kit::Application::ProcessPendingEvents();
    kit::Application::ResetQuit();
    kit::Clock::Install(nullptr);
}

std::string ShellHarness::fixtureFolder(const std::string& name) {
    return std::string(ORV_UI_FIXTURES) + "/" + name + "/";
}

sim::SimulatedBackend& ShellHarness::bus() {
    if (!backend) {
        backend = std::make_unique<sim::SimulatedBackend>(*clock);
        context->device.backend = backend.get();
        context->device.clock = clock;
    }
    return *backend;
}

void ShellHarness::runTool(
    const std::function<void(kit::testing::Driver&, kit::WindowHandle)>& script) {
    bus();
    kit::testing::Driver driver;
    const bool scriptEnded = driver.Run(
        [&](kit::testing::Driver& d) {
            const kit::WindowHandle window = d.WaitForWindow(title::MainWindow);
            EXPECT_NE(window, kit::kNoWindow);
            if (window != kit::kNoWindow) {
                script(d, window);
            }
            // Whatever the script left open, the loop ends.
            kit::PostQuitMessage(0);
        },
        [&] {
            auto* window = new MainWindow(setup);
            mainHandle = window->Create(kit::kNoWindow, title::MainWindow,
                                        kit::style::Visible | kit::style::OverlappedWindow,
                                        kit::exstyle::WindowEdge);
            ASSERT_NE(mainHandle, kit::kNoWindow) << window->GetCreateError();
            kit::Application::Instance()->MessageLoop();
        });
    EXPECT_TRUE(scriptEnded);
}

MainWindow* ShellHarness::mainWindow() const {
    return dynamic_cast<MainWindow*>(kit::WindowFromHandle(mainHandle));
}

int ShellHarness::overviewCount(kit::testing::Driver& driver) const {
    int count = -1;
    driver.OnUi([&] {
        if (MainWindow* w = mainWindow()) {
            count = w->overviewCount();
        }
    });
    return count;
}

bool ShellHarness::quitRequested(kit::testing::Driver& driver) const {
    bool quit = false;
    driver.OnUi([&] { quit = kit::Application::QuitRequested(); });
    return quit;
}

}  // namespace orv::testing
