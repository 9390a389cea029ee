#include "cli/Invocation.h"

#include <array>
#include <string_view>
#include <utility>

#include "sim/Simulation.h"

namespace orv::cli {

namespace {

constexpr std::array<std::pair<std::string_view, Command>, 14> kCommands = {{
    {"list", Command::List},
    {"show", Command::Show},
    {"backup", Command::Backup},
    {"restore", Command::Restore},
    {"export", Command::Export},
    {"import", Command::Import},
    {"set", Command::Set},
    {"reset", Command::Reset},
    {"rename", Command::Rename},
    {"test", Command::Test},
    {"help", Command::Help},
    {"--help", Command::Help},
    {"-h", Command::Help},
    {"--version", Command::Version},
}};

ParseResult fail(std::string why) {
    ParseResult result;
    result.error = std::move(why);
    return result;
}

// The value of "--name=value" or of "--name value" (consuming the next word).
std::optional<std::string> optionValue(const std::vector<std::string>& words, std::size_t& i,
                                       std::string_view name) {
    const std::string& word = words[i];
    if (word.size() > name.size() && word.compare(0, name.size(), name) == 0 &&
        word[name.size()] == '=') {
        return word.substr(name.size() + 1);
    }
    if (word == name && i + 1 < words.size()) {
        ++i;
        return words[i];
    }
    return std::nullopt;
}

bool startsWith(const std::string& word, std::string_view prefix) {
    return word.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

ParseResult parseInvocation(const std::vector<std::string>& words) {
    Invocation invocation;
    bool haveCommand = false;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (!optionsEnded && word == "--") {
            optionsEnded = true;
            continue;
        }
        const bool commandWord = !haveCommand && (word == "--help" || word == "--version");
        if (!optionsEnded && startsWith(word, "--") && !commandWord) {
            if (word == "--json") {
                invocation.json = true;
            } else if (const auto simulation = sim::simulateArgument(word)) {
                invocation.simulation = *simulation;
            } else if (startsWith(word, "--mode")) {
                const auto value = optionValue(words, i, "--mode");
                if (value == "ns" || value == "NS") {
                    invocation.mode = HostMode::NS;
                } else if (value == "pc" || value == "PC") {
                    invocation.mode = HostMode::PC;
                } else {
                    return fail("--mode takes ns or pc");
                }
            } else if (startsWith(word, "--profile")) {
                const auto value = optionValue(words, i, "--profile");
                if (!value || value->size() != 1 || (*value)[0] < '1' || (*value)[0] > '6') {
                    return fail("--profile takes a number from 1 to 6");
                }
                invocation.profile = static_cast<std::uint32_t>((*value)[0] - '0');
            } else if (word == "--help") {
                invocation.command = Command::Help;
                haveCommand = true;
            } else {
                return fail("unknown option " + word);
            }
            continue;
        }
        if (!haveCommand) {
            bool known = false;
            for (const auto& [name, command] : kCommands) {
                if (name == word) {
                    invocation.command = command;
                    known = true;
                }
            }
            if (!known) {
                return fail("unknown command \"" + word + "\"");
            }
            haveCommand = true;
            continue;
        }
        invocation.arguments.push_back(word);
    }
    if (!haveCommand) {
        return fail("no command given");
    }
    ParseResult result;
    result.invocation = std::move(invocation);
    return result;
}

const char* usageText() {
    return "usage: orvctl COMMAND [OPTIONS]\n"
           "\n"
           "  list                                   controllers present and whether they open\n"
           "  show [--mode ns|pc] [--profile N] [--json]\n"
           "                                         every profile's name and settings\n"
           "  backup FILE                            all twelve profiles into one file\n"
           "  restore FILE [--mode M] [--profile N]  write a backup back to the controller\n"
           "  export --mode M --profile N FILE.db    one profile into a settings file\n"
           "  import FILE.db --mode M --profile N    a settings file into one profile, saved\n"
           "  set --mode M --profile N SETTING=VALUE...\n"
           "                                         change settings and save\n"
           "  reset --mode M --profile N             factory settings, saved\n"
           "  rename --mode M --profile N NAME       a new profile name, saved\n"
           "  test [buttons|sticks] [--mode M] [--profile N]\n"
           "                                         print what the controller produces, until "
           "Ctrl+C\n"
           "\n"
           "Every command takes --simulate[=STATEFILE] to use the simulated controller.\n"
           "Settings: BUTTON.short=ITEM, BUTTON.long=ITEM@SECONDS, BUTTON.turbo=ITEM@SECONDS|off,\n"
           "  BUTTON.condisable=on@SECONDS|off, BUTTON.switch=ITEM,ITEM,...@SECONDS|off,\n"
           "  LStick.mode=none|left|right, LStick.rotation=none|left90|right90|180,\n"
           "  LStick.sensitivity=25%..200%, LStick.deadzone=none|5%|10%|25%|50% (RStick alike).\n"
           "Exit codes: 0 success, 1 other failure, 2 usage error, 3 no controller,\n"
           "  4 permission denied, 5 device error, 6 invalid file, 7 the tool is already running,\n"
           "  130 interrupted. See orvctl(1).\n";
}

}  // namespace orv::cli
