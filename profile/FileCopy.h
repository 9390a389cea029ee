#pragma once
// Copying files the tool reads or writes on the user's behalf, without ever blocking on or
// following something that is not an ordinary file, and without leaving half a file behind.

#include <cstdint>
#include <filesystem>

#include "profile/Status.h"

namespace orv {

// Copies the regular file `from` (a symbolic link to a regular file is followed) into a new
// file `to` (mode 0600, must not exist; never followed if it is a link). Refused before
// anything is opened when `from` is not a regular file (folder, FIFO, device, socket, or a link
// to one), and refused when it holds more than `sizeCap` bytes, also when it grows while being
// copied.
Status copyRegularFile(const std::filesystem::path& from, const std::filesystem::path& to,
                       std::uint64_t sizeCap);

// Puts a copy of `source` at `target` so that `target` always names either its old contents or
// the complete new file: the bytes go to a temporary file in the target's folder, are flushed
// to the disk, and the temporary file is renamed over `target`. A new file gets mode 0644, a
// replaced file keeps its permission bits. On failure `target` is untouched and the temporary
// file is removed.
Status replaceFileAtomically(const std::filesystem::path& source,
                             const std::filesystem::path& target);

}  // namespace orv
