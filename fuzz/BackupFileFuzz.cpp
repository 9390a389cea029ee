// Feeds arbitrary bytes to the controller backup reader (orvctl restore) as the backup file.
// Whatever the bytes: no crash; a refused file leaves the backup empty; an accepted one holds
// exactly the twelve images, NS slots 0..5 then PC slots 0..5.
//
// With ORV_FUZZ_STARTING_INPUTS=<folder> the program first writes a valid backup of the
// factory-like images there (scripts/fuzz.sh uses it to start the corpus).

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "profile/ControllerBackup.h"

namespace {

std::filesystem::path& inputFile() {
    static std::filesystem::path file = [] {
        const auto folder = std::filesystem::temp_directory_path() /
                            ("orv-backup-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        return folder / "chosen.orvbackup";
    }();
    return file;
}

[[noreturn]] void fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    if (const char* folder = std::getenv("ORV_FUZZ_STARTING_INPUTS")) {
        orv::ProfileImages images;
        for (std::uint8_t slot = 0; slot < 6; ++slot) {
            orv::DeviceSettingsBlock image{};
            for (std::size_t i = 0; i < image.bytes.size(); ++i) {
                image.bytes[i] = static_cast<std::uint8_t>(i * 7 + slot);
            }
            images.nsProfiles.push_back(image);
            image.bytes[0] = static_cast<std::uint8_t>(0x80 + slot);
            images.pcProfiles.push_back(image);
        }
        const auto file = std::filesystem::path(folder) / "valid.orvbackup";
        if (!orv::writeControllerBackup(file, images).ok) {
            fail("cannot write the valid backup");
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(inputFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    orv::ControllerBackup backup;
    const orv::Status status = orv::readControllerBackup(inputFile(), backup);
    if (!status.ok) {
        if (!backup.images.empty()) {
            fail("a refused backup left images behind");
        }
        return 0;
    }
    if (backup.images.size() != 12) {
        fail("an accepted backup does not hold twelve images");
    }
    for (std::size_t i = 0; i < backup.images.size(); ++i) {
        const orv::BackupImage& entry = backup.images[i];
        const orv::HostMode mode = i < 6 ? orv::HostMode::NS : orv::HostMode::PC;
        if (entry.mode != mode || entry.slot != i % 6) {
            fail("an accepted backup's images are not in mode and slot order");
        }
    }
    return 0;
}
