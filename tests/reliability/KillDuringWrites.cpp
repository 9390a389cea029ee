// Kills the tool's file writers with SIGKILL at random moments and checks what is left.
//
// A forked child repeats one operation for ever against files in a private folder: Export of a
// profile, Import of one, Save to a simulated controller that keeps its images in a state file,
// or a menu rewrite. Each repetition alternates between two versions ("old" and "new"), so at
// any moment every file the child writes must be one of them, whole. The parent kills the
// child after a random pause and checks: exported databases pass SQLite's integrity_check and
// hold one of the two profiles, the imported file is untouched, the controller's state file
// loads and holds one of the two images, the menu parses and carries one of the two texts.
//
//   orv_kill_test [seconds]          default 60, or ORV_KILL_SECONDS
//   ORV_KILL_SEED=<n> orv_kill_test  replays the pauses of an earlier run
// Prints the kills survived per operation; exits 1 on the first broken file, naming the seed.

#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include <boost/property_tree/ptree.hpp>
#include <boost/property_tree/xml_parser.hpp>

#include "device/ControllerDiscovery.h"
#include "device/ManualClock.h"
#include "device/VendorProtocol.h"
#include "profile/ProfileEditing.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileTransfer.h"
#include "profile/SettingsDatabase.h"
#include "sim/SimStateFile.h"
#include "sim/SimulatedBackend.h"
#include "sim/SimulatedController.h"
#include "text/MenuDefinition.h"

namespace {

namespace fs = std::filesystem;

enum class Operation { Export, Import, Save, MenuRewrite };
constexpr std::array kOperations = {Operation::Export, Operation::Import, Operation::Save,
                                    Operation::MenuRewrite};

const char* nameOf(Operation operation) {
    switch (operation) {
    case Operation::Export:
        return "export";
    case Operation::Import:
        return "import";
    case Operation::Save:
        return "save";
    case Operation::MenuRewrite:
        return "menu rewrite";
    }
    return "?";
}

// The two versions differ in what button A produces (function code, first byte of its record).
constexpr std::array<std::uint8_t, 2> kVersionCode = {7, 5};  // X, then Y
constexpr std::array<const char*, 2> kVersionText = {"Old text", "New text \xE6\x96\xB0"};
constexpr std::size_t kSlotA = static_cast<std::size_t>(orv::ButtonSlot::A);

std::string readAll(const fs::path& file) {
    std::string bytes;
    if (std::FILE* in = std::fopen(file.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
            bytes.append(buffer, n);
        }
        std::fclose(in);
    }
    return bytes;
}

// One profile session against a simulated controller, in the child.
struct Session {
    explicit Session(const fs::path& folder, const fs::path& dataFolder)
        : files(orv::SettingsFiles::beside(dataFolder)) {
        orv::sim::ControllerOptions options =
            orv::sim::ControllerOptions::poweringOnAs(orv::kConfigurationProductId);
        options.stateFile = (folder / "controller.state").string();
        controller = backend.addController(options);
        link.backend = &backend;
        link.clock = &clock;
        if (!orv::openController(link, orv::kConfigurationProductId)) {
            std::_Exit(3);
        }
        for (std::uint8_t index = 0; index < 6; ++index) {
            if (!orv::ReadProfile(link, 0, index)) {
                std::_Exit(3);
            }
            images.nsProfiles.push_back(link.receivedBlock);
            images.pcProfiles.push_back(link.receivedBlock);
        }
        orv::rebuildSwitchModeLists(images);
        images.hostMode = orv::HostMode::NS;
        images.currentProfile = 1;
        images.workingBlock = images.nsProfiles[0];
        profile.entryBlock = images.workingBlock;
        profile.backupBlock = images.workingBlock;
    }

    void setVersion(std::size_t version) {
        images.workingBlock[orv::block::buttonRecordOffset(kSlotA)] = kVersionCode[version];
    }

