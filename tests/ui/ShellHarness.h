#pragma once
// Runs the main window against a simulated controller in-process, offscreen, with a fresh
// context, and lets a driver script act on it while the message loop (and every modal loop)
// runs.

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "context/DeviceContext.h"
#include "device/ManualClock.h"
#include "sim/SimulatedBackend.h"
#include "ui/kit/testing/Driver.h"
#include "ui/kit/testing/ManualClock.h"
#include "ui/main/MainWindow.h"

namespace orv::testing {

// A device clock that moves only as far as the test allows: sleepFor blocks until the allowed
// time covers the end of the sleep. Lets a test look at the windows part way through the
// worker's five-second search.
class SteppedClock final : public Clock {
public:
    TimePoint now() const override;
    void sleepFor(Duration duration) override;
    // Lets sleeps run up to `limit` after the start.
    void allowUntil(Duration limit);
    void allowAll() { allowUntil(Duration::max() / 2); }

private:
    mutable std::mutex mutex_;
    std::condition_variable moved_;
    Duration now_{0};
    Duration limit_{0};
};

class ShellHarness : public ::testing::Test {
protected:
    ShellHarness();
    ~ShellHarness() override;

    // Runs the tool's main window until the quit message while `script` drives it; the script
    // starts once the main window exists and gets its handle. The loop ends with the script.
    void runTool(const std::function<void(kit::testing::Driver&, kit::WindowHandle)>& script);

    // The live main window (UI thread only); null when gone.
    MainWindow* mainWindow() const;
    int overviewCount(kit::testing::Driver& driver) const;
    bool quitRequested(kit::testing::Driver& driver) const;

    static std::string fixtureFolder(const std::string& name);

    std::unique_ptr<DeviceContext> context = std::make_unique<DeviceContext>();
    // The toolkit's clock (click intervals) stands still unless a test moves it.
    kit::testing::ManualClock uiClock;
    ManualClock manualClock;
    SteppedClock steppedClock;
    Clock* clock = &manualClock;  // the link's and the bus's clock; set before bus()
    std::unique_ptr<sim::SimulatedBackend> backend;
    MainWindowSetup setup;
    std::atomic<kit::WindowHandle> mainHandle{kit::kNoWindow};

    // Makes the bus; call once the clock is chosen (runTool does when nobody did).
    sim::SimulatedBackend& bus();
};

}  // namespace orv::testing
