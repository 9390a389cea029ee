// A seeded random walk through the real windows against the simulated controller.
//
// Each step looks at the window on top and does what a restless user might: clicks one of its
// clickable controls, types into one of its edit boxes, chooses or dismisses an open menu,
// hovers over a tab, presses a hot key, answers the next file dialog, or unplugs and plugs the
// controller back. After every step it checks:
//  - the tool answers (a step that does not finish within kStepLimit is a hang);
//  - after every successful Save the controller's permanent images equal the tool's stored
//    lists, all twelve;
//  - leaving a profile without saving gives back the stored images from before editing, in
//    the tool and on the controller;
//  - in the overview with no dialog open only the main window is alive and the hover preview
//    timer runs; while a profile is being edited it does not.
// When the tool quits (the walk may click the exit prompt's OK) a new session starts.
//
//   ORV_WALK_SECONDS  time bound (default 120)      ORV_WALK_SEED  replay a run's choices
// A failure prints the seed and the steps of the failing session (also into
// random-walk-steps.txt in the working folder).

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "../ui/FlowHarness.h"
#include "device/DeviceSettingsBlock.h"
#include "ui/kit/Control.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowImplBase.h"
#include "ui/kit/WindowSystem.h"

namespace orv::testing {
namespace {

using namespace std::chrono_literals;
using kit::testing::Driver;
using Clock = std::chrono::steady_clock;

constexpr auto kStepLimit = 30s;

std::uint64_t seedFromEnvironment() {
    if (const char* text = std::getenv("ORV_WALK_SEED")) {
        return std::strtoull(text, nullptr, 10);
    }
    return std::random_device{}();
}

int secondsFromEnvironment() {
    const char* text = std::getenv("ORV_WALK_SECONDS");
    return text != nullptr ? std::atoi(text) : 120;
}

// The walk's shared record: the seed, the steps of the current session, the total count.
struct WalkLog {
    std::uint64_t seed = 0;
    std::mutex mutex;
    std::vector<std::string> sessionSteps;
    std::atomic<std::uint64_t> steps{0};
    std::atomic<std::uint64_t> sessions{0};
    std::atomic<std::uint64_t> saves{0};
    std::atomic<std::uint64_t> reverts{0};
    std::atomic<std::uint64_t> replugs{0};

    void note(std::string step) {
        std::lock_guard lock(mutex);
        sessionSteps.push_back(std::move(step));
    }
    // Prints the seed and the session's steps (the last 60 on stderr, all into a file).
    void dump(const std::string& why) {
        std::lock_guard lock(mutex);
        std::ofstream file("random-walk-steps.txt");
        file << "seed " << seed << "\n";
        for (const std::string& step : sessionSteps) {
            file << step << "\n";
        }
        std::fprintf(stderr, "\nrandom walk failed: %s\nreplay with ORV_WALK_SEED=%llu\n",
                     why.c_str(), static_cast<unsigned long long>(seed));
        const std::size_t from = sessionSteps.size() > 60 ? sessionSteps.size() - 60 : 0;
        std::fprintf(stderr, "last steps of session %llu (all in random-walk-steps.txt):\n",
                     static_cast<unsigned long long>(sessions.load()));
        for (std::size_t i = from; i < sessionSteps.size(); ++i) {
            std::fprintf(stderr, "  %zu: %s\n", i, sessionSteps[i].c_str());
        }
    }
};

WalkLog& walkLog() {
    static WalkLog log;
    return log;
}

// Ends the process when a step makes no progress: a hang is a failure too.
class Watchdog {
public:
    Watchdog()
        : thread_([this] {
              std::uint64_t last = walkLog().steps;
              auto since = Clock::now();
              while (!stop_) {
                  std::this_thread::sleep_for(200ms);
                  const std::uint64_t now = walkLog().steps;
                  if (now != last) {
                      last = now;
                      since = Clock::now();
                  } else if (Clock::now() - since > kStepLimit) {
                      walkLog().dump("a step did not finish in 30 s (hang)");
                      std::_Exit(1);
                  }
              }
          }) {}
    ~Watchdog() {
        stop_ = true;
        thread_.join();
    }

private:
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

struct Target {
    kit::WindowHandle window = kit::kNoWindow;
    std::string title;
    std::vector<std::string> clickable;  // Button, Option, CheckBox that take a click now
    std::vector<std::string> edits;
};

void collect(const kit::Control* control, Target& target) {
    if (control == nullptr || !control->IsVisible() || !control->IsEnabled()) {
        return;
    }
    const std::string name = control->GetName();
    const std::string& kind = control->GetClass();
    if (!name.empty() && control->IsMouseEnabled()) {
        if (kind == "Button" || kind == "Option" || kind == "CheckBox") {
            target.clickable.push_back(name);
        } else if (kind == "Edit") {
            target.edits.push_back(name);
        }
    }
    for (std::size_t i = 0; i < control->GetCount(); ++i) {
        collect(control->GetItemAt(i), target);
    }
}

// What the checks look at, read on the UI thread in one go.
struct Observed {
    bool mainAlive = false;
    bool connected = false;
    bool editing = false;
    bool onlyMainWindow = false;
    bool hoverTimer = false;
    bool saveSucceeded = false;  // the save-success dialog is open
    bool newProfile = false;
    int overviews = 0;
    std::size_t liveWindows = 0;
    HostMode mode = HostMode::NS;
    std::uint32_t currentProfile = 0;
    std::vector<DeviceSettingsBlock> stored[2];
    std::vector<DeviceSettingsBlock> permanent[2];
};

class Walk : public FlowHarness {
public:
    Walk() = default;
    void TestBody() override {}