    orv::ManualClock clock;
    orv::sim::SimulatedBackend backend{clock};
    std::shared_ptr<orv::sim::SimulatedController> controller;
    orv::DeviceLink link;
    orv::ProfileImages images;
    orv::ProfileState profile;
    orv::SettingsFiles files;
    orv::ProfileContext context{images, profile, link, files};
    orv::EditingFlags flags;
};

struct Paths {
    fs::path folder;
    fs::path data;  // the shipped databases
    fs::path exported() const { return folder / "Exported.db"; }
    fs::path importSource() const { return folder / "ToImport.db"; }
    fs::path state() const { return folder / "controller.state"; }
    fs::path menu() const { return folder / "FileMenu_english.xml"; }
};

// Repeats the operation, alternating versions, until killed. Writes one byte to `ready` once
// the first repetition starts, so the kill falls inside the work, not the set-up.
[[noreturn]] void runChild(Operation operation, const Paths& paths, int ready) {
    Session session(paths.folder, paths.data);
    const orv::MenuDefinition menu(paths.menu());
    const char started = 1;
    if (::write(ready, &started, 1) != 1) {
        std::_Exit(4);
    }
    for (std::size_t round = 0;; ++round) {
        const std::size_t version = round % 2;
        switch (operation) {
        case Operation::Export:
            session.setVersion(version);
            session.images.nsProfiles[0] = session.images.workingBlock;
            orv::exportProfile(session.context, paths.exported());
            break;
        case Operation::Import:
            orv::importProfile(session.context, session.flags, paths.importSource());
            break;
        case Operation::Save:
            session.setVersion(version);
            orv::saveProfile(session.context, session.flags);
            break;
        case Operation::MenuRewrite:
            menu.setItemText("ImportMenuBtn", kVersionText[version]);
            break;
        }
    }
}

// Function code of button A in a settings file, after its integrity check; nullopt (with the
// reason on stderr) when the file is broken.
std::optional<std::uint8_t> checkedSettingsFile(const fs::path& file) {
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s does not open: %s\n", file.c_str(), sqlite3_errmsg(db));
        sqlite3_close(db);
        return std::nullopt;
    }
    std::string verdict;
    sqlite3_exec(
        db, "PRAGMA integrity_check;",
        [](void* out, int, char** values, char**) {
            *static_cast<std::string*>(out) += values[0] != nullptr ? values[0] : "";
            return 0;
        },
        &verdict, nullptr);
    sqlite3_close(db);
    if (verdict != "ok") {
        std::fprintf(stderr, "%s fails integrity_check: %s\n", file.c_str(), verdict.c_str());
        return std::nullopt;
    }
    orv::SqliteConnection connection;
    std::string error;
    if (!connection.open(file.string(), SQLITE_OPEN_READONLY, error)) {
        std::fprintf(stderr, "%s does not open: %s\n", file.c_str(), error.c_str());
        return std::nullopt;
    }
    orv::DeviceSettingsBlock block{};
    orv::loadProfileFromDatabase(connection, block);
    return block[orv::block::buttonRecordOffset(kSlotA)];
}

bool isOneVersion(std::optional<std::uint8_t> code) {
    return code && (*code == kVersionCode[0] || *code == kVersionCode[1]);
}

