#pragma once
// orvctl's command line: a command, its options and its arguments.

#include <optional>
#include <string>
#include <vector>

#include "device/SettingRecords.h"

namespace orv::cli {

enum class Command {
    List,
    Show,
    Backup,
    Restore,
    Export,
    Import,
    Set,
    Reset,
    Rename,
    Test,
    Help,
    Version
};

struct Invocation {
    Command command = Command::Help;
    std::optional<HostMode> mode;           // --mode ns|pc
    std::optional<std::uint32_t> profile;   // --profile 1..6
    bool json = false;                      // --json
    std::optional<std::string> simulation;  // --simulate[=STATEFILE] ("" no file)
    std::vector<std::string> arguments;     // what follows the command, options removed
};

struct ParseResult {
    std::optional<Invocation> invocation;
    std::string error;  // set when invocation is empty: what is wrong, for a usage message
};

// Options may come before or after the command; "--" ends the options.
ParseResult parseInvocation(const std::vector<std::string>& words);

// The usage text of `orvctl help`.
const char* usageText();

}  // namespace orv::cli