    // One session: the tool from start to quit (or to the end of the time).
    void run(std::mt19937_64& random, Clock::time_point end) {
        runTool([&](Driver& d, kit::WindowHandle main) {
            if (!reachOverview(d)) {
                fail("the overview did not come after the connection");
                return;
            }
            while (Clock::now() < end) {
                if (quitRequested(d)) {
                    walkLog().note("(the tool quit)");
                    return;
                }
                step(d, main, random);
                ++walkLog().steps;
                if (!check(d)) {
                    return;
                }
            }
        });
        if (controller && !controller->plugged()) {
            controller->plug();
        }
    }

    bool failed() const { return failed_; }

private:
    void fail(const std::string& why) {
        if (!failed_) {
            failed_ = true;
            walkLog().dump(why);
            ADD_FAILURE() << why << " (seed " << walkLog().seed << ")";
        }
    }

    Target topWindow(Driver& d) {
        Target target;
        d.OnUi([&] {
            const std::vector<kit::WindowHandle> windows = kit::LiveWindows();
            for (auto it = windows.rbegin(); it != windows.rend(); ++it) {
                kit::WindowImplBase* w = kit::WindowFromHandle(*it);
                if (w != nullptr) {
                    target.window = *it;
                    target.title = w->GetTitle();
                    collect(w->GetPaintManager().GetRoot(), target);
                    return;
                }
            }
        });
        return target;
    }

    template <typename T>
    static const T& pick(const std::vector<T>& items, std::mt19937_64& random) {
        return items[std::uniform_int_distribution<std::size_t>(0, items.size() - 1)(random)];
    }

