// export and import: the same settings files and rules as the window's Export and Import.

#include <ostream>

#include "cli/Commands.h"
#include "profile/ProfileEditing.h"
#include "profile/ProfileModel.h"
#include "profile/ProfileTransfer.h"

namespace orv::cli {

namespace {

int usage(const Environment& environment, const std::string& what) {
    *environment.err << "orvctl: " << what << "; see `orvctl help`\n";
    return kUsageError;
}

}  // namespace

int exportProfile(const Invocation& invocation, Session& session) {
    if (!invocation.mode || !invocation.profile || invocation.arguments.size() != 1) {
        return usage(session.environment, "export needs --mode ns|pc, --profile 1..6 and FILE.db");
    }
    const std::filesystem::path file = invocation.arguments[0];
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    if (!session.enterProfile(*invocation.mode, *invocation.profile)) {
        return kDeviceError;
    }
    ProfileContext parts = session.profileContext();
    const ProfileOutcome exported = orv::exportProfile(parts, file);
    if (!exported.succeeded) {
        return session.fail(kFailure, "cannot write " + file.string() + " (" + exported.detail +
                                          "); choose a folder you can write to");
    }
    *session.environment.out << "Exported " << (*invocation.mode == HostMode::PC ? "PC" : "NS")
                             << " profile " << *invocation.profile << " to " << file.string()
                             << ".\n";
    return kSuccess;
}

int importProfile(const Invocation& invocation, Session& session) {
    if (!invocation.mode || !invocation.profile || invocation.arguments.size() != 1 ||
        invocation.arguments[0].empty()) {
        return usage(session.environment, "import needs FILE.db, --mode ns|pc and --profile 1..6");
    }
    const std::filesystem::path file = invocation.arguments[0];
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    if (!session.enterProfile(*invocation.mode, *invocation.profile)) {
        return kDeviceError;
    }
    ProfileContext parts = session.profileContext();
    const ProfileOutcome imported = orv::importProfile(parts, session.flags, file);
    if (!imported.succeeded) {
        if (imported.message) {
            return session.fail(kInvalidFile, file.string() + " is not a profile settings file (" +
                                                  imported.detail + "); nothing was changed");
        }
        return session.deviceFailure("the import did not complete (" + imported.detail + ")");
    }
    session.progress("Saving to the controller...");
    const ProfileOutcome saved = saveProfile(parts, session.flags);
    if (!saved.succeeded) {
        return session.deviceFailure("saving to the controller failed (" + saved.detail +
                                     "); the profile on the controller was not changed");
    }
    *session.environment.out << "Imported " << file.string() << " into "
                             << (*invocation.mode == HostMode::PC ? "PC" : "NS") << " profile "
                             << *invocation.profile << " as \""
                             << readProfileName(session.context.images.workingBlock) << "\".\n";
    return kSuccess;
}

}  // namespace orv::cli