// Checks the files of `operation` after a kill; a message on stderr and false when broken.
bool filesAreWhole(Operation operation, const Paths& paths, const std::string& importBytes,
                   std::uint8_t initialCode, bool& stateFileSeen) {
    switch (operation) {
    case Operation::Export:
        // Absent only until the first export completed.
        return !fs::exists(paths.exported()) || isOneVersion(checkedSettingsFile(paths.exported()));
    case Operation::Import:
        if (readAll(paths.importSource()) != importBytes) {
            std::fprintf(stderr, "the imported file changed\n");
            return false;
        }
        return true;
    case Operation::Save: {
        // The simulated controller writes its state file at the first Commit: a kill before
        // that leaves none, which is the old state. Once there, it must never go away.
        if (!fs::exists(paths.state())) {
            if (stateFileSeen) {
                std::fprintf(stderr, "the controller state file went away\n");
            }
            return !stateFileSeen;
        }
        stateFileSeen = true;
        orv::sim::StoredImages stored{};
        std::string error;
        if (!orv::sim::SimStateFile(paths.state().string()).load(stored, error)) {
            std::fprintf(stderr, "the controller state file is torn: %s\n", error.c_str());
            return false;
        }
        const std::uint8_t code = stored[0][0][orv::block::buttonRecordOffset(kSlotA)];
        if (code != initialCode && !isOneVersion(code)) {
            std::fprintf(stderr, "the controller state holds neither image (A = %u)\n", code);
            return false;
        }
        return true;
    }
    case Operation::MenuRewrite: {
        boost::property_tree::ptree tree;
        try {
            boost::property_tree::read_xml(paths.menu().string(), tree);
        } catch (const std::exception& e) {
            std::fprintf(stderr, "the menu no longer parses: %s\n", e.what());
            return false;
        }
        for (const auto& item : tree.get_child("Window.Menu")) {
            if (item.second.get<std::string>("<xmlattr>.name", "") == "ImportMenuBtn") {
                const std::string text = item.second.get<std::string>("<xmlattr>.text", "");
                return text == kVersionText[0] || text == kVersionText[1] ||
                       text.find("Old") == std::string::npos;  // the shipped text
            }
        }
        std::fprintf(stderr, "the menu lost its item\n");
        return false;
    }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    const char* secondsText = argc > 1 ? argv[1] : std::getenv("ORV_KILL_SECONDS");
    const int seconds = secondsText != nullptr ? std::atoi(secondsText) : 60;
    const char* seedText = std::getenv("ORV_KILL_SEED");
    const std::uint64_t seed =
        seedText != nullptr ? std::strtoull(seedText, nullptr, 10) : std::random_device{}();
    std::mt19937_64 random(seed);

    Paths paths;
    paths.data = ORV_TEST_DATA_DIR;
    paths.folder = fs::temp_directory_path() / ("orv-kill-" + std::to_string(::getpid()));
    fs::create_directories(paths.folder);
    // Private temporary folders of the operations go here too, to be counted afterwards.
    const fs::path scratch = paths.folder / "tmp";
    fs::create_directories(scratch);
    setenv("TMPDIR", scratch.c_str(), 1);
    fs::copy_file(paths.data / "Resources" / "FileMenu_english.xml", paths.menu());

    // The file to import: an export of version "new", made once before any kill.
    std::uint8_t initialCode = 0;
    {
        Session session(paths.folder, paths.data);
        initialCode = session.images.nsProfiles[0][orv::block::buttonRecordOffset(kSlotA)];
        session.setVersion(1);
        session.images.nsProfiles[0] = session.images.workingBlock;
        if (!orv::exportProfile(session.context, paths.importSource()).succeeded) {
            std::fprintf(stderr, "cannot make the file to import\n");
            return 2;
        }
        session.controller->unplug();
    }
    fs::remove(paths.state());
    const std::string importBytes = readAll(paths.importSource());

    std::map<Operation, int> survived;
    bool stateFileSeen = false;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    std::uniform_int_distribution<int> pauseMicroseconds(0, 20000);
    for (std::uint64_t kill = 0; std::chrono::steady_clock::now() < end; ++kill) {
        const Operation operation = kOperations[static_cast<std::size_t>(kill % kOperations.size())];
        int pipeEnds[2];
        if (::pipe(pipeEnds) != 0) {
            return 2;
        }
        const pid_t child = ::fork();
        if (child == 0) {
            ::close(pipeEnds[0]);
            runChild(operation, paths, pipeEnds[1]);
        }
        ::close(pipeEnds[1]);
        char started = 0;
        const bool ready = ::read(pipeEnds[0], &started, 1) == 1;
        ::close(pipeEnds[0]);
        const int pause = pauseMicroseconds(random);
        if (ready) {
            ::usleep(static_cast<useconds_t>(pause));
        }
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        if (!ready || !WIFSIGNALED(status)) {
            std::fprintf(stderr, "the %s child ended on its own (status %d)\n", nameOf(operation),
                         status);
            return 1;
        }
        if (!filesAreWhole(operation, paths, importBytes, initialCode, stateFileSeen)) {
            std::fprintf(stderr,
                         "kill %llu (%s, %d us after the start) left a broken file; replay with "
                         "ORV_KILL_SEED=%llu\n",
                         static_cast<unsigned long long>(kill), nameOf(operation), pause,
                         static_cast<unsigned long long>(seed));
            return 1;
        }
        ++survived[operation];
    }

    std::size_t leftovers = 0;
    for (const auto& entry : fs::recursive_directory_iterator(paths.folder)) {
        const std::string name = entry.path().filename().string();
        if (name.front() == '.' || name.ends_with(".tmp") || name.ends_with(".rewrite") ||
            entry.path().parent_path() == scratch) {
            ++leftovers;
        }
    }
    int total = 0;
    for (const Operation operation : kOperations) {
        std::printf("kills survived, %s: %d\n", nameOf(operation), survived[operation]);
        total += survived[operation];
    }
    std::printf("kills survived: %d in %d s (seed %llu); temporary files left by killed "
                "writers: %zu\n",
                total, seconds, static_cast<unsigned long long>(seed), leftovers);
    std::error_code ignored;
    fs::remove_all(paths.folder, ignored);
    return 0;
}
