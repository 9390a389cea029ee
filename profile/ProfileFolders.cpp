#include "profile/ProfileFolders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace orv {

namespace {

// Value of `XDG_DESKTOP_DIR="..."` in user-dirs.dirs, as a path; empty when absent or invalid.
// The file's format allows only "$HOME/rest" or an absolute path inside the quotes, with
// backslash escapes.
std::filesystem::path desktopEntry(const std::filesystem::path& file, std::string_view home) {
    std::ifstream in(file);
    std::string line;
    std::filesystem::path found;
    while (std::getline(in, line)) {
        const std::size_t start = line.find_first_not_of(" \t");
        if (start == std::string::npos || line[start] == '#') {
            continue;
        }
        constexpr std::string_view kKey = "XDG_DESKTOP_DIR=";
        if (line.compare(start, kKey.size(), kKey) != 0) {
            continue;
        }
        std::string_view value = std::string_view(line).substr(start + kKey.size());
        if (value.size() < 2 || value.front() != '"') {
            continue;
        }
        const std::size_t close = value.rfind('"');
        if (close == 0) {
            continue;
        }
        value = value.substr(1, close - 1);
        std::string unescaped;
        for (std::size_t i = 0; i < value.size(); ++i) {
            if (value[i] == '\\' && i + 1 < value.size()) {
                ++i;
            }
            unescaped += value[i];
        }
        constexpr std::string_view kHome = "$HOME";
        std::filesystem::path candidate;
        if (unescaped == kHome) {
            candidate = std::string(home);
        } else if (unescaped.starts_with("$HOME/")) {
            candidate =
                std::filesystem::path(std::string(home)) / unescaped.substr(kHome.size() + 1);
        } else if (unescaped.starts_with('/')) {
            candidate = unescaped;
        } else {
            continue;
        }
        found = candidate.lexically_normal();  // the last valid entry wins, as in a shell
    }
    return found;
}

}  // namespace

ProfileFolders ProfileFolders::under(const std::filesystem::path& desktopFolder) {
    const std::filesystem::path data = desktopFolder / "ProfileData";
    return {desktopFolder, data / "NS", data / "PC"};
}

std::filesystem::path ProfileFolders::importStartFolder(HostMode mode) const {
    std::error_code ignored;
    const std::filesystem::path& folder = forMode(mode);
    return std::filesystem::is_directory(folder, ignored) ? folder : desktop;
}

std::optional<std::filesystem::path> desktopFolderFor(std::string_view home,
                                                      std::string_view xdgConfigHome) {
    if (home.empty()) {
        return std::nullopt;
    }
    const std::filesystem::path homeFolder{std::string(home)};
    std::filesystem::path config = xdgConfigHome.starts_with('/')
                                       ? std::filesystem::path(std::string(xdgConfigHome))
                                       : homeFolder / ".config";
    std::filesystem::path entry = desktopEntry(config / "user-dirs.dirs", home);
    if (!entry.empty()) {
        return entry;
    }
    return homeFolder / "Desktop";
}

std::optional<std::filesystem::path> desktopFolder() {
    std::string home;
    if (const char* value = std::getenv("HOME"); value != nullptr && *value != '\0') {
        home = value;
    } else {
        long size = ::sysconf(_SC_GETPW_R_SIZE_MAX);
        std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
        passwd entry{};
        passwd* result = nullptr;
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 &&
            result != nullptr && result->pw_dir != nullptr) {
            home = result->pw_dir;
        }
    }
    const char* config = std::getenv("XDG_CONFIG_HOME");
    return desktopFolderFor(home, config != nullptr ? config : "");
}

}  // namespace orv
