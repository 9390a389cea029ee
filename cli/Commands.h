#pragma once
// orvctl's commands over the core operations the window uses. Each returns an exit code
// (ExitCode.h) after writing its result to out and any error, in one line, to err.

#include "cli/Invocation.h"
#include "cli/Session.h"

namespace orv::cli {

// Runs `invocation`: takes the single-instance lock shared with the window first (every
// command but help and version), then the command.
int runCommand(const Invocation& invocation, const Environment& environment);

int listControllers(const Invocation& invocation, const Environment& environment);
int showProfiles(const Invocation& invocation, Session& session);
int setSettings(const Invocation& invocation, Session& session);
int resetProfile(const Invocation& invocation, Session& session);
int renameProfile(const Invocation& invocation, Session& session);
int backupController(const Invocation& invocation, Session& session);
int restoreController(const Invocation& invocation, Session& session);
int exportProfile(const Invocation& invocation, Session& session);
int importProfile(const Invocation& invocation, Session& session);
int runLiveTest(const Invocation& invocation, Session& session);

}  // namespace orv::cli