    void step(Driver& d, kit::WindowHandle main, std::mt19937_64& random) {
        // The double-click interval and the editors' pauses follow the toolkit clock.
        const int ms = std::uniform_int_distribution<int>(0, 900)(random);
        d.OnUi([&] { uiClock.AdvanceMilliseconds(ms); });
        const int roll = std::uniform_int_distribution<int>(0, 99)(random);
        if (d.IsMenuOpen()) {
            const std::vector<std::string> items = d.MenuItems();
            if (roll < 80 && !items.empty()) {
                const std::string& item = pick(items, random);
                walkLog().note("menu item " + item);
                d.ChooseMenuItem(item);
            } else {
                walkLog().note("dismiss menu");
                d.DismissMenu();
            }
        } else if (roll < 3 || (!controller->plugged() && roll < 40)) {
            // Unplugged, the controller soon comes back, so the reconnection gets walked too.
            if (controller->plugged()) {
                walkLog().note("unplug");
                controller->unplug();
            } else {
                walkLog().note("plug");
                ++walkLog().replugs;
                controller->plug();
            }
        } else if (roll < 6) {
            static const char* const kAnswers[] = {"walk.db", "walk2.db", "missing.db", nullptr};
            const char* answer = kAnswers[std::uniform_int_distribution<int>(0, 3)(random)];
            walkLog().note(std::string("next file dialog: ") + (answer ? answer : "cancel"));
            d.QueueFileDialogAnswer(answer ? std::optional<std::string>((scratch / answer).string())
                                           : std::nullopt);
        } else if (roll < 10) {
            static const char kKeys[] = {'F', 'H', 'I', 'E', 'X', 'A'};
            const char key = kKeys[std::uniform_int_distribution<int>(0, 5)(random)];
            walkLog().note(std::string("Alt+") + key);
            d.PressKey(main, static_cast<unsigned>(key), kit::mod::Alt);
        } else if (roll < 16) {
            const std::string tab =
                "ProFileIndex" + std::to_string(std::uniform_int_distribution<int>(1, 6)(random));
            walkLog().note("hover " + tab);
            d.Hover(main, tab);
            d.Pump(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 250)(random)));
        } else {
            const Target top = topWindow(d);
            if (top.window == kit::kNoWindow) {
                walkLog().note("no window: wait");
                d.Pump(20ms);
            } else if (roll < 24 && !top.edits.empty()) {
                static const char* const kNames[] = {"Race", "名前テスト", "", "x",
                                                     "Sixteen letters!", "プロファイル 2"};
                const std::string& edit = pick(top.edits, random);
                const char* text = kNames[std::uniform_int_distribution<int>(0, 5)(random)];
                walkLog().note(top.title + ": type '" + text + "' into " + edit);
                d.TypeText(top.window, edit, text);
            } else if (!top.clickable.empty()) {
                std::string control = pick(top.clickable, random);
                // Save and Revert are two of some thirty controls while editing; lean towards
                // them now and then so that their checks run often.
                const std::string finish = roll % 2 == 0 ? "SaveBtn" : "RestoreLastTimeBtn";
                if (roll < 30 && top.window == main &&
                    std::find(top.clickable.begin(), top.clickable.end(), finish) !=
                        top.clickable.end()) {
                    control = finish;
                }
                // The exit prompt's OK ends the session; take it rarely so walks get deep.
                if (top.title == title::ExitInquiryFrom && control == "OKBtn" && roll % 8 != 0) {
                    control = pick(top.clickable, random);
                }
                walkLog().note(top.title + ": click " + control);
                d.Click(top.window, control);
            } else {
                walkLog().note(top.title + ": nothing to click: wait");
                d.Pump(20ms);
            }
        }
        // Let the click's reaction (and whatever it posted) run before looking.
        d.Pump(std::chrono::milliseconds(std::uniform_int_distribution<int>(0, 8)(random)));
    }

    Observed observe(Driver& d) {
        Observed o;
        d.OnUi([&] {
            MainWindow* w = mainWindow();
            o.mainAlive = w != nullptr;
            if (!o.mainAlive) {
                return;
            }
            o.connected = context->device.connected.load() == 1;
            o.overviews = w->overviewCount();
            o.newProfile = w->editingFlags().newProfileMade;
            o.hoverTimer = w->HasTimer(MainWindow::kHoverTimer);
            if (kit::Control* save = w->GetPaintManager().FindControl("SaveBtn")) {
                o.editing = save->IsVisible();
            }
            const std::vector<kit::WindowHandle> windows = kit::LiveWindows();
            o.liveWindows = windows.size();
            o.onlyMainWindow = windows.size() == 1 && windows.front() == mainHandle.load();
            o.saveSucceeded = kit::FindWindow(title::SaveSuccessFrom) != kit::kNoWindow;
            o.mode = context->images.hostMode;
            o.currentProfile = context->images.currentProfile;
            for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
                const auto m = static_cast<std::size_t>(mode);
                o.stored[m] = context->images.profiles(mode);
                if (controller->plugged()) {
                    for (std::size_t p = 0; p < 6; ++p) {
                        o.permanent[m].push_back(controller->permanentImage(mode, p));
                    }
                }
            }
        });
        o.onlyMainWindow = o.onlyMainWindow && !d.IsMenuOpen();
        return o;
    }

