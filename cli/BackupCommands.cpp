// backup and restore: all twelve images through one backup file.

#include "cli/Commands.h"

namespace orv::cli {

int backupController(const Invocation&, Session& session) {
    return session.fail(kFailure, "backup is not available yet");
}

int restoreController(const Invocation&, Session& session) {
    return session.fail(kFailure, "restore is not available yet");
}

}  // namespace orv::cli
