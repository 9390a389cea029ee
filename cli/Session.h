#pragma once
// One orvctl run against the controller: the same context parts the window uses, the connection
// exactly as the window makes it (the connection worker: identity switch, the full read), and
// the end of every run: a controller left in test mode is taken out of it and the controller is
// switched back to its ordinary identity, whatever path the run takes.

#include <csignal>
#include <functional>
#include <iosfwd>
#include <string>

#include "cli/ExitCode.h"
#include "context/DeviceContext.h"
#include "profile/ProfileOutcome.h"
#include "profile/SettingsFiles.h"

namespace orv::cli {

// What a run works with; tests give a simulated backend, a manual clock and string streams.
struct Environment {
    hid::Backend* backend = nullptr;
    Clock* clock = &SystemClock::instance();
    std::ostream* out = nullptr;
    std::ostream* err = nullptr;
    bool progress = false;   // progress lines on err (a terminal)
    std::string dataFolder;  // databases ("MultiLingual.db", "DefaultData.db", ...)
    // Set by the signal handler; long operations stop between steps when it is non-zero.
    const volatile std::sig_atomic_t* interrupted = nullptr;

    bool stopRequested() const { return interrupted != nullptr && *interrupted != 0; }
};

class Session {
public:
    explicit Session(const Environment& environment);
    ~Session();  // end(): test mode off, ordinary identity
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Opens the text store (English) and connects. kSuccess with all twelve images read;
    // otherwise the exit code, with a one-line error already written. A stop requested while
    // connecting ends the command (kInterrupted) before anything is written, unless
    // `stopEndsCommand` is false (the live test, which a stop ends normally).
    int connect(bool stopEndsCommand = true);

    // Select `mode`, then make profile `number` (1..6) the one being edited, as the window
    // does when the user picks it. False with an error written when the controller refuses.
    bool enterProfile(HostMode mode, std::uint32_t number);

    // The controller is in test mode until the next frame.
    void noteTestMode() { testMode_ = true; }

    // Ends the run early (also done by the destructor).
    void end();

    ProfileContext profileContext() {
        return ProfileContext{context.images, context.profile, context.device, files};
    }
    void progress(const std::string& line) const;
    // One error line "orvctl: <what>" on err; returns `code`.
    int fail(int code, const std::string& what) const;
    // The exit code for a failed command: device error, or no controller when it is gone.
    int deviceFailure(const std::string& what) const;

    DeviceContext context;
    SettingsFiles files;
    EditingFlags flags;
    const Environment& environment;

private:
    bool testMode_ = false;
    bool ended_ = false;
};

// True when `error` is the backend's permission failure (the udev rule is missing).
bool isPermissionFailure(const std::string& error);

}  // namespace orv::cli
