#pragma once
// The user's desktop folder and the two profile folders under it:
// <desktop>/ProfileData/NS and <desktop>/ProfileData/PC.

#include <filesystem>
#include <optional>
#include <string_view>

#include "device/SettingRecords.h"

namespace orv {

struct ProfileFolders {
    std::filesystem::path desktop;
    std::filesystem::path ns;
    std::filesystem::path pc;

    static ProfileFolders under(const std::filesystem::path& desktopFolder);
    const std::filesystem::path& forMode(HostMode mode) const {
        return mode == HostMode::PC ? pc : ns;
    }
    // The folder an open dialog starts in: the mode's profile folder when it exists, else the
    // desktop folder.
    std::filesystem::path importStartFolder(HostMode mode) const;
};

// The desktop folder as the XDG user directories name it: XDG_DESKTOP_DIR in
// $XDG_CONFIG_HOME/user-dirs.dirs (default ~/.config), "$HOME/..." or an absolute path; when the
// file or the entry is missing or unusable, ~/Desktop. Nothing when no home folder is known
// (empty `home`). The folder is not created and need not exist.
std::optional<std::filesystem::path> desktopFolderFor(std::string_view home,
                                                      std::string_view xdgConfigHome);
// The same for this process: $HOME (else the password database) and $XDG_CONFIG_HOME.
std::optional<std::filesystem::path> desktopFolder();

}  // namespace orv
