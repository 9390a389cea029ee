// The toolkit's process object: owns the Qt application, runs the message loop, and on
// destruction releases every window still alive without running their OnFinalMessage (as a
// process that ends after the quit message).
#pragma once

#include <memory>
#include <string>

namespace orv::kit {

class Application {
public:
    // argc/argv must outlive the object (Qt keeps them). Only one Application per process.
    Application(int& argc, char** argv);
    ~Application();
    Application(const Application&) = delete;
    Application& operator=(const Application&) = delete;

    static Application* Instance();

    // Runs until the quit message (PostQuitMessage) and returns its exit code. Returns at once
    // with the code when a quit was posted before the loop started.
    int MessageLoop();
    // Handles everything already queued, without waiting.
    static void ProcessPendingEvents();
    // True once a quit message ended (or will end) the outermost loop.
    static bool QuitRequested();
    // Forgets a handled quit, so a test can run another loop.
    static void ResetQuit();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace orv::kit
