#include "context/InstallPaths.h"

#include <unistd.h>

#include <cstdlib>
#include <system_error>

namespace orv::paths {

namespace {

std::string withSlash(std::string folder) {
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return folder;
}

// An XDG variable counts only when it holds an absolute path, as the base directory rules say.
std::string absoluteEnv(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    return value;
}

std::string homeFolder() {
    std::string home = absoluteEnv("HOME");
    return home.empty() ? std::string("/tmp") : home;
}

}  // namespace

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return "./";
    }
    return withSlash(self.parent_path().string());
}

std::string dataFolder() {
    // bin/ and share/ are siblings in the build tree and under every install prefix.
    const std::filesystem::path data =
        std::filesystem::path(executableFolder() + "../share/orvtool/").lexically_normal();
    return withSlash(data.string());
}

std::string userStateFolder() {
    std::string base = absoluteEnv("XDG_STATE_HOME");
    if (base.empty()) {
        base = homeFolder() + "/.local/state";
    }
    return withSlash(base) + "orvtool/";
}

std::string userCacheFolder() {
    std::string base = absoluteEnv("XDG_CACHE_HOME");
    if (base.empty()) {
        base = homeFolder() + "/.cache";
    }
    return withSlash(base) + "orvtool/";
}

std::string runtimeFolder() {
    std::string base = absoluteEnv("XDG_RUNTIME_DIR");
    if (base.empty()) {
        base = "/tmp/orvtool-runtime-" + std::to_string(getuid());
    }
    return withSlash(base);
}

}  // namespace orv::paths
