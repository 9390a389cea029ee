#pragma once
// Per-user copies of shipped files that the tool changes while it runs (the pop-up menu files).
// The shipped file is only ever read; the copy lives in the user's state folder and is made
// again from the shipped file whenever it is missing or older than the shipped file (a newer
// version of the tool was installed). No Qt.

#include <filesystem>
#include <optional>
#include <string>

namespace orv::paths {

// Where the per-user menu copies live: userStateFolder() + "menus/" (trailing '/').
std::string userMenuFolder();

// True when `file` lies inside the shipped data folder dataFolder() (after resolving symbolic
// links and ".."), i.e. it must never be opened for writing.
bool isShippedFile(const std::filesystem::path& file);
// The same against an explicit shipped folder.
bool isInsideFolder(const std::filesystem::path& file, const std::filesystem::path& folder);

// The path of the copy of `shipped` in `folder` (same file name). The copy is (re)made first
// when it is missing or its modification time is older than the shipped file's; the folder is
// created when missing. The copy is written to a temporary file and renamed into place, so a
// reader never sees half a file. nullopt when `shipped` cannot be read or the copy cannot be
// made (nothing else is changed then); an existing copy is returned as it is when the shipped
// file is gone.
std::optional<std::filesystem::path> freshUserCopy(const std::filesystem::path& shipped,
                                                   const std::filesystem::path& folder);

// Every pop-up menu file of `resourceFolder` (the ".xml" files whose name contains "Menu", and
// "Language.xml") through freshUserCopy into `folder`, so the user's menu folder is complete
// from the start. Returns how many menu files have a fresh copy afterwards.
int refreshMenuCopies(const std::filesystem::path& resourceFolder,
                      const std::filesystem::path& folder);

}  // namespace orv::paths
