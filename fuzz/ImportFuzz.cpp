// Feeds arbitrary bytes to profile import as the contents of the chosen file. Whatever the
// bytes, import must neither crash nor touch anything but workingBlock, and only a file that
// passed every check may change even that.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "profile/PrivateTempFolder.h"
#include "profile/ProfileTransfer.h"

namespace {

orv::PrivateTempFolder& inputFolder() {
    static orv::PrivateTempFolder folder;
    if (!folder.exists() && !folder.create()) {
        std::abort();
    }
    return folder;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::filesystem::path chosen = inputFolder().path() / "chosen.db";
    {
        std::ofstream out(chosen, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }

    orv::ProfileImages images;
    images.currentProfile = 1;
    images.nsProfiles.assign(6, orv::DeviceSettingsBlock{});
    images.pcProfiles.assign(6, orv::DeviceSettingsBlock{});
    orv::ProfileState profile;
    orv::DeviceLink link;  // no controller: import stops after reading the file
    const orv::SettingsFiles files = orv::SettingsFiles::beside("/nonexistent");
    orv::ProfileContext context{images, profile, link, files};
    orv::EditingFlags flags;

    const orv::ProfileOutcome outcome = orv::importProfile(context, flags, chosen);
    const bool untouched = images.nsProfiles == std::vector<orv::DeviceSettingsBlock>(6) &&
                           flags == orv::EditingFlags{} && !profile.settingsDb.isOpen();
    if (outcome.succeeded || !untouched) {
        std::fprintf(stderr, "import without a controller changed the session\n");
        std::abort();
    }
    if (outcome.message && !(images.workingBlock == orv::DeviceSettingsBlock{})) {
        std::fprintf(stderr, "a refused import changed workingBlock\n");
        std::abort();
    }
    return 0;
}
