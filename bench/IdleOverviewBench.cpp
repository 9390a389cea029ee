// Leaves the tool on the overview against the simulated controller (real time, the identity
// switch included) with the hover preview ticking, and reports resident memory at the start
// and the end and the CPU time of every minute. The pointer rests over one profile tab after
// another (a new one every 5 s, and once per round away from the tabs), so each preview tick
// has something to show. Not a test: CI never runs it.
//
//   orv_bench_idle_overview [minutes]     default 60
// Prints "minute N: cpu X ms, rss Y KiB" and a summary line; the process's own figures
// (the tool and this bench's sleeping driver thread).

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <thread>

#include "context/DeviceContext.h"
#include "sim/Simulation.h"
#include "ui/kit/Application.h"
#include "ui/kit/PaintManager.h"
#include "ui/kit/WindowSystem.h"
#include "ui/kit/testing/Driver.h"
#include "ui/main/MainWindow.h"
#include "ui/main/WindowMessages.h"

namespace {

using namespace std::chrono_literals;

long residentKiB() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0) {
            return std::strtol(line.c_str() + 6, nullptr, 10);
        }
    }
    return -1;
}

double cpuMilliseconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval& t) {
        return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

}  // namespace

int main(int argc, char** argv) {
    const int minutes = argc > 1 ? std::atoi(argv[1]) : 60;
    if (std::getenv("QT_QPA_PLATFORM") == nullptr && std::getenv("DISPLAY") == nullptr) {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    }
    orv::kit::Application application(argc, argv);
    const std::string folder = std::string(ORV_BENCH_DATA_DIR) + "/";
    orv::kit::PaintManager::SetInstancePath(folder);
    orv::kit::PaintManager::SetResourcePath(folder + "Resources/");

    orv::sim::Simulation simulation = orv::sim::startSimulation();
    orv::DeviceContext context;
    context.device.backend = simulation.backend.get();
    orv::MainWindowSetup setup;
    setup.context = &context;
    setup.dataFolder = folder;

    int overviews = 0;
    long rssStart = 0;
    long rssEnd = 0;
    double cpuMax = 0;
    double cpuTotal = 0;
    orv::kit::testing::Driver driver;
    driver.Run(
        [&](orv::kit::testing::Driver& d) {
            const orv::kit::WindowHandle main = d.WaitForWindow(orv::title::MainWindow, 10s);
            const bool reached = d.WaitUntil(
                [&] {
                    d.OnUi([&] {
                        auto* w = dynamic_cast<orv::MainWindow*>(orv::kit::WindowFromHandle(main));
                        overviews = w != nullptr ? w->overviewCount() : 0;
                    });
                    return overviews > 0;
                },
                30s);
            if (!reached || !d.WaitForWindowGone(orv::title::LoadingForm)) {
                std::fprintf(stderr, "the overview did not show\n");
                orv::kit::PostQuitMessage(1);
                return;
            }
            rssStart = residentKiB();
            std::printf("start: rss %ld KiB\n", rssStart);
            std::fflush(stdout);
            int tab = 0;
            for (int minute = 1; minute <= minutes; ++minute) {
                const double cpuBefore = cpuMilliseconds();
                const auto end = std::chrono::steady_clock::now() + 60s;
                while (std::chrono::steady_clock::now() < end) {
                    if (tab % 7 == 6) {
                        d.MoveMouse(main, orv::kit::Point{2, 200});  // away from the tabs
                    } else {
                        d.Hover(main, "ProFileBtn" + std::to_string(tab % 7 + 1));
                    }
                    ++tab;
                    std::this_thread::sleep_for(5s);
                }
                const double cpu = cpuMilliseconds() - cpuBefore;
                cpuMax = std::max(cpuMax, cpu);
                cpuTotal += cpu;
                rssEnd = residentKiB();
                std::printf("minute %d: cpu %.0f ms, rss %ld KiB\n", minute, cpu, rssEnd);
                std::fflush(stdout);
            }
            orv::kit::PostQuitMessage(0);
        },
        [&] {
            auto* window = new orv::MainWindow(setup);
            window->Create(orv::kit::kNoWindow, orv::title::MainWindow,
                           orv::kit::style::Visible | orv::kit::style::OverlappedWindow,
                           orv::kit::exstyle::WindowEdge);
            application.MessageLoop();
        });
    for (orv::kit::WindowHandle window : orv::kit::LiveWindows()) {
        if (orv::kit::WindowImplBase* w = orv::kit::WindowFromHandle(window)) {
            w->DestroyWindow();
        }
    }
    if (rssStart <= 0 || minutes <= 0) {
        return 1;
    }
    std::printf("idle overview, %d min: rss %ld KiB at the start, %ld KiB at the end (%+ld KiB); "
                "cpu %.0f ms per minute on average, %.0f ms at most\n",
                minutes, rssStart, rssEnd, rssEnd - rssStart, cpuTotal / minutes, cpuMax);
    return 0;
}
