#pragma once
// orvctl's exit codes, documented in its manual page; scripts rely on them.

namespace orv::cli {

enum ExitCode : int {
    kSuccess = 0,
    kFailure = 1,           // anything else (the tool's own files missing, a file not written)
    kUsageError = 2,        // unknown command or option, a bad or out-of-bounds value
    kNoController = 3,      // no controller found, or its identity switch did not complete
    kPermissionDenied = 4,  // a controller is present but may not be opened (udev rule)
    kDeviceError = 5,       // the controller refused or failed a command
    kInvalidFile = 6,       // a backup or settings file that is refused
    kBusy = 7,              // the window (or another orvctl) holds the controller
    kInterrupted = 130,     // Ctrl+C or SIGTERM before the command finished
};

}  // namespace orv::cli
