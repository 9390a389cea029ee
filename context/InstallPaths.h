#pragma once
// Where the tool's files live. Shipped files (skins, menus as shipped, images, databases, font)
// are only read at run time; whatever the tool writes while it runs goes to the user's XDG
// folders. No Qt: both front ends (the window and the command line) use these.

#include <filesystem>
#include <string>

namespace orv::paths {

// The folder of the running executable, with a trailing '/'.
std::string executableFolder();

// The folder of the shipped run-time data (databases, font, "Resources/"), with a trailing '/':
// "../share/orvtool/" from the executable's folder (normalised), in the build tree as installed.
std::string dataFolder();

// Per-user folders for what the tool writes while it runs, each ending in "orvtool/" and with a
// trailing '/'. They are not created here. XDG_STATE_HOME / XDG_CACHE_HOME are used when set to
// an absolute path, else ~/.local/state and ~/.cache.
std::string userStateFolder();
std::string userCacheFolder();

// The user's runtime folder (XDG_RUNTIME_DIR when set and absolute, else a private folder
// under the temporary folder), with a trailing '/'.
std::string runtimeFolder();

}  // namespace orv::paths
