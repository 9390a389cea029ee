#include "cli/Commands.h"

#include <ostream>

#include "cli/ShowOutput.h"
#include "context/InstanceLock.h"
#include "device/ControllerDiscovery.h"
#include "profile/ProfileEditing.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileSlots.h"
#include "profile/SettingAssignment.h"

namespace orv::cli {

namespace {

struct Identity {
    std::uint16_t productId;
    const char* name;
};
constexpr std::array<Identity, 3> kIdentities = {{{kOrdinaryProductId, "ordinary"},
                                                  {kConfigurationProductId, "configuration"},
                                                  {kRejectedProductId, "rejected"}}};

std::string hex4(std::uint16_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "%04x", value);
    return text;
}

int usage(const Environment& environment, const std::string& what) {
    *environment.err << "orvctl: " << what << "; see `orvctl help`\n";
    return kUsageError;
}

// The --mode and --profile a command needs; false after a usage error line.
bool requireSlot(const Invocation& invocation, const Session& session, const char* command) {
    if (!invocation.mode || !invocation.profile) {
        usage(session.environment, std::string(command) + " needs --mode ns|pc and --profile 1..6");
        return false;
    }
    return true;
}

int saveEdited(Session& session, const std::string& done) {
    ProfileContext parts = session.profileContext();
    session.progress("Saving to the controller...");
    const ProfileOutcome saved = saveProfile(parts, session.flags);
    if (!saved.succeeded) {
        return session.deviceFailure("saving to the controller failed (" + saved.detail +
                                     "); the profile on the controller was not changed");
    }
    *session.environment.out << done << '\n';
    return kSuccess;
}

std::string slotName(const Invocation& invocation) {
    return std::string(*invocation.mode == HostMode::PC ? "PC" : "NS") + " profile " +
           std::to_string(*invocation.profile);
}

}  // namespace

int listControllers(const Invocation& invocation, const Environment& environment) {
    std::ostream& out = *environment.out;
    if (environment.backend == nullptr) {
        *environment.err << "orvctl: no HID backend\n";
        return kFailure;
    }
    struct Row {
        hid::DeviceInfo info;
        const char* identity;
        bool opens;
        std::string reason;
    };
    std::vector<Row> rows;
    for (const hid::DeviceInfo& info : environment.backend->enumerate()) {
        if (info.vendorId != kVendorId) {
            continue;
        }
        const char* identity = "unknown";
        for (const Identity& known : kIdentities) {
            if (known.productId == info.productId) {
                identity = known.name;
            }
        }
        std::string error;
        const bool opens = environment.backend->open(info, error) != nullptr;
        rows.push_back({info, identity, opens, opens ? std::string() : error});
    }
    bool permissionDenied = false;
    for (const Row& row : rows) {
        permissionDenied = permissionDenied || isPermissionFailure(row.reason);
    }
    if (invocation.json) {
        out << "{\"controllers\": [";
        bool first = true;
        for (const Row& row : rows) {
            out << (first ? "\n" : ",\n") << "  {\"vendor\": \"" << hex4(row.info.vendorId)
                << "\", \"product\": \"" << hex4(row.info.productId) << "\", \"identity\": \""
                << row.identity << "\", \"path\": " << jsonString(row.info.path)
                << ", \"opens\": " << (row.opens ? "true" : "false");
            if (!row.opens) {
                out << ", \"reason\": " << jsonString(row.reason);
            }
            out << "}";
            first = false;
        }
        out << "\n]}\n";
    } else {
        for (const Row& row : rows) {
            out << hex4(row.info.vendorId) << ':' << hex4(row.info.productId) << "  "
                << row.identity << "  " << row.info.path << "  "
                << (row.opens ? "can be opened" : "cannot be opened: " + row.reason) << '\n';
        }
    }
    if (rows.empty()) {
        *environment.err << "orvctl: no controller present; plug it in\n";
        return kNoController;
    }
    return permissionDenied ? kPermissionDenied : kSuccess;
}

