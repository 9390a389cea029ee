// backup and restore: all twelve images through one backup file.

#include <algorithm>
#include <ostream>

#include "cli/Commands.h"
#include "profile/ControllerBackup.h"

namespace orv::cli {

namespace {

std::string slotText(HostMode mode, std::uint32_t slot) {
    return std::string(mode == HostMode::PC ? "PC" : "NS") + " profile " + std::to_string(slot + 1);
}

const char* outcomeText(SlotRestore outcome) {
    switch (outcome) {
        case SlotRestore::Restored:
            return "restored";
        case SlotRestore::WriteFailed:
            return "FAILED: the controller did not take the image";
        case SlotRestore::CommitFailed:
            return "FAILED: the controller did not make the image permanent";
        case SlotRestore::ReadBackFailed:
            return "FAILED: the image could not be read back";
        case SlotRestore::ReadBackDiffers:
            return "FAILED: the image read back differs";
        case SlotRestore::NotAttempted:
            break;
    }
    return "not written (unchanged)";
}

}  // namespace

int backupController(const Invocation& invocation, Session& session) {
    if (invocation.arguments.size() != 1 || invocation.arguments[0].empty()) {
        return session.fail(kUsageError, "backup needs one FILE; see `orvctl help`");
    }
    const std::filesystem::path file = invocation.arguments[0];
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    if (Status written = writeControllerBackup(file, session.context.images); !written) {
        return session.fail(kFailure, "cannot write " + file.string() + ": " + written.error +
                                          "; choose a folder you can write to");
    }
    *session.environment.out << "Backed up all twelve profiles to " << file.string() << ".\n";
    return kSuccess;
}

int restoreController(const Invocation& invocation, Session& session) {
    if (invocation.arguments.size() != 1 || invocation.arguments[0].empty()) {
        return session.fail(kUsageError, "restore needs one FILE; see `orvctl help`");
    }
    const std::filesystem::path file = invocation.arguments[0];
    // The whole file is checked before the controller is touched: a damaged one writes nothing.
    ControllerBackup backup;
    if (Status read = readControllerBackup(file, backup); !read) {
        return session.fail(kInvalidFile,
                            file.string() + ": " + read.error + "; nothing was written");
    }
    std::vector<BackupImage> selected;
    for (const BackupImage& entry : backup.images) {
        if ((!invocation.mode || *invocation.mode == entry.mode) &&
            (!invocation.profile || *invocation.profile == entry.slot + 1)) {
            selected.push_back(entry);
        }
    }
    if (const int connected = session.connect(); connected != kSuccess) {
        return connected;
    }
    const Environment& environment = session.environment;
    session.progress("Writing " + std::to_string(selected.size()) + " profiles...");
    const std::vector<SlotResult> results = restoreImages(
        session.context.device, session.context.images, selected,
        [&environment] { return environment.stopRequested(); },
        [&environment](const SlotResult& result) {
            *environment.out << slotText(result.mode, result.slot) << ": "
                             << outcomeText(result.outcome)
                             << (result.detail.empty() ? "" : " (" + result.detail + ")") << '\n'
                             << std::flush;
        });
    std::size_t restored = 0;
    for (const SlotResult& result : results) {
        restored += result.outcome == SlotRestore::Restored ? 1 : 0;
    }
    if (restored == results.size()) {
        *environment.out << "Restored " << restored << " profiles from " << file.string() << ".\n";
        return kSuccess;
    }
    const bool failed = std::any_of(results.begin(), results.end(), [](const SlotResult& r) {
        return r.outcome != SlotRestore::Restored && r.outcome != SlotRestore::NotAttempted;
    });
    if (!failed && environment.stopRequested()) {
        return session.fail(kInterrupted, "interrupted after " + std::to_string(restored) +
                                              " profiles; the others are unchanged");
    }
    return session.fail(kDeviceError,
                        "restore stopped after " + std::to_string(restored) +
                            " profiles; the slots not written are unchanged; check the cable "
                            "and run the restore again");
}

}  // namespace orv::cli