    static bool listsEqual(const Observed& o) {
        return o.stored[0] == o.permanent[0] && o.stored[1] == o.permanent[1];
    }

    bool check(Driver& d) {
        const Observed o = observe(d);
        if (!o.mainAlive || !o.connected || o.overviews == 0) {
            previous_ = o;
            sessionSaved_ = false;
            beforeEditing_.reset();
            return true;
        }
        // A successful Save: the controller keeps what the tool lists.
        if (o.saveSucceeded && !previous_.saveSucceeded) {
            ++walkLog().saves;
            sessionSaved_ = true;
            const auto m = static_cast<std::size_t>(o.mode);
            const std::size_t p = o.currentProfile - 1;
            if (!o.permanent[m].empty() && o.currentProfile >= 1 && o.currentProfile <= 6 &&
                o.stored[m][p] != o.permanent[m][p]) {
                fail("after a successful Save the controller's image differs from the stored one");
                return false;
            }
            // The other eleven too: a tried but unsaved edit of another profile must not have
            // become permanent through this Save's Commit.
            if (!o.permanent[0].empty() && !listsEqual(o)) {
                fail("after a successful Save another profile differs between the tool and the "
                     "controller");
                return false;
            }
        }
        if (!o.editing && o.onlyMainWindow) {
            if (previous_.editing && beforeEditing_ && !sessionSaved_ && !sawNewProfile_ &&
                o.overviews == beforeEditing_->overviews) {
                // Left the profile without saving: everything as before editing.
                ++walkLog().reverts;
                if (o.stored[0] != beforeEditing_->stored[0] ||
                    o.stored[1] != beforeEditing_->stored[1] ||
                    (!o.permanent[0].empty() && !beforeEditing_->permanent[0].empty() &&
                     (o.permanent[0] != beforeEditing_->permanent[0] ||
                      o.permanent[1] != beforeEditing_->permanent[1]))) {
                    fail("leaving a profile without saving did not give back the images from "
                         "before editing");
                    return false;
                }
            }
            if (!o.hoverTimer) {
                fail("the overview shows without its hover preview timer");
                return false;
            }
            beforeEditing_ = o;
            sessionSaved_ = false;
            sawNewProfile_ = false;
        }
        if (o.editing) {
            sawNewProfile_ = sawNewProfile_ || o.newProfile;
            // The preview would take the panel back from the profile being edited.
            if (o.hoverTimer) {
                fail("a profile is being edited with the hover preview running");
                return false;
            }
        }
        previous_ = o;
        return true;
    }

    bool failed_ = false;
    Observed previous_;
    std::optional<Observed> beforeEditing_;
    bool sessionSaved_ = false;
    bool sawNewProfile_ = false;
};

TEST(RandomWalk, ThroughTheWindowsAgainstTheSimulatedController) {
    WalkLog& log = walkLog();
    log.seed = seedFromEnvironment();
    const int seconds = secondsFromEnvironment();
    std::printf("random walk: seed %llu, %d s\n", static_cast<unsigned long long>(log.seed),
                seconds);
    std::mt19937_64 random(log.seed);
    Watchdog watchdog;
    const auto end = Clock::now() + std::chrono::seconds(seconds);
    while (Clock::now() < end) {
        {
            std::lock_guard lock(log.mutex);
            log.sessionSteps.clear();
        }
        ++log.sessions;
        Walk walk;
        walk.run(random, end);
        if (walk.failed() || ::testing::Test::HasFailure()) {
            if (!walk.failed()) {
                log.dump("a check of the harness failed");
            }
            break;
        }
    }
    std::printf("random walk: %llu steps in %llu sessions, %llu saves checked, %llu reverts "
                "checked, %llu re-plugs (seed %llu)\n",
                static_cast<unsigned long long>(log.steps.load()),
                static_cast<unsigned long long>(log.sessions.load()),
                static_cast<unsigned long long>(log.saves.load()),
                static_cast<unsigned long long>(log.reverts.load()),
                static_cast<unsigned long long>(log.replugs.load()),
                static_cast<unsigned long long>(log.seed));
}

}  // namespace
}  // namespace orv::testing
