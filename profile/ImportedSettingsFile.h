#pragma once
// Opening a settings file the user chose for import, treating it as untrusted input.
//
// The chosen file is copied into a private temporary folder first (refused, before anything is
// opened, when it is not a regular file or is larger than kImportSizeCap), and only the copy is
// opened: read-only, without following links, with schema functions untrusted, triggers and
// views disabled, cell size checks on and memory mapping off. The copy must pass
// "PRAGMA quick_check" with exactly "ok", hold only plain tables and indexes (no trigger, view
// or virtual table), and have table tBUTSET with its key column BtnName.

#include <cstdint>
#include <filesystem>

#include "profile/PrivateTempFolder.h"
#include "profile/Status.h"
#include "text/SqliteConnection.h"

namespace orv {

// Far more than any settings file (a few tens of kilobytes) can need.
inline constexpr std::uint64_t kImportSizeCap = 8u * 1024u * 1024u;

// The hardening of every file the tool reads on the user's say-so, without the settings-file
// check: the private copy (refused when not a regular file or larger than `sizeCap`), opened
// as above, passing quick_check and holding only plain tables and indexes.
Status openUntrustedDatabase(const std::filesystem::path& chosenFile, PrivateTempFolder& folder,
                             SqliteConnection& db, std::uint64_t sizeCap);

// On success `db` is open on the checked copy inside `folder` (created here; the copy lives as
// long as the folder). On failure `db` is closed and the result says why.
Status openImportedSettings(const std::filesystem::path& chosenFile, PrivateTempFolder& folder,
                            SqliteConnection& db);

}  // namespace orv