int showProfiles(const Invocation& invocation, Session& session) {
    if (!invocation.arguments.empty()) {
        return usage(session.environment, "show takes no arguments");
    }
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    std::vector<ShownProfile> shown;
    for (const HostMode mode : {HostMode::NS, HostMode::PC}) {
        if (invocation.mode && *invocation.mode != mode) {
            continue;
        }
        const auto& images = session.context.images.profiles(mode);
        for (std::uint32_t number = 1; number <= images.size(); ++number) {
            if (!invocation.profile || *invocation.profile == number) {
                shown.push_back({mode, number, &images[number - 1]});
            }
        }
    }
    *session.environment.out << (invocation.json ? showJson(shown, session.context.text)
                                                 : showText(shown, session.context.text))
                             << std::flush;
    return kSuccess;
}

int setSettings(const Invocation& invocation, Session& session) {
    if (!requireSlot(invocation, session, "set")) {
        return kUsageError;
    }
    if (invocation.arguments.empty()) {
        return usage(session.environment, "set needs at least one SETTING=VALUE");
    }
    // Every value is checked before the controller is touched: a bad one changes nothing.
    DeviceSettingsBlock trial{};
    if (Status checked = applySettings(trial, *invocation.mode, invocation.arguments); !checked) {
        return usage(session.environment, checked.error + "; nothing was written");
    }
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    if (!session.enterProfile(*invocation.mode, *invocation.profile)) {
        return kDeviceError;
    }
    ProfileImages& images = session.context.images;
    static_cast<void>(applySettings(images.workingBlock, images.hostMode, invocation.arguments));
    return saveEdited(session, "Saved " + slotName(invocation) + ".");
}

int resetProfile(const Invocation& invocation, Session& session) {
    if (!requireSlot(invocation, session, "reset")) {
        return kUsageError;
    }
    if (!invocation.arguments.empty()) {
        return usage(session.environment, "reset takes no arguments");
    }
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    if (!session.enterProfile(*invocation.mode, *invocation.profile)) {
        return kDeviceError;
    }
    ProfileContext parts = session.profileContext();
    const ProfileOutcome reset = factoryResetProfile(parts, session.flags);
    if (!reset.succeeded) {
        return session.fail(kFailure, "the factory settings could not be read (" + reset.detail +
                                          "); reinstall the tool");
    }
    return saveEdited(session, "Reset " + slotName(invocation) + " to the factory settings.");
}

int renameProfile(const Invocation& invocation, Session& session) {
    if (!requireSlot(invocation, session, "rename")) {
        return kUsageError;
    }
    if (invocation.arguments.size() != 1 || invocation.arguments[0].empty()) {
        return usage(session.environment, "rename needs one non-empty NAME");
    }
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    if (!session.enterProfile(*invocation.mode, *invocation.profile)) {
        return kDeviceError;
    }
    session.context.profile.enteredName = invocation.arguments[0];
    ProfileContext parts = session.profileContext();
    static_cast<void>(renameCurrentProfile(parts));
    return saveEdited(session, "Renamed " + slotName(invocation) + " to \"" +
                                   readProfileName(session.context.images.workingBlock) + "\".");
}

int runCommand(const Invocation& invocation, const Environment& environment) {
    if (invocation.command == Command::Help) {
        *environment.out << usageText();
        return kSuccess;
    }
    if (invocation.command == Command::Version) {
        *environment.out << "orvctl " << ORV_VERSION << '\n';
        return kSuccess;
    }
    InstanceLock lock;
    if (!lock.tryAcquire()) {
        *environment.err << "orvctl: "
                         << (lock.error().empty()
                                 ? "the ORV function set tool (or another orvctl) is using the "
                                   "controller; close it and run the command again"
                                 : "cannot take the instance lock: " + lock.error())
                         << '\n';
        return kBusy;
    }
    if (invocation.command == Command::List) {
        return listControllers(invocation, environment);
    }
    Session session(environment);
    switch (invocation.command) {
        case Command::Show:
            return showProfiles(invocation, session);
        case Command::Set:
            return setSettings(invocation, session);
        case Command::Reset:
            return resetProfile(invocation, session);
        case Command::Rename:
            return renameProfile(invocation, session);
        case Command::Backup:
            return backupController(invocation, session);
        case Command::Restore:
            return restoreController(invocation, session);
        case Command::Export:
            return exportProfile(invocation, session);
        case Command::Import:
            return importProfile(invocation, session);
        case Command::Test:
            return runLiveTest(invocation, session);
        default:
            return kUsageError;
    }
}

}  // namespace orv::cli
