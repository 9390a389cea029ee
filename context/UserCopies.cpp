#include "context/UserCopies.h"

#include <unistd.h>

#include <system_error>

#include "context/InstallPaths.h"

namespace orv::paths {

namespace fs = std::filesystem;

std::string userMenuFolder() {
    return userStateFolder() + "menus/";
}

bool isInsideFolder(const fs::path& file, const fs::path& folder) {
    std::error_code error;
    const fs::path resolvedFile = fs::weakly_canonical(file, error);
    if (error) {
        return false;
    }
    const fs::path resolvedFolder = fs::weakly_canonical(folder, error);
    if (error) {
        return false;
    }
    // Component-wise prefix: "/a/bc" is not inside "/a/b".
    auto f = resolvedFile.begin();
    for (auto d = resolvedFolder.begin(); d != resolvedFolder.end(); ++d) {
        if (d->empty()) {
            continue;  // the trailing "/" of the folder
        }
        if (f == resolvedFile.end() || *f != *d) {
            return false;
        }
        ++f;
    }
    return true;
}

bool isShippedFile(const fs::path& file) {
    return isInsideFolder(file, dataFolder());
}

std::optional<fs::path> freshUserCopy(const fs::path& shipped, const fs::path& folder) {
    const fs::path copy = folder / shipped.filename();
    std::error_code error;
    const auto shippedTime = fs::last_write_time(shipped, error);
    if (error) {
        return fs::is_regular_file(copy, error) ? std::optional<fs::path>(copy) : std::nullopt;
    }
    const auto copyTime = fs::last_write_time(copy, error);
    if (!error && copyTime >= shippedTime) {
        return copy;
    }
    fs::create_directories(folder, error);
    if (error) {
        return std::nullopt;
    }
    // One temporary name per process, so two processes refreshing at once do not mix bytes.
    fs::path temporary = copy;
    temporary += ".copy-" + std::to_string(::getpid());
    fs::copy_file(shipped, temporary, fs::copy_options::overwrite_existing, error);
    if (!error) {
        // A fresh copy of a read-only shipped file must still be writable by its user.
        fs::permissions(temporary, fs::perms::owner_read | fs::perms::owner_write,
                        fs::perm_options::add, error);
    }
    if (!error) {
        fs::rename(temporary, copy, error);
    }
    if (error) {
        fs::remove(temporary, error);
        return std::nullopt;
    }
    return copy;
}

int refreshMenuCopies(const fs::path& resourceFolder, const fs::path& folder) {
    int fresh = 0;
    std::error_code error;
    for (fs::directory_iterator it(resourceFolder, error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = it->path().filename().string();
        const bool isMenu = it->path().extension() == ".xml" &&
                            (name.find("Menu") != std::string::npos || name == "Language.xml");
        if (isMenu && freshUserCopy(it->path(), folder)) {
            ++fresh;
        }
    }
    return fresh;
}

}  // namespace orv::paths
