// orv_vm_check: the checks of the real device path, run as root inside a virtual machine whose
// kernel has vhci-hcd, usbhid and hidraw. Each check starts orv_usb_device (from the folder of
// this program) with its own state file, drives it through the Linux HID backend exactly as
// the tool does (discovery, identity switch, vendor protocol, udev monitor), prints one
// "PASS name: details" or "FAIL name: reason" line, and stops the device again. The last line
// is "N passed, M failed"; the exit status is non-zero on any failure.
//
//   orv_vm_check [--only=NAME] [--udev]
//
// --udev: systemd-udevd runs, so the monitor and the shipped udev rule can be checked.

#include <fcntl.h>
#include <grp.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "device/ConnectionWorker.h"
#include "device/ControllerDiscovery.h"
#include "device/ControllerState.h"
#include "device/MessageTarget.h"
#include "device/VendorProtocol.h"
#include "device/hid/linux/LinuxHidBackend.h"
#include <libudev.h>
#include "sim/FactoryImages.h"
#include "sim/SimStateFile.h"

namespace {

using namespace orv;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

std::string folderOf(const char* program) {
    std::string path = program;
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

long msSince(Clock::time_point start) {
    return static_cast<long>(
        std::chrono::duration_cast<milliseconds>(Clock::now() - start).count());
}

std::string hex(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

// --- The device program ---------------------------------------------------------------------

std::string gDeviceProgram;

class DeviceProcess {
public:
    explicit DeviceProcess(std::vector<std::string> arguments) {
        arguments.insert(arguments.begin(), gDeviceProgram);
        pid_ = fork();
        if (pid_ == 0) {
            std::vector<char*> argv;
            for (std::string& argument : arguments) {
                argv.push_back(argument.data());
            }
            argv.push_back(nullptr);
            execv(argv[0], argv.data());
            _exit(127);
        }
    }
    ~DeviceProcess() { stop(); }
    DeviceProcess(const DeviceProcess&) = delete;
    DeviceProcess& operator=(const DeviceProcess&) = delete;

    void signal(int number) const { kill(pid_, number); }
    // Ends the program (it detaches first); its exit status, or -1.
    int stop() {
        if (pid_ <= 0) {
            return -1;
        }
        kill(pid_, SIGTERM);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        // The kernel removes the device asynchronously; let it settle before the next check.
        waitForHidraw(false, milliseconds(3000));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Waits until some hidraw node exists (or none, with present false).
    static bool waitForHidraw(bool present, milliseconds bound) {
        const auto start = Clock::now();
        while (Clock::now() - start < bound) {
            const bool exists = access("/dev/hidraw0", F_OK) == 0;
            if (exists == present) {
                return true;
            }
            std::this_thread::sleep_for(milliseconds(20));
        }
        return false;
    }

private:
    pid_t pid_ = -1;
};

// --- Results --------------------------------------------------------------------------------

int gPassed = 0;
int gFailed = 0;

void report(const std::string& name, bool ok, const std::string& details) {
    std::printf("%s %s: %s\n", ok ? "PASS" : "FAIL", name.c_str(), details.c_str());
    std::fflush(stdout);
    (ok ? gPassed : gFailed) += 1;
}

// --- The tool's side ------------------------------------------------------------------------

struct RecordingTarget final : MessageTarget {
    std::vector<std::pair<std::uint32_t, std::uintptr_t>> posts;
    void post(std::uint32_t message, std::uintptr_t wParam, std::intptr_t) override {
        posts.emplace_back(message, wParam);
    }
    std::optional<ConnectResult> result() const {
        for (const auto& [message, wParam] : posts) {
            if (message == ConnectResultMessage) {
                return static_cast<ConnectResult>(wParam);
            }
        }
        return std::nullopt;
    }
};

const char* resultName(std::optional<ConnectResult> result) {
    if (!result) {
        return "no result";
    }
    switch (*result) {
        case ConnectResult::NotFound:
            return "NotFound";
        case ConnectResult::Connected:
            return "Connected";
        case ConnectResult::Rejected:
            return "Rejected";
        case ConnectResult::ReadFailed:
            return "ReadFailed";
    }
    return "?";
}

struct Session {
    hid::LinuxHidBackend backend;
    DeviceLink link;
    ProfileImages images;
    RecordingTarget target;
    std::optional<ConnectResult> result;
    long elapsedMs = 0;

    Session() { link.backend = &backend; }

    // The connection worker's whole run: search, identity switch, twelve images.
    bool connect() {
        const auto start = Clock::now();
        ConnectionWorker(link, images, target).run();
        elapsedMs = msSince(start);
        result = target.result();
        return result == ConnectResult::Connected;
    }
};

sim::StoredImages storedOrFactory(const std::string& stateFile) {
    sim::StoredImages images{};
    for (std::size_t mode = 0; mode < 2; ++mode) {
        for (std::size_t profile = 0; profile < sim::kProfilesPerMode; ++profile) {
            images[mode][profile] = sim::factoryImage(static_cast<HostMode>(mode), profile);
        }
    }
    std::string error;
    static_cast<void>(sim::SimStateFile(stateFile).load(images, error));
    return images;
}

bool imagesEqual(Session& session, const sim::StoredImages& expected, std::string& why) {
    for (std::size_t mode = 0; mode < 2; ++mode) {
        const auto& read = session.images.profiles(static_cast<HostMode>(mode));
        if (read.size() != sim::kProfilesPerMode) {
            why = "read " + std::to_string(read.size()) + " images of mode " + std::to_string(mode);
            return false;
        }
        for (std::size_t profile = 0; profile < read.size(); ++profile) {
            if (read[profile].bytes != expected[mode][profile].bytes) {
                why = "image mode " + std::to_string(mode) + " profile " +
                      std::to_string(profile) + " differs from the device's";
                return false;
            }
        }
    }
    return true;
}

bool sameImages(const sim::StoredImages& a, const sim::StoredImages& b) {
    for (std::size_t mode = 0; mode < 2; ++mode) {
        for (std::size_t profile = 0; profile < sim::kProfilesPerMode; ++profile) {
            if (a[mode][profile].bytes != b[mode][profile].bytes) {
                return false;
            }
        }
    }
    return true;
}

// A changed image: every byte of the reserved-agnostic pattern differs from `image`.
DeviceSettingsBlock changed(DeviceSettingsBlock image, std::uint8_t salt) {
    for (std::size_t i = 0; i < image.bytes.size(); ++i) {
        image.bytes[i] = static_cast<std::uint8_t>(image.bytes[i] ^ (salt + i * 7 + 1));
    }
    return image;
}

std::string stateFile(const std::string& name) {
    const std::string path = "/tmp/orv-" + name + ".state";
    unlink(path.c_str());
    return path;
}

// --- Checks ---------------------------------------------------------------------------------

void checkEnumeration() {
    const std::string state = stateFile("enumeration");
    const auto start = Clock::now();
    DeviceProcess device({"--state=" + state});
    Session session;
    const ProductIdentity found = findController(session.link);
    std::string seen;
    for (const hid::DeviceInfo& info : session.backend.enumerate()) {
        seen += " " + hex(info.vendorId) + ":" + hex(info.productId) + "@" + info.path;
    }
    report("enumeration", found == ProductIdentity::Ordinary,
           "found identity " + std::to_string(static_cast<int>(found)) + " after " +
               std::to_string(msSince(start)) + " ms; enumerated" + seen);
}

void checkConnectAndRead() {
    const std::string state = stateFile("connect");
    DeviceProcess device({"--state=" + state});
    Session session;
    const bool connected = session.connect();
    std::string why;
    const bool equal = connected && imagesEqual(session, storedOrFactory(state), why);
    report("switch-and-read", connected && equal,
           std::string(resultName(session.result)) + " in " +
               std::to_string(session.elapsedMs) + " ms" + (why.empty() ? "" : "; " + why) +
               (connected ? "" : "; " + session.link.lastError));
    if (!connected) {
        return;
    }
    const auto readStart = Clock::now();
    const bool again = readAllProfiles(session.link, session.images);
    report("read-all-again", again && imagesEqual(session, storedOrFactory(state), why),
           "twelve images in " + std::to_string(msSince(readStart)) + " ms" +
               (again ? "" : "; " + session.link.lastError));
    // The knock from the configuration identity brings the ordinary one back.
    const auto start = Clock::now();
    sendSwitchRequest(session.link);
    ProductIdentity found = ProductIdentity::None;
    for (int i = 0; i < kSwitchSearches && found != ProductIdentity::Ordinary; ++i) {
        std::this_thread::sleep_for(kSwitchSearchWait);
        found = probeController(session.link);
    }
    report("switch-back", found == ProductIdentity::Ordinary,
           "ordinary identity back after " + std::to_string(msSince(start)) + " ms");
}

void checkTestMode() {
    DeviceProcess device({"--state=" + stateFile("testmode")});
    Session session;
    if (!session.connect()) {
        report("test-mode", false, "connect: " + session.link.lastError);
        return;
    }
    const bool started =
        StartTest(session.link, 0, 0, vendor::kTestTargetAll, vendor::kTestShortPress);
    int reports = 0;
    const auto start = Clock::now();
    hid::Report report{};
    while (started && reports < 50 && msSince(start) < 3000) {
        reports += readReport(session.link, report, milliseconds(500)) ? 1 : 0;
    }
    // Any frame ends test mode; the controller answers commands again.
    const bool answers = Select(session.link, 0, vendor::kNoSelection);
    ::report("test-mode", started && reports == 50 && answers,
             std::to_string(reports) + " test reports in " + std::to_string(msSince(start)) +
                 " ms; Select afterwards " + (answers ? "answered" : session.link.lastError));
}

// Writes a changed image of NS profile 2 and commits it. True when both commands succeeded.
bool saveChanged(Session& session, const sim::StoredImages& before, sim::StoredImages& after,
                 long& elapsedMs) {
    after = before;
    after[0][2] = changed(before[0][2], 0x5A);
    const auto start = Clock::now();
    const bool ok = WriteProfile(session.link, after[0][2], 0, 2) && Commit(session.link, 0);
    elapsedMs = msSince(start);
    return ok;
}

void checkSave() {
    const std::string state = stateFile("save");
    sim::StoredImages before{};
    sim::StoredImages after{};
    {
        DeviceProcess device({"--state=" + state});
        Session session;
        if (!session.connect()) {
            report("save", false, "connect: " + session.link.lastError);
            return;
        }
        before = storedOrFactory(state);
        long elapsed = 0;
        const bool saved = saveChanged(session, before, after, elapsed);
        const bool stored = sameImages(sim::StoredImages(storedOrFactory(state)), after);
        report("save", saved && stored,
               std::string("write + commit ") + (saved ? "succeeded" : session.link.lastError) +
                   " in " + std::to_string(elapsed) + " ms; state file " +
                   (stored ? "holds the new image" : "does not hold the new image"));
    }
    // A new power-on loads the state file; the tool reads back what it wrote.
    DeviceProcess device({"--state=" + state});
    Session session;
    std::string why;
    const bool ok = session.connect() && imagesEqual(session, after, why);
    report("save-read-back", ok,
           ok ? "all twelve images agree after a power cycle" : why + session.link.lastError);
}

// Unplugs the controller at report `at` of a connect (and save) and checks that the failure is
// clear, bounded in time and leaves the stored images whole.
void checkUnplugAt(const std::string& name, std::size_t at, bool save) {
    const std::string state = stateFile(name);
    const sim::StoredImages before = storedOrFactory(state);
    DeviceProcess device({"--state=" + state, "--unplug-at-report=" + std::to_string(at)});
    Session session;
    const bool connected = session.connect();
    bool failedClearly = false;
    long failingMs = session.elapsedMs;
    sim::StoredImages after = before;
    if (!save) {
        failedClearly = !connected && session.result == ConnectResult::ReadFailed &&
                        !session.link.lastError.empty();
    } else if (connected) {
        const bool saved = saveChanged(session, before, after, failingMs);
        failedClearly = !saved && !session.link.lastError.empty();
    }
    const sim::StoredImages stored = storedOrFactory(state);
    const bool whole = sameImages(stored, before) || sameImages(stored, after);
    // The failure must come within one reply bound (plus slack for the emulated machine) of
    // the moment the device vanished, which for a save is inside the timed part.
    const long bound = save ? vendor::kReplyTimeout.count() + 2000 : session.elapsedMs;
    const bool bounded = !save || failingMs <= bound;
    report(name, failedClearly && whole && bounded,
           std::string("error \"") + session.link.lastError + "\" after " +
               std::to_string(failingMs) + " ms; stored images " +
               (sameImages(stored, before) ? "old" : sameImages(stored, after) ? "new" : "TORN"));
}

void checkMonitor() {
    DeviceProcess device({"--state=" + stateFile("monitor")});
    DeviceProcess::waitForHidraw(true, milliseconds(5000));
    hid::LinuxHidBackend backend;
    std::mutex mutex;
    std::vector<std::uint32_t> events;
    const bool watching = backend.watchDeviceChanges([&](std::uint32_t event) {
        std::lock_guard lock(mutex);
        events.push_back(event);
    });
    // Waits for `event` among the events after the first `from`; the time, or -1.
    const auto waitFor = [&](std::uint32_t event, std::size_t from) {
        const auto start = Clock::now();
        while (msSince(start) < 5000) {
            {
                std::lock_guard lock(mutex);
                for (std::size_t i = from; i < events.size(); ++i) {
                    if (events[i] == event) {
                        return msSince(start);
                    }
                }
            }
            std::this_thread::sleep_for(milliseconds(10));
        }
        return -1L;
    };
    const auto count = [&] {
        std::lock_guard lock(mutex);
        return events.size();
    };
    std::size_t before = count();
    device.signal(SIGUSR1);
    const long removal = waitFor(hid::kDeviceRemoveComplete, before);
    before = count();
    device.signal(SIGUSR2);
    const long arrival = waitFor(hid::kDeviceArrival, before);
    backend.watchDeviceChanges(nullptr);
    report("udev-monitor", watching && removal >= 0 && arrival >= 0,
           (watching ? std::string("watching") : "cannot watch: " + backend.lastError()) +
               "; removal after " + std::to_string(removal) + " ms, arrival after " +
               std::to_string(arrival) + " ms");
}

// Runs `body` as an unprivileged user in a child process; its output line and exit status.
std::pair<int, std::string> asUser(uid_t uid, gid_t gid, const std::function<int(std::string&)>& body) {
    int pipeFds[2];
    if (pipe(pipeFds) != 0) {
        return {-1, "pipe failed"};
    }
    const pid_t pid = fork();
    if (pid == 0) {
        close(pipeFds[0]);
        std::string text;
        int status = 3;
        if (setgroups(0, nullptr) == 0 && setgid(gid) == 0 && setuid(uid) == 0) {
            status = body(text);
        } else {
            text = "cannot drop privileges";
        }
        static_cast<void>(write(pipeFds[1], text.data(), text.size()));
        _exit(status);
    }
    close(pipeFds[1]);
    std::string text;
    char buffer[512];
    ssize_t got = 0;
    while ((got = read(pipeFds[0], buffer, sizeof buffer)) > 0) {
        text.append(buffer, static_cast<std::size_t>(got));
    }
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, text};
}

constexpr uid_t kUser = 1000;
constexpr gid_t kUserGroup = 1000;

// As the user: find the controller the way the tool does. 0 when it opened.
int userOpens(std::string& text) {
    hid::LinuxHidBackend backend;
    DeviceLink link;
    link.backend = &backend;
    const ProductIdentity found = probeController(link);
    text = found == ProductIdentity::None ? link.lastError : "opened";
    return found == ProductIdentity::None ? 1 : 0;
}

void checkPermission() {
    DeviceProcess device({"--state=" + stateFile("permission")});
    DeviceProcess::waitForHidraw(true, milliseconds(5000));
    std::this_thread::sleep_for(milliseconds(300));  // udevd done with the node
    const auto [status, text] = asUser(kUser, kUserGroup, userOpens);
    const bool named = text.find("No permission") != std::string::npos &&
                       text.find(hid::kUdevRuleFile) != std::string::npos;
    report("no-permission", status == 1 && named, "user sees: " + text);
}


// --- orvctl ---------------------------------------------------------------------------------

std::string gOrvctl;

struct Run {
    int status = -1;
    std::string out;
    std::string err;
    long ms = 0;
};

std::string slurp(const std::string& path) {
    std::string text;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        char buffer[4096];
        std::size_t got = 0;
        while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
            text.append(buffer, got);
        }
        std::fclose(file);
    }
    return text;
}

// Runs `program` with `arguments`, as `uid` when given; standard output and error captured.
Run runProgram(const std::string& program, std::vector<std::string> arguments,
               std::optional<uid_t> uid = std::nullopt, std::vector<gid_t> groups = {}) {
    arguments.insert(arguments.begin(), program);
    const auto start = Clock::now();
    const pid_t pid = fork();
    if (pid == 0) {
        const int out = ::open("/tmp/orvctl.out", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const int err = ::open("/tmp/orvctl.err", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(err, 2);
        if (uid) {
            if (setgroups(groups.size(), groups.data()) != 0 || setgid(*uid) != 0 ||
                setuid(*uid) != 0) {
                _exit(126);
            }
            // The user's own folders, not root's.
            setenv("HOME", "/tmp", 1);
            unsetenv("XDG_RUNTIME_DIR");
        }
        std::vector<char*> argv;
        for (std::string& argument : arguments) {
            argv.push_back(argument.data());
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    Run run;
    run.ms = msSince(start);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = slurp("/tmp/orvctl.out");
    run.err = slurp("/tmp/orvctl.err");
    return run;
}

Run orvctl(std::vector<std::string> arguments, std::optional<uid_t> uid = std::nullopt,
           std::vector<gid_t> groups = {}) {
    return runProgram(gOrvctl, std::move(arguments), uid, std::move(groups));
}

std::string firstLine(const std::string& text) {
    return text.substr(0, text.find('\n'));
}

// The identity the controller shows now, probed by the backend.
ProductIdentity identityNow() {
    hid::LinuxHidBackend backend;
    DeviceLink link;
    link.backend = &backend;
    const ProductIdentity found = findController(link);
    return found;
}

void checkOrvctl() {
    const std::string state = stateFile("orvctl");
    DeviceProcess device({"--state=" + state});
    DeviceProcess::waitForHidraw(true, milliseconds(5000));

    const Run list = orvctl({"list"});
    report("orvctl-list", list.status == 0 && list.out.find("0a10") != std::string::npos,
           "exit " + std::to_string(list.status) + ": " + firstLine(list.out + list.err));

    // The same state file through the simulated controller gives what the device holds.
    const Run expected = orvctl({"--simulate=" + state, "show", "--json"});
    const Run show = orvctl({"show", "--json"});
    const bool equal = show.status == 0 && expected.status == 0 && show.out == expected.out;
    report("orvctl-show", equal && show.out.size() > 1000,
           "exit " + std::to_string(show.status) + " in " + std::to_string(show.ms) + " ms, " +
               std::to_string(show.out.size()) + " bytes, " +
               (equal ? "equal to the device's state" : "differs: " + firstLine(show.err)));
    const ProductIdentity after = identityNow();
    report("orvctl-show-leaves-ordinary", after == ProductIdentity::Ordinary,
           "identity afterwards " + std::to_string(static_cast<int>(after)));

    const std::string before = slurp(state);
    const Run set = orvctl({"set", "--mode", "ns", "--profile", "2", "A.short=B",
                            "LStick.sensitivity=150%"});
    const std::string stored = slurp(state);
    const Run readBack = orvctl({"show", "--json"});
    const Run simulated = orvctl({"--simulate=" + state, "show", "--json"});
    const bool changedState = !stored.empty() && stored != before;
    const bool agrees = readBack.status == 0 && readBack.out == simulated.out &&
                        readBack.out != show.out;
    report("orvctl-set", set.status == 0 && changedState && agrees,
           "exit " + std::to_string(set.status) + " in " + std::to_string(set.ms) +
               " ms; state file " + (changedState ? "changed" : "unchanged") + "; read-back " +
               (agrees ? "agrees" : "disagrees") + (set.err.empty() ? "" : "; " + firstLine(set.err)));
}

// orvctl while the device vanishes at report `at`: a clear error, soon after the unplug, and
// the stored images old or new, never a mix.
void checkOrvctlUnplug(const std::string& name, std::size_t at, bool save) {
    const std::string state = stateFile(name);
    const std::string stamp = "/tmp/orv-" + name + ".unplugged";
    unlink(stamp.c_str());
    const sim::StoredImages before = storedOrFactory(state);
    DeviceProcess device({"--state=" + state, "--unplug-at-report=" + std::to_string(at),
                          "--unplug-stamp=" + stamp});
    DeviceProcess::waitForHidraw(true, milliseconds(5000));
    const Run run = save ? orvctl({"set", "--mode", "ns", "--profile", "2", "A.short=B"})
                         : orvctl({"show", "--json"});
    const auto end = std::chrono::steady_clock::now().time_since_epoch();
    const std::string stampText = slurp(stamp);
    long noticedMs = -1;
    if (!stampText.empty()) {
        noticedMs = static_cast<long>(
            (std::chrono::duration_cast<std::chrono::nanoseconds>(end).count() -
             std::stoll(stampText)) / 1000000);
    }
    const sim::StoredImages stored = storedOrFactory(state);
    const bool old = sameImages(stored, before);
    // A torn mix would change more than the one image the command writes.
    bool onlyTarget = true;
    for (std::size_t mode = 0; mode < 2; ++mode) {
        for (std::size_t profile = 0; profile < sim::kProfilesPerMode; ++profile) {
            if (!(mode == 0 && profile == 1) &&
                stored[mode][profile].bytes != before[mode][profile].bytes) {
                onlyTarget = false;
            }
        }
    }
    // The command ends within one reply bound of the unplug (plus slack for emulation and for
    // switching the identity back, which finds nothing).
    const long bound = vendor::kReplyTimeout.count() + 7000;
    const bool bounded = noticedMs >= 0 && noticedMs <= bound;
    report(name, run.status != 0 && !run.err.empty() && bounded && onlyTarget,
           "exit " + std::to_string(run.status) + ", \"" + firstLine(run.err) + "\", " +
               std::to_string(noticedMs) + " ms after the unplug; stored images " +
               (old ? "old" : onlyTarget ? "new" : "TORN"));
}

void checkOrvctlPermission() {
    DeviceProcess device({"--state=" + stateFile("orvctl-permission")});
    DeviceProcess::waitForHidraw(true, milliseconds(5000));
    std::this_thread::sleep_for(milliseconds(300));
    const Run list = orvctl({"list"}, kUser);
    const std::string all = list.out + list.err;
    report("orvctl-no-permission",
           list.status == 4 && all.find("70-orv-controller.rules") != std::string::npos,
           "exit " + std::to_string(list.status) + ": " + firstLine(list.err.empty() ? list.out : list.err));
}


// With the shipped rule installed and udevd reloaded, the controller's hidraw node and its USB
// device both carry the uaccess tag (the seat manager turns that into an ACL for the user at
// the seat; there is none in this machine) and belong to the plugdev group, so a member of it
// without a seat (a login over ssh) opens the controller: orvctl as that user switches the
// identity through the USB node, reads all twelve profiles through hidraw and switches back.
constexpr gid_t kPlugdevGroup = 46;

void checkUdevRule(const std::string& ruleSource) {
    const std::string installed = "/etc/udev/rules.d/70-orv-controller.rules";
    const std::string copy = "cp " + ruleSource + " " + installed +
                             " && udevadm control --reload-rules";
    if (std::system(copy.c_str()) != 0) {
        report("udev-rule", false, "cannot install " + ruleSource);
        return;
    }
    bool hidrawTagged = false;
    bool usbTagged = false;
    std::string node;
    std::string usbNode;
    Run show;
    Run showAsOther;
    ProductIdentity after = ProductIdentity::None;
    std::string nodeModes;
    const auto modeOf = [](const std::string& path) {
        struct stat info {};
        if (path.empty() || ::stat(path.c_str(), &info) != 0) {
            return std::string("missing");
        }
        char text[32];
        std::snprintf(text, sizeof text, "%o gid %u", info.st_mode & 07777,
                      static_cast<unsigned>(info.st_gid));
        return std::string(text);
    };
    {
        const std::string state = stateFile("udev-rule");
        DeviceProcess device({"--state=" + state});
        DeviceProcess::waitForHidraw(true, milliseconds(5000));
        static_cast<void>(std::system("udevadm settle -t 10"));
        if (udev* context = udev_new()) {
            if (udev_device* hidraw =
                    udev_device_new_from_subsystem_sysname(context, "hidraw", "hidraw0")) {
                node = udev_device_get_devnode(hidraw) ? udev_device_get_devnode(hidraw) : "";
                hidrawTagged = udev_device_has_tag(hidraw, "uaccess") > 0;
                if (udev_device* usb =
                        udev_device_get_parent_with_subsystem_devtype(hidraw, "usb", "usb_device")) {
                    usbTagged = udev_device_has_tag(usb, "uaccess") > 0;
                    usbNode = udev_device_get_devnode(usb) ? udev_device_get_devnode(usb) : "";
                }
                udev_device_unref(hidraw);
            }
            udev_unref(context);
        }
        nodeModes = modeOf(node) + ", " + modeOf(usbNode);
        // The user in plugdev, and for comparison the same user without it.
        show = orvctl({"show", "--json"}, kUser, {kUserGroup, kPlugdevGroup});
        // Back in its ordinary identity, the controller comes up with the rule applied again.
        std::this_thread::sleep_for(milliseconds(500));
        after = identityNow();
        DeviceProcess::waitForHidraw(true, milliseconds(5000));
        static_cast<void>(std::system("udevadm settle -t 10"));
        showAsOther = orvctl({"list"}, kUser, {kUserGroup});
    }
    unlink(installed.c_str());
    static_cast<void>(std::system("udevadm control --reload-rules"));
    report("udev-rule", hidrawTagged && usbTagged,
           std::string("uaccess on ") + node + ": " + (hidrawTagged ? "yes" : "no") +
               ", on its USB device: " + (usbTagged ? "yes" : "no") + "; modes while present: " +
               nodeModes);
    report("udev-rule-plugdev-opens",
           show.status == 0 && show.out.size() > 1000 && after == ProductIdentity::Ordinary &&
               showAsOther.status == 4,
           "plugdev member: orvctl show exit " + std::to_string(show.status) + " in " +
               std::to_string(show.ms) + " ms" +
               (show.err.empty() ? "" : " (" + firstLine(show.err) + ")") +
               ", identity afterwards " + std::to_string(static_cast<int>(after)) +
               "; not a member: orvctl list exit " + std::to_string(showAsOther.status));
}


// The window, offscreen, against the device: connects and saves a screenshot of the overview.
void checkWindow(const std::string& orvtool) {
    DeviceProcess device({"--state=" + stateFile("window")});
    DeviceProcess::waitForHidraw(true, milliseconds(5000));
    const std::string shot = "/tmp/overview.png";
    unlink(shot.c_str());
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    // English: the guest carries the tool's own font only, which has no Japanese glyphs.
    setenv("LANG", "en_US.UTF-8", 1);
    setenv("ORV_LANGID", "1033", 1);
    const Run run = runProgram(orvtool, {"--screenshot=" + shot});
    const std::string png = slurp(shot);
    const bool isPng = png.size() > 1000 && png.compare(1, 3, "PNG") == 0;
    report("window-screenshot", run.status == 0 && isPng,
           "exit " + std::to_string(run.status) + " in " + std::to_string(run.ms) + " ms, " +
               std::to_string(png.size()) + " bytes" +
               (run.err.empty() ? "" : "; " + firstLine(run.err)));
}

}  // namespace

int main(int argc, char** argv) {
    gDeviceProgram = folderOf(argv[0]) + "/orv_usb_device";
    gOrvctl = folderOf(argv[0]) + "/orvctl";
    std::string only;
    bool udev = false;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--only=", 0) == 0) {
            only = argument.substr(7);
        } else if (argument == "--udev") {
            udev = true;
        }
    }
    const auto wanted = [&](const std::string& name) {
        return only.empty() || only == name;
    };
    if (wanted("enumeration")) checkEnumeration();
    if (wanted("connect")) checkConnectAndRead();
    if (wanted("test-mode")) checkTestMode();
    if (wanted("save")) checkSave();
    // Reports of a connect: per mode a Select and 6 x 20 chunk requests and replies, then a
    // closing Select (486 in all); a save adds 11 data reports and the Commit exchange.
    if (wanted("unplug")) {
        checkUnplugAt("unplug-mid-read", 200, false);
        checkUnplugAt("unplug-mid-write", 492, true);
        checkUnplugAt("unplug-at-commit-reply", 499, true);
    }
    if (udev && wanted("monitor")) checkMonitor();
    if (wanted("permission")) checkPermission();
    if (udev && wanted("udev-rule")) checkUdevRule(folderOf(argv[0]) + "/../70-orv-controller.rules");
    if (access(gOrvctl.c_str(), X_OK) == 0) {
        if (wanted("orvctl")) checkOrvctl();
        if (wanted("orvctl-unplug")) {
            checkOrvctlUnplug("orvctl-unplug-mid-read", 200, false);
            checkOrvctlUnplug("orvctl-unplug-mid-write", 492, true);
        }
        if (wanted("permission")) checkOrvctlPermission();
    }
    const std::string orvtool = folderOf(argv[0]) + "/orvtool";
    if (access(orvtool.c_str(), X_OK) == 0 && wanted("window")) checkWindow(orvtool);
    std::printf("%d passed, %d failed\n", gPassed, gFailed);
    return gFailed == 0 ? 0 : 1;
}
